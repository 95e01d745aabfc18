// Message maps: each class lists the messages, commands and notifications it
// handles, and names its base class's map; lookups walk from the most derived
// map to the root, as the framework's maps do.
#pragma once

#include <functional>
#include <vector>

#include "framework/window_records.h"
#include "system/win_types.h"

class CCmdTarget;
class CCmdUI;

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

// Calls a handler through its member pointer. A handler that a class inherits
// from a second base (CListViewEx's from the list engine) runs with the object
// pointer moved to that base, which is well defined; GCC's -fsanitize=vptr
// checks the moved pointer against the class of the map all the same and
// reports a fault that is not there. The check is left off for the call only:
// the cast to the map's class just before it is still checked.
template <class T, class F, class... Args>
__attribute__((no_sanitize("vptr"))) auto CallMember(T* object, F fn, Args... args)
{
    return (object->*fn)(args...);
}

template <class T> Entry Message(UINT message, LRESULT (T::*fn)(WPARAM, LPARAM))
{
    return {Kind::Message, message, 0, 0,
            [fn](CCmdTarget* t, WPARAM w, LPARAM l, void*) { return CallMember(static_cast<T*>(t), fn, w, l); }};
}

template <class T> Entry Command(UINT id, void (T::*fn)())
{
    return {Kind::Command, 0, id, id, [fn](CCmdTarget* t, WPARAM, LPARAM, void*) -> LRESULT {
                CallMember(static_cast<T*>(t), fn);
                return TRUE;
            }};
}

template <class T> Entry CommandRange(UINT first, UINT last, void (T::*fn)(UINT))
{
    return {Kind::CommandRangeId, 0, first, last, [fn](CCmdTarget* t, WPARAM w, LPARAM, void*) -> LRESULT {
                CallMember(static_cast<T*>(t), fn, static_cast<UINT>(w));
                return TRUE;
            }};
}

template <class T> Entry UpdateUI(UINT id, void (T::*fn)(CCmdUI*))
{
    return {Kind::UpdateUI, 0, id, id, [fn](CCmdTarget* t, WPARAM, LPARAM, void* extra) -> LRESULT {
                CallMember(static_cast<T*>(t), fn, static_cast<CCmdUI*>(extra));
                return TRUE;
            }};
}

template <class T> Entry UpdateUIRange(UINT first, UINT last, void (T::*fn)(CCmdUI*))
{
    return {Kind::UpdateUIRange, 0, first, last, [fn](CCmdTarget* t, WPARAM, LPARAM, void* extra) -> LRESULT {
                CallMember(static_cast<T*>(t), fn, static_cast<CCmdUI*>(extra));
                return TRUE;
            }};
}

template <class T> Entry Notify(UINT code, UINT id, void (T::*fn)(NMHDR*, LRESULT*))
{
    return {Kind::Notify, code, id, id, [fn](CCmdTarget* t, WPARAM, LPARAM l, void* extra) -> LRESULT {
                CallMember(static_cast<T*>(t), fn, reinterpret_cast<NMHDR*>(l), static_cast<LRESULT*>(extra));
                return TRUE;
            }};
}

template <class T> Entry NotifyReflect(UINT code, void (T::*fn)(NMHDR*, LRESULT*))
{
    return {Kind::NotifyReflect, code, 0, 0, [fn](CCmdTarget* t, WPARAM, LPARAM l, void* extra) -> LRESULT {
                CallMember(static_cast<T*>(t), fn, reinterpret_cast<NMHDR*>(l), static_cast<LRESULT*>(extra));
                return TRUE;
            }};
}

template <class T> Entry NotifyReflectEx(UINT code, BOOL (T::*fn)(NMHDR*, LRESULT*))
{
    return {Kind::NotifyReflectEx, code, 0, 0, [fn](CCmdTarget* t, WPARAM, LPARAM l, void* extra) -> LRESULT {
                return CallMember(static_cast<T*>(t), fn, reinterpret_cast<NMHDR*>(l), static_cast<LRESULT*>(extra));
            }};
}

} // namespace msgmap

struct MessageMap {
    const MessageMap* base;
    std::vector<msgmap::Entry> entries;
};
