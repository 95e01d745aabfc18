// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/x_display_probe.h"

#ifdef VARNEX_HAVE_X11
#include <X11/Xlib.h>
#endif

bool CanOpenXDisplay(const std::string& name)
{
#ifdef VARNEX_HAVE_X11
    Display* display = XOpenDisplay(name.c_str());
    if (display == nullptr)
        return false;
    XCloseDisplay(display);
#else
    (void)name;
#endif
    return true;
}
