#pragma once
#include <windows.h>

// Our own messages to the main window.

// The tray icon's events: a pointer move over the window must never be mistaken for one of
// them. lParam's low word carries the event (a mouse message, NIN_SELECT, WM_CONTEXTMENU).
inline constexpr UINT WM_TRAY_ICON = WM_APP + 1;
// F1 in a dialog: the main window runs its F1 command. wParam carries the shift bits.
inline constexpr UINT WM_HELP_KEY = WM_APP + 2;
// A background job has finished: the main window delivers its result. wParam names its lane.
inline constexpr UINT WM_WORKER_DONE = WM_APP + 10;
