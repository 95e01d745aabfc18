// The IP address control (window class "SysIPAddress32"): four fields of 0 to
// 255, each of which may be blank. The user types digits into the current
// field; three digits or a '.' move on to the next one.
#pragma once

#include "platform/win_messages.h"

inline constexpr const char* kIPAddressClassName = "SysIPAddress32";

// Messages (wParam / lParam), with the platform's values.
constexpr UINT IPM_CLEARADDRESS = WM_USER + 100;  // - / -
constexpr UINT IPM_SETADDRESS = WM_USER + 101;    // - / packed address
constexpr UINT IPM_GETADDRESS = WM_USER + 102;    // - / DWORD*; returns the number of non-blank fields
constexpr UINT IPM_SETRANGE = WM_USER + 103;      // field / MAKEIPRANGE(low, high)
constexpr UINT IPM_SETFOCUS = WM_USER + 104;      // field / -
constexpr UINT IPM_ISBLANK = WM_USER + 105;       // - / -; nonzero when every field is blank

// Messages of our own, between the control and a host that shows its fields.
// The platform has no message for a single field; a host edits one at a time.
constexpr UINT IPM_SETFIELDTEXT = WM_USER + 0x200;  // field / const char*: the field as the user left it
constexpr UINT IPM_GETFIELDTEXT = WM_USER + 0x201;  // field / char[4]; returns the length
constexpr UINT IPM_GETCURRENTFIELD = WM_USER + 0x202;

// The address packed first byte highest.
constexpr LPARAM MAKEIPADDRESS(int b1, int b2, int b3, int b4)
{
    return static_cast<LPARAM>((static_cast<DWORD>(b1 & 0xFF) << 24) | (static_cast<DWORD>(b2 & 0xFF) << 16) |
                               (static_cast<DWORD>(b3 & 0xFF) << 8) | static_cast<DWORD>(b4 & 0xFF));
}
constexpr BYTE FIRST_IPADDRESS(DWORD x) { return static_cast<BYTE>((x >> 24) & 0xFF); }
constexpr BYTE SECOND_IPADDRESS(DWORD x) { return static_cast<BYTE>((x >> 16) & 0xFF); }
constexpr BYTE THIRD_IPADDRESS(DWORD x) { return static_cast<BYTE>((x >> 8) & 0xFF); }
constexpr BYTE FOURTH_IPADDRESS(DWORD x) { return static_cast<BYTE>(x & 0xFF); }
constexpr LPARAM MAKEIPRANGE(int low, int high)
{
    return static_cast<LPARAM>((static_cast<WORD>(high & 0xFF) << 8) | static_cast<WORD>(low & 0xFF));
}

constexpr int kIPAddressFields = 4;

void RegisterIPAddressControl();
