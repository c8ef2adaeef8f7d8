#include "ui/printing.h"

#include <cderr.h>
#include <commdlg.h>

#include <cstdio>
#include <string>

#include "ui/message_box.h"
#include "ui/print_layout.h"

namespace ui {
namespace {

// What the print dialog hands over, freed however printing ends.
class ChosenPrinter {
public:
    explicit ChosenPrinter(const PRINTDLGA& chosen) : chosen_(chosen) {}
    ~ChosenPrinter() {
        if (chosen_.hDC) DeleteDC(chosen_.hDC);
        if (chosen_.hDevMode) GlobalFree(chosen_.hDevMode);
        if (chosen_.hDevNames) GlobalFree(chosen_.hDevNames);
    }
    ChosenPrinter(const ChosenPrinter&) = delete;
    ChosenPrinter& operator=(const ChosenPrinter&) = delete;
    HDC dc() const { return chosen_.hDC; }
    int copies() const { return chosen_.nCopies > 0 ? chosen_.nCopies : 1; }

private:
    PRINTDLGA chosen_;
};

// Tells the user that the document did not reach the printer, and why: a
// print that fails must not look like one that was sent.
bool failed(HWND owner, const std::string& reason) {
    const std::string text = "The document could not be printed.\r\n" + reason;
    showError(owner, text);
    return false;
}

// Why the print dialog gave no printer (it reports its own errors so).
std::string dialogError(DWORD code) {
    if (code == PDERR_NODEFAULTPRN || code == PDERR_NODEVICES) return "No printer is installed.";
    if (code == PDERR_PRINTERNOTFOUND) return "The printer was not found.";
    char text[64];
    std::snprintf(text, sizeof text, "The print dialog failed (error 0x%04lX).", code);
    return text;
}

// The system's words for the last error of a printing call.
std::string printerError() {
    const DWORD code = GetLastError();
    char text[256] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == ' '))
        text[--length] = '\0';
    if (length > 0) return text;
    std::snprintf(text, sizeof text, "The printer reported error %lu.", code);
    return text;
}

bool printPage(HDC dc, const std::vector<std::string>& page, int lineHeight) {
    if (StartPage(dc) <= 0) return false;
    int y = 0;
    for (const std::string& line : page) {
        TextOutA(dc, 0, y, line.c_str(), static_cast<int>(line.size()));
        y += lineHeight;
    }
    return EndPage(dc) > 0;
}

}  // namespace

bool printLines(HWND owner, const char* documentName, const std::vector<std::string>& lines) {
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
    dialog.nCopies = 1;
    if (!PrintDlgA(&dialog)) {
        const DWORD error = CommDlgExtendedError();  // none when cancelled
        return error ? failed(owner, dialogError(error)) : false;
    }
    ChosenPrinter printer(dialog);
    HDC dc = printer.dc();
    if (!dc) return failed(owner, dialogError(CommDlgExtendedError()));

    // The printable area, as far from the right and bottom edges as its
    // origin is from the left and top ones.
    int width = GetDeviceCaps(dc, PHYSICALWIDTH) - 2 * GetDeviceCaps(dc, PHYSICALOFFSETX);
    int height = GetDeviceCaps(dc, PHYSICALHEIGHT) - 2 * GetDeviceCaps(dc, PHYSICALOFFSETY);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    auto measure = [dc](std::string_view text) {
        SIZE size{};
        GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    std::vector<std::vector<std::string>> pages = printPages(lines, width, height, lineHeight, measure);

    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = documentName;
    if (StartDocA(dc, &document) <= 0) return failed(owner, printerError());
    for (int copy = 0; copy < printer.copies(); ++copy) {
        for (const std::vector<std::string>& page : pages) {
            if (!printPage(dc, page, lineHeight)) {
                const std::string reason = printerError();
                AbortDoc(dc);
                return failed(owner, reason);
            }
        }
    }
    return EndDoc(dc) > 0 || failed(owner, printerError());
}

}  // namespace ui
