// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Message maps: each class lists the messages, commands and notifications it
// handles, and names its base class's map; lookups walk from the most derived
// map to the root, as the framework's maps do.
#pragma once

#include <functional>
#include <type_traits>
#include <vector>

#include "framework/window_records.h"
#include "system/win_types.h"

class CCmdTarget;
class CCmdUI;
class CWnd;

namespace msgmap {

enum class Kind {
    Message,         // a window message: LRESULT handler(WPARAM, LPARAM)
    Command,         // WM_COMMAND for one id or a range: void handler()
    CommandRangeId,  // WM_COMMAND for a range, with the id: void handler(UINT)
    UpdateUI,        // command-state query: void handler(CCmdUI*)
    UpdateUIRange,   // the same for a range of ids
    Notify,          // WM_NOTIFY from child id: void handler(NMHDR*, LRESULT*)
    NotifyReflect,   // a notification reflected back to the child: void handler(NMHDR*, LRESULT*)
    NotifyReflectEx, // reflected; the handler's BOOL decides whether the parent sees it too
    ControlCommand,  // WM_COMMAND with a notification code from control id: void handler(CWnd* control)
};

struct Entry {
    Kind kind;
    UINT message; // window message, or the notification code
    UINT id;      // command or child id (first of a range)
    UINT lastId;  // last id of a range
    // Calls the handler: (target, wParam, lParam, extra) -> result. For commands and
    // reflections the result says whether the entry handled the message.
    std::function<LRESULT(CCmdTarget*, WPARAM, LPARAM, void*)> call;
};

// The window a handler runs on, as the class that declares the handler: a
// handler of a second base class is called on that base, never through a
// member pointer adjusted from the window's class. T names the window's class
// when the handler's class C is a base that is no command target.
template <class T, class C> C* Object(CCmdTarget* t)
{
    using Target = std::conditional_t<std::is_void_v<T>, C, T>;
    return static_cast<Target*>(t);
}

template <class T = void, class C> Entry Message(UINT message, LRESULT (C::*fn)(WPARAM, LPARAM))
{
    return {Kind::Message, message, 0, 0,
            [fn](CCmdTarget* t, WPARAM w, LPARAM l, void*) { return (Object<T, C>(t)->*fn)(w, l); }};
}

template <class T = void, class C> Entry Command(UINT id, void (C::*fn)())
{
    return {Kind::Command, 0, id, id, [fn](CCmdTarget* t, WPARAM, LPARAM, void*) -> LRESULT {
                (Object<T, C>(t)->*fn)();
                return TRUE;
            }};
}

template <class T = void, class C> Entry CommandRange(UINT first, UINT last, void (C::*fn)(UINT))
{
    return {Kind::CommandRangeId, 0, first, last, [fn](CCmdTarget* t, WPARAM w, LPARAM, void*) -> LRESULT {
                (Object<T, C>(t)->*fn)(static_cast<UINT>(w));
                return TRUE;
            }};
}

template <class T = void, class C> Entry UpdateUI(UINT id, void (C::*fn)(CCmdUI*))
{
    return {Kind::UpdateUI, 0, id, id, [fn](CCmdTarget* t, WPARAM, LPARAM, void* extra) -> LRESULT {
                (Object<T, C>(t)->*fn)(static_cast<CCmdUI*>(extra));
                return TRUE;
            }};
}

template <class T = void, class C> Entry UpdateUIRange(UINT first, UINT last, void (C::*fn)(CCmdUI*))
{
    return {Kind::UpdateUIRange, 0, first, last, [fn](CCmdTarget* t, WPARAM, LPARAM, void* extra) -> LRESULT {
                (Object<T, C>(t)->*fn)(static_cast<CCmdUI*>(extra));
                return TRUE;
            }};
}

template <class T = void, class C> Entry Notify(UINT code, UINT id, void (C::*fn)(NMHDR*, LRESULT*))
{
    return {Kind::Notify, code, id, id, [fn](CCmdTarget* t, WPARAM, LPARAM l, void* extra) -> LRESULT {
                (Object<T, C>(t)->*fn)(reinterpret_cast<NMHDR*>(l), static_cast<LRESULT*>(extra));
                return TRUE;
            }};
}

template <class T = void, class C> Entry NotifyReflect(UINT code, void (C::*fn)(NMHDR*, LRESULT*))
{
    return {Kind::NotifyReflect, code, 0, 0, [fn](CCmdTarget* t, WPARAM, LPARAM l, void* extra) -> LRESULT {
                (Object<T, C>(t)->*fn)(reinterpret_cast<NMHDR*>(l), static_cast<LRESULT*>(extra));
                return TRUE;
            }};
}

template <class T = void, class C> Entry NotifyReflectEx(UINT code, BOOL (C::*fn)(NMHDR*, LRESULT*))
{
    return {Kind::NotifyReflectEx, code, 0, 0, [fn](CCmdTarget* t, WPARAM, LPARAM l, void* extra) -> LRESULT {
                return (Object<T, C>(t)->*fn)(reinterpret_cast<NMHDR*>(l), static_cast<LRESULT*>(extra));
            }};
}

// A control's notification by WM_COMMAND (EN_CHANGE and the like), routed as
// commands are, so that a control in a bar reaches the view.
template <class T = void, class C> Entry ControlCommand(UINT code, UINT id, void (C::*fn)(CWnd*))
{
    return {Kind::ControlCommand, code, id, id, [fn](CCmdTarget* t, WPARAM, LPARAM, void* extra) -> LRESULT {
                (Object<T, C>(t)->*fn)(static_cast<CWnd*>(extra));
                return TRUE;
            }};
}

} // namespace msgmap

struct MessageMap {
    const MessageMap* base;
    std::vector<msgmap::Entry> entries;
};
