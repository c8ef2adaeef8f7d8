#include "ui/printing.h"

#include <commdlg.h>

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
    if (!PrintDlgA(&dialog)) return false;
    ChosenPrinter printer(dialog);
    HDC dc = printer.dc();
    if (!dc) return false;

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
    if (StartDocA(dc, &document) <= 0) return false;
    for (int copy = 0; copy < printer.copies(); ++copy) {
        for (const std::vector<std::string>& page : pages) {
            if (!printPage(dc, page, lineHeight)) {
                AbortDoc(dc);
                return false;
            }
        }
    }
    return EndDoc(dc) > 0;
}

}  // namespace ui
