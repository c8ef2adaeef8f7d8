/* utilities.dll: the utility library of the mail server.
 *
 * Every export is a plain-named __stdcall function taking 32-bit integers,
 * window handles and zero-terminated ANSI strings, returning a 32-bit
 * integer. No export throws: a failure is a result (-1 as a rule) with a
 * status text or a message box.
 *
 * Call SetPath first, then SetLoghWnd, from the thread that runs the
 * host's message loop.
 */
#ifndef UTILITIES_H
#define UTILITIES_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifndef UTILAPI
#define UTILAPI __stdcall
#endif

/* Window messages exchanged with the host. */
#define UTIL_MSG_STATUS  0x0401 /* WM_USER+1 to the status window: wParam 1 (0 from the schedule), lParam text */
#define UTIL_MSG_TIP     0x0C01 /* tip request sent to a settings page */
#define UTIL_MSG_EVENT   0x0C02 /* 3074 to the event list's parent: wParam line index, lParam category */

/* Event categories passed to LogEvent. */
#define UTIL_EVENT_SCHEDULED 1 /* a scheduled message was generated */
#define UTIL_EVENT_DIALUP    2 /* dial-up and connection progress */
#define UTIL_EVENT_WARNING   3 /* warnings and errors */
#define UTIL_EVENT_TRANSPORT 4 /* mail transport progress */

/* Buttons returned by DoMsgBox. */
#define UTIL_MSGBOX_OK  1
#define UTIL_MSGBOX_YES 6
#define UTIL_MSGBOX_NO  7

/* Library frame: install folder, versions, time zone, shell, help. */
int UTILAPI SetPath(const char *folder);
int UTILAPI GetWinMajor(void);
int UTILAPI GetWinMinor(void);
int UTILAPI GetWinFull(int *major, int *minor);
int UTILAPI GetTZOffset(char *buffer);
int UTILAPI RunApp(HWND window, const char *file, const char *parameters);
int UTILAPI OpenBrowser(HWND window, const char *target);
int UTILAPI RunHelp(HWND window);
int UTILAPI IsHelpInstalled(void);
int UTILAPI DoMsgBox(HWND window, const char *text, int mode);

/* Status output and event log. */
void UTILAPI SetLoghWnd(HWND eventList, HWND statusWindow);
int UTILAPI LogEvent(const char *text, int category);
void UTILAPI StringOut(HWND listBox, const char *text);

/* Password scrambler: scramble != 0 turns clear text into its stored form. */
void UTILAPI Crypt(const char *key, const char *input, char *output, int scramble);

/* Transfer abort: non-zero cancels the blocking call and sets the flag. */
void UTILAPI AbortComms(int flag);

/* Settings sheet: ShowMainConfig opens "Server Settings" on the page of the
   given index (0 to 15) and returns when it closes. GetPassword returns 1
   when the settings may be opened. RegisterForTips gives tooltips to the
   controls whose parent chain reaches window in depth steps (mode 0: the
   tip request UTIL_MSG_TIP goes to the control's parent). */
int UTILAPI ShowMainConfig(HWND owner, int startPage);
int UTILAPI GetPassword(HWND owner);
int UTILAPI RegisterForTips(HWND window, int depth, int mode);
int UTILAPI UnregisterForTips(HWND window);

/* Tray icon: CreateTray starts adding the animated icon (retried every 2 s);
   the host passes message 2048 (UTIL_MSG_TRAY) on to TrayCallback. */
#define UTIL_MSG_TRAY 0x0800
int UTILAPI CreateTray(HWND main);
int UTILAPI DeleteTray(HWND main);
int UTILAPI TrayCallback(HWND window, WPARAM wParam, LPARAM event);

#ifdef __cplusplus
}
#endif

#endif /* UTILITIES_H */
