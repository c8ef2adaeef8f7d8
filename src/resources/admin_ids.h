// Resource numbers and control ids of the administration windows: the
// settings sheet's pages, its small dialogs, their images, and the
// tray icon's frames. Control ids are kept per dialog; the same number may
// mean different controls on different dialogs.
#pragma once

// Every page's icon static: the list of pages says which icon it shows.
#define IDC_PAGE_ICON 1240

// --- Tray icon: the eight frames of the animation --------------------------------
#define IDI_TRAY_0 162
#define IDI_TRAY_1 163
#define IDI_TRAY_2 164
#define IDI_TRAY_3 165
#define IDI_TRAY_4 166
#define IDI_TRAY_5 167
#define IDI_TRAY_6 168
#define IDI_TRAY_7 169
#define IDI_TRAY_FIRST IDI_TRAY_0
#define IDI_TRAY_LAST  IDI_TRAY_7

// --- List bitmaps (image, mask) --------------------------------------------------
#define IDB_POP_ACTIVE   257
#define IDB_POP_MASK     258
#define IDB_POP_INACTIVE 259
#define IDB_RELAY        193
#define IDB_RELAY_MASK   194
#define IDB_USER         198
#define IDB_USER_MASK    200
#define IDB_CLOCK        271
#define IDB_CLOCK_MASK   272
