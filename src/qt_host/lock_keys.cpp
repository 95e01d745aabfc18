// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/lock_keys.h"

#include <QGuiApplication>

#ifdef VARNEX_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#endif

bool ReadLockKey(LockKey key)
{
#ifdef VARNEX_HAVE_X11
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (display == nullptr)
        return false;
    const char* name = key == LockKey::Caps ? "Caps Lock" : (key == LockKey::Num ? "Num Lock" : "Scroll Lock");
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None)
        return false;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return false;
    return on != False;
#else
    (void)key;
    return false;
#endif
}
