// Stays on a test desktop while it runs (scripts/desktops.sh starts it).
// Wine closes a desktop a second after the last program that uses it ends,
// and the program manager (explorer.exe) ends with it; every window test
// that came next started both again. This program keeps the desktop in use
// with a message-only window: no window shows, none takes the activation,
// and none is found by the tests' window searches.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr)) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
