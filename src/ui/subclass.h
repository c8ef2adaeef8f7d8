// A control's messages seen by the library before its own procedure: the
// one way the library subclasses a window, over the common controls'
// SetWindowSubclass. A handler stays until it is detached or the window
// goes; nothing thrown in it leaves the procedure.
#pragma once

#include <windows.h>

namespace ui {

class Subclass {
public:
    // Sees a message first: true with result set claims it; false passes it
    // on to the window's own procedure. data is what attach was given.
    using Handler = bool (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* data, LRESULT& result);

    // Puts handler in front of the window's procedure; attached again, it
    // only takes the new data.
    static bool attach(HWND window, Handler handler, void* data = nullptr);
    static void detach(HWND window, Handler handler);
    static bool attached(HWND window, Handler handler);
    // From a handler: the window's own handling of the message now, before
    // the handler goes on.
    static LRESULT passOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace ui
