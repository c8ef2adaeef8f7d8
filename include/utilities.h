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

/* Spam lists and scanner phrases: 1 when the message file holds an entry
 * of the list, 0 otherwise. matchOut (4,096 bytes, or NULL) receives the
 * matched message words joined by single spaces. listName is the list file,
 * read only when the list is (re)loaded. */
int UTILAPI ParseBlackSpam(const char *fileName, char *matchOut, const char *listName);
int UTILAPI ParseWhiteSpam(const char *fileName, char *matchOut, const char *listName);
int UTILAPI ParseFile(const char *fileName, char *matchOut);
/* ---- Connectivity: dial-up through the handler program, online state,
 * start-up countdown and the connection schedule. ---- */
/* Brings the dial-up connection up: 1 when the server may go online. The
 * name window lends its text to the handler; handlerParam is passed on to
 * the handler unchanged; statusWindow receives the progress lines. */
int UTILAPI GetOnLine(HWND nameWindow, LPARAM handlerParam, HWND statusWindow);
/* Hangs the dial-up connection up; returns dialup/type when it is not 0. */
int UTILAPI GetOffline(HWND nameWindow, LPARAM handlerParam, HWND statusWindow);
/* 1 when the connection type is dial-up and a connection is up. */
int UTILAPI IsOnLine(void);
/* The ten-second "Abort Connection" countdown: 1 to connect now, 0 when
 * aborted or not wanted. */
int UTILAPI ConnectOnStartUp(HWND parent);
/* Adds the Windows 95 dial-up entries to a combo box (may be 0): 0 when
 * there are none registered, -1 after listing them. */
int UTILAPI GetW95DUNs(HWND combo);
/* The schedule's answer (1: connect now) and status text; the text goes to
 * statusWindow (0x401, wParam 0) and into textOut (44 bytes). */
int UTILAPI OKToBeOnline(HWND statusWindow, int minuteTick, char *textOut);
/* Spool files: unique names and the folder listing. ListFiles returns -1
 * and a listing handle when a file matches; NextListFile takes the address
 * of that handle and sets it to 0 at the end; EndListFile ends a listing
 * that is still open. */
void UTILAPI UniqueFileName(const char *folder, char *nameOut, const char *extension);
int UTILAPI ListFiles(const char *pattern, char *nameOut, HANDLE *handleOut);
int UTILAPI NextListFile(HANDLE *handle, char *nameOut);
int UTILAPI EndListFile(HANDLE handle);

/* POP3 session: OpenPop3 returns the socket passed to every later call, or
 * -1; after a failed OpenPop3 call ClosePop3(-1). */
int UTILAPI OpenPop3(HWND window, const char *host, const char *user, const char *password, int port);
int UTILAPI NumPop3Mail(int socket, int wait);
int UTILAPI DeletePop3(int socket, int messageNumber, int wait);
int UTILAPI ClosePop3(int socket);

/* POP3 download into files. GetMailPop3 returns 0, -1, or one of these. */
#define UTIL_POP3_OVERSIZE_LEFT    (-10) /* a size warning was stored; the message stays on the server */
#define UTIL_POP3_OVERSIZE_DELETED (-11) /* the oversize message was deleted from the server */
int UTILAPI ListMailPop3(int socket, const char *listFile, int wait);
int UTILAPI TopPop3(int socket, int messageNumber, const char *checkFile, const char *user, int lineCount,
                    int wait, int recordNumber, const char *field1, const char *host, const char *field3,
                    int spare);
int UTILAPI GetMailPop3(int socket, int messageNumber, const char *messageFile, int deleteAfter, int wait,
                        HWND progressWindow, int spare);
/* SMTP delivery: InitSMTP, OpenSMTP with a relay record (seven fields,
 * each followed by ":"; the text is cut at each of them), SendMailSMTP for
 * each queued message (envelopeFile "" takes the addresses from the header
 * lines; errorText holds at least 1,100 bytes), CloseSMTP. SendMailSMTP
 * returns 0 delivered (or refused for good at the end of its data), -1 a
 * failure to retry later, -2 a problem of the addresses or envelope. */
int UTILAPI InitSMTP(void);
int UTILAPI OpenSMTP(HWND window, int spare, char *relayRecord, int wait);
int UTILAPI SendMailSMTP(int socket, const char *messageFile, const char *envelopeFile, HWND progressWindow,
                         char *errorText);
int UTILAPI CloseSMTP(int socket);
/* MIME scanning. FindMimeBoundary returns 0 (nothing recognised), 1
 * (multipart/mixed: boundaryOut, at least 2048 bytes, gets the boundary),
 * 2 base64, 3 quoted-printable, 4 BinHex or 5 uuencode. FindBoundaryPos
 * returns the byte position of the wanted attachment's header lines and
 * the delimiter of the multipart holding it (partDelimiterOut, at least
 * 256 bytes), or -1; stream must be NULL. */
int UTILAPI FindMimeBoundary(const char *fileName, char *boundaryOut);
int UTILAPI FindBoundaryPos(const char *fileName, const char *delimiter, int wanted, void *stream,
                            unsigned int *counter, char *partDelimiterOut, int offset, int startCount);

/* Transfer decoders and encoder: 0 success, -1 failure. offset 1 or more
 * is a part's position from FindBoundaryPos; a line beginning with a
 * non-empty delimiter ends the decoding. */
int UTILAPI DecodeBase64(const char *fileName, const char *outName, int offset, const char *delimiter);
int UTILAPI DecodeQuoted(const char *fileName, const char *outName, int copyHeaders, int offset,
                         const char *delimiter);
int UTILAPI DecodeMimeUU(const char *fileName, const char *outName, int *position, const char *delimiter);
int UTILAPI DecodeBinHex(const char *fileName, const char *outName, const char *tempName, int offset,
                         const char *delimiter);
int UTILAPI EncodeBase64(const char *inName, const char *outName);

/* Plain-text extraction: the number of attachments left out, or -1.
 * stream must be NULL and outFile 0. */
int UTILAPI ExtractMimeText(const char *fileName, const char *outName, const char *delimiter, void *stream,
                            int outFile);
/* Settings sheet: ShowMainConfig opens "Server Settings" on the page of the
   given index (0 to 15) and returns when it closes. GetPassword returns 1
   when the settings may be opened. RegisterForTips gives tooltips to the
   controls whose parent chain reaches window in depth steps (mode 0: the
   tip request UTIL_MSG_TIP goes to the control's parent). */
int UTILAPI ShowMainConfig(HWND owner, int startPage);
int UTILAPI GetPassword(HWND owner);
int UTILAPI RegisterForTips(HWND window, int depth, int mode);
int UTILAPI UnregisterForTips(HWND window);

/* Setup wizard: five pages from the domain to the first user's mailbox,
   then "Mail Client Information". 1 when it was finished, 0 when it was
   cancelled. */
int UTILAPI RunWizard(HWND parent);

/* Tray icon: CreateTray starts adding the animated icon (retried every 2 s);
   the host passes message 2048 (UTIL_MSG_TRAY) on to TrayCallback. */
#define UTIL_MSG_TRAY 0x0800
int UTILAPI CreateTray(HWND main);
int UTILAPI DeleteTray(HWND main);
int UTILAPI TrayCallback(HWND window, WPARAM wParam, LPARAM event);

/* Reminders: one scan of the reminder records; due ones become messages
 * in the tmp folder. Returns 0. */
int UTILAPI CheckReminders(void);

/* Accounts. GetAddressFromName fills address (at least 1024 bytes) with
 * the stored address of the account of that name, or empty. UpdateClient
 * and UpdateAllClients send the notification "U" to the accounts' clients;
 * SendAlert sends one UDP datagram of text to host and port (1024 when the
 * port is not a positive number). Their results carry no meaning. */
int UTILAPI GetAddressFromName(const char *name, char *address);
int UTILAPI UpdateClient(const char *name);
int UTILAPI UpdateAllClients(void);
int UTILAPI SendAlert(const char *host, const char *port, const char *text);

/* Welcome message: writes "new mail account.txt" and ".adr" into the
 * mailbox folder of the account section ("mailbox%d"). Returns 0. */
int UTILAPI CreateWelcomeMsg(const char *section, const char *mailboxFolder);

/* Accounts dialog: "Mailbox Details", modal; returns 1 after Close. */
int UTILAPI ShowMboxConfig(HWND owner);

/* Mailbox viewer: ShowMailWindow opens the modeless "Mailbox Viewer" owned
 * by parent (or finds the one open) and returns its window; the host's
 * message loop runs it (through IsDialogMessage for the keyboard).
 * RefreshView rescans what it shows (nothing when it is closed); call it
 * from the thread that opened it. */
HWND UTILAPI ShowMailWindow(HWND parent);
int UTILAPI RefreshView(void);

#ifdef __cplusplus
}
#endif

#endif /* UTILITIES_H */
