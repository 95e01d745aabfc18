// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/key_map.h"

#include "system/win_messages.h"

namespace {

constexpr UINT kVkClear = 0x0C;
constexpr UINT kVkPause = 0x13;
constexpr UINT kVkCapital = 0x14;
constexpr UINT kVkLeftWin = 0x5B;
constexpr UINT kVkNumpad0 = 0x60;
constexpr UINT kVkMultiply = 0x6A;
constexpr UINT kVkDecimal = 0x6E;
constexpr UINT kVkDivide = 0x6F;
constexpr UINT kVkF1 = 0x70;
constexpr UINT kVkNumLock = 0x90;
constexpr UINT kVkScroll = 0x91;
constexpr UINT kVkOemPlus = 0xBB;
constexpr UINT kVkOemComma = 0xBC;
constexpr UINT kVkOemMinus = 0xBD;
constexpr UINT kVkOemPeriod = 0xBE;

UINT KeypadKey(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return kVkNumpad0 + static_cast<UINT>(key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Plus:
        return VK_ADD;
    case Qt::Key_Minus:
        return VK_SUBTRACT;
    case Qt::Key_Asterisk:
        return kVkMultiply;
    case Qt::Key_Slash:
        return kVkDivide;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return kVkDecimal;
    default:
        return 0; // navigation keys of the keypad (num lock off) are the usual ones
    }
}

} // namespace

UINT VirtualKeyFromQtKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) {
        if (const UINT vk = KeypadKey(key))
            return vk;
    }
    // Letters and digits have their ASCII codes in both worlds.
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return static_cast<UINT>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return kVkF1 + static_cast<UINT>(key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Clear:
        return kVkClear;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return VK_MENU;
    case Qt::Key_Meta:
        return kVkLeftWin;
    case Qt::Key_Menu:
        return VK_APPS;
    case Qt::Key_Pause:
        return kVkPause;
    case Qt::Key_CapsLock:
        return kVkCapital;
    case Qt::Key_NumLock:
        return kVkNumLock;
    case Qt::Key_ScrollLock:
        return kVkScroll;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return kVkOemPlus;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return kVkOemMinus;
    case Qt::Key_Comma:
        return kVkOemComma;
    case Qt::Key_Period:
        return kVkOemPeriod;
    default:
        return 0;
    }
}
