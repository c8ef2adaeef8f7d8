#include "transport/pop3_recorder.h"

#include <algorithm>

#include "utilities.h"

namespace pop3_testing {
namespace {

const char* registerClass() {
    static bool done = false;
    if (!done) {
        WNDCLASSA c{};
        c.lpfnWndProc = DefWindowProcA;
        c.hInstance = GetModuleHandleA(nullptr);
        c.lpszClassName = "Pop3TestRecorder";
        RegisterClassA(&c);
        done = true;
    }
    return "Pop3TestRecorder";
}

}  // namespace

Recorder::Recorder() {
    const char* cls = registerClass();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    main_ = CreateWindowA(cls, "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr, instance, nullptr);
    list_ = CreateWindowA("LISTBOX", "", WS_CHILD, 0, 0, 300, 200, main_, nullptr, instance, nullptr);
    status_ = CreateWindowA(cls, "", WS_CHILD, 0, 0, 10, 10, main_, nullptr, instance, nullptr);
    progress_ = CreateWindowA(cls, "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
    for (HWND w : {main_, status_, progress_}) {
        SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Recorder::proc));
    }
    SetLoghWnd(list_, status_);
}

Recorder::~Recorder() {
    SetLoghWnd(nullptr, nullptr);
    DestroyWindow(progress_);
    DestroyWindow(main_);
}

LRESULT CALLBACK Recorder::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Recorder*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == UTIL_MSG_STATUS && lParam) {
        std::string text(reinterpret_cast<const char*>(lParam));
        if (window == self->status_) self->status.push_back(text);
        if (window == self->progress_) {
            self->progress.push_back(text);
            if (self->onProgress) self->onProgress(text);
        }
        return 0;
    }
    if (self && message == UTIL_MSG_EVENT && window == self->main_) {
        LRESULT length = SendMessageA(self->list_, LB_GETTEXTLEN, wParam, 0);
        std::string line(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
        if (length > 0) SendMessageA(self->list_, LB_GETTEXT, wParam, reinterpret_cast<LPARAM>(line.data()));
        self->events.push_back(line.substr(0, line.find('\t')));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool Recorder::statusHas(const std::string& text) const {
    return std::find(status.begin(), status.end(), text) != status.end();
}

bool Recorder::eventsHave(const std::string& text) const {
    return std::find(events.begin(), events.end(), text) != events.end();
}

void Recorder::clear() {
    status.clear();
    events.clear();
    progress.clear();
}

}  // namespace pop3_testing
