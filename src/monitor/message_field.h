// The viewer's message field: a read-only multi-line edit that paints
// itself as ruled paper. Light yellow, a light blue rule under every line,
// a red margin line at 30 pixels, the text from 35 pixels with tab stops
// every 48 pixels in an 8-unit "MS Sans Serif" font, each line cut at the
// field's width; header lines (when shown) dark red, the rest dark blue.
#pragma once

#include <windows.h>

#include "ui/gdi.h"
#include "ui/subclass.h"

namespace monitor {

class RuledPaper {
public:
    RuledPaper() = default;
    ~RuledPaper() { detach(); }
    RuledPaper(const RuledPaper&) = delete;
    RuledPaper& operator=(const RuledPaper&) = delete;

    // Takes over the edit's painting, font and left margin.
    void attach(HWND edit);
    // Gives the edit its own painting back (before it is destroyed).
    void detach();
    // Whether the text begins with header lines to draw in their colour.
    void showHeaders(bool on);

private:
    static bool message(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, void* data, LRESULT& result);
    void paint();

    HWND edit_ = nullptr;
    ui::OwnedFont font_;
    bool headers_ = false;
};

}  // namespace monitor
