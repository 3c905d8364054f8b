#pragma once
// The main window's own messages (WM_USER = 1024). The tick messages of the
// list, header and tree are in ui/controls/tick_messages.h and the card's in
// ui/dialogs/contact_info_board.h.
#include <windows.h>

// Load worker -> main window, posted at its end.
constexpr UINT kMsgLoadFinished = WM_USER + 109;
// Recovery worker -> main window, posted at its end.
constexpr UINT kMsgRecoverFinished = WM_USER + 110;
// Acquisition worker -> main window, posted at its end; wParam 1.
constexpr UINT kMsgAcquisitionFinished = WM_USER + 111;
// Update-check worker -> main window when an update exists; wParam the check's result.
constexpr UINT kMsgUpdateAvailable = WM_USER + 112;
