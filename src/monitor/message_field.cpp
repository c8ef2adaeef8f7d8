#include "monitor/message_field.h"

#include <string>
#include <vector>

#include "monitor/viewer_text.h"
#include "ui/controls.h"

namespace monitor {
namespace {

constexpr int kMarginLine = 30;
constexpr int kTextLeft = 35;
constexpr int kTabStop = 48;
constexpr COLORREF kPaper = RGB(255, 255, 225);
constexpr COLORREF kRule = RGB(179, 224, 253);
constexpr COLORREF kMargin = RGB(200, 0, 0);
constexpr COLORREF kHeaderInk = RGB(185, 0, 0);
constexpr COLORREF kBodyInk = RGB(0, 0, 185);

void drawLine(HDC dc, HPEN pen, int x0, int y0, int x1, int y1) {
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    SelectObject(dc, old);
}

}  // namespace

void RuledPaper::attach(HWND edit) {
    detach();
    edit_ = edit;
    HDC screen = GetDC(edit);
    int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(edit, screen);
    font_.reset(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif"));
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageA(edit, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(kTextLeft, 0));
    ui::Subclass::attach(edit, &RuledPaper::message, this);
    InvalidateRect(edit, nullptr, TRUE);
}

void RuledPaper::detach() {
    if (!edit_) return;
    if (IsWindow(edit_)) {
        ui::Subclass::detach(edit_, &RuledPaper::message);
        SendMessageA(edit_, WM_SETFONT, 0, FALSE);
    }
    edit_ = nullptr;
    font_.reset();
}

void RuledPaper::showHeaders(bool on) {
    headers_ = on;
    if (edit_) InvalidateRect(edit_, nullptr, TRUE);
}

bool RuledPaper::message(HWND, UINT message, WPARAM, LPARAM, void* data, LRESULT& result) {
    auto* self = static_cast<RuledPaper*>(data);
    if (message == WM_PAINT) {
        self->paint();
        result = 0;
        return true;
    }
    if (message == WM_ERASEBKGND) {
        result = 1;
        return true;
    }
    if (message == WM_NCDESTROY) {
        SendMessageA(self->edit_, WM_SETFONT, 0, FALSE);
        self->edit_ = nullptr;  // the subclass goes with the window
        self->font_.reset();
    }
    return false;
}

void RuledPaper::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(edit_, &ps);
    RECT client;
    GetClientRect(edit_, &client);
    ui::OwnedBrush paper(CreateSolidBrush(kPaper));
    FillRect(dc, &client, paper.get());

    ui::Edit field(edit_);
    HGDIOBJ oldFont = SelectObject(dc, font_.get());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int lineHeight = metrics.tmHeight > 0 ? metrics.tmHeight : 13;
    RECT format{};
    SendMessageA(edit_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));

    std::size_t headerLines = 0;
    if (headers_) {
        std::vector<std::string> first;
        for (int i = 0; i < field.lineCount() && first.size() < kHeaderSearchLines; ++i) first.push_back(field.line(i));
        headerLines = headerLineCount(first);
    }

    ui::OwnedPen rule(CreatePen(PS_SOLID, 1, kRule));
    ui::OwnedPen margin(CreatePen(PS_SOLID, 1, kMargin));
    const int lines = field.lineCount();
    int index = field.firstVisibleLine();
    for (int y = format.top; y < client.bottom; y += lineHeight)
        drawLine(dc, rule.get(), client.left, y + lineHeight - 1, client.right, y + lineHeight - 1);
    drawLine(dc, margin.get(), kMarginLine, client.top, kMarginLine, client.bottom);

    // The text starts where the edit puts its first visible line's first
    // character (further left when scrolled sideways), right of the margin.
    int left = kTextLeft;
    LRESULT at = field.send(EM_POSFROMCHAR, static_cast<WPARAM>(field.send(EM_LINEINDEX, static_cast<WPARAM>(index))));
    if (at != -1) left = static_cast<short>(LOWORD(at));
    SetBkMode(dc, TRANSPARENT);
    IntersectClipRect(dc, kMarginLine + 1, client.top, client.right, client.bottom);
    const int tabs[] = {kTabStop};
    for (int y = format.top; y < client.bottom && index < lines; y += lineHeight, ++index) {
        std::string text = field.line(index);
        bool header = static_cast<std::size_t>(index) < headerLines;
        SetTextColor(dc, header ? kHeaderInk : kBodyInk);
        TabbedTextOutA(dc, left, y, text.c_str(), static_cast<int>(text.size()), 1, tabs, left);
    }
    SelectObject(dc, oldFont);
    EndPaint(edit_, &ps);
}

}  // namespace monitor
