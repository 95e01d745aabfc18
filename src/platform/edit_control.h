// The single-line edit control (window class "Edit"): a text the user types,
// limited in length, optionally turned to capitals or masked on screen. The
// caret stays at the end of the text; there is no selection.
#pragma once

#include "platform/win_messages.h"

inline constexpr const char* kEditClassName = "Edit";

// Messages (wParam / lParam).
constexpr UINT EM_SETSEL = 0x00B1;         // ignored: no selection is kept
constexpr UINT EM_REPLACESEL = 0x00C2;     // - / const char*: inserts at the caret, as a paste does
constexpr UINT EM_LIMITTEXT = 0x00C5;      // limit (0: the largest) / -
constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;
constexpr UINT EM_GETLIMITTEXT = 0x00D5;

// Notifications, sent to the parent as WM_COMMAND (code in the high word of wParam,
// the control in lParam).
constexpr int EN_SETFOCUS = 0x0100;
constexpr int EN_KILLFOCUS = 0x0200;
constexpr int EN_CHANGE = 0x0300;
constexpr int EN_MAXTEXT = 0x0501;

// Styles of the edit control used by our templates live with the templates
// (ES_UPPERCASE, ES_PASSWORD, ES_AUTOHSCROLL in resources.h).

// Lengths count bytes, as the platform's byte-character edit control counts them.
constexpr UINT kEditDefaultLimit = 30000;
constexpr UINT kEditLargestLimit = 0x7FFFFFFE;

void RegisterEditControl();
