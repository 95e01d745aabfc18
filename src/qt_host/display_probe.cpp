// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/display_probe.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

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

bool CanOpenWaylandDisplay(const std::string& name, const char* runtimeDir)
{
    // Where the Wayland client library looks: an absolute name as it stands,
    // any other in the runtime folder, which it requires.
    std::string path = name;
    if (name.empty() || name[0] != '/') {
        if (runtimeDir == nullptr || *runtimeDir == '\0')
            return false;
        path = std::string(runtimeDir) + "/" + name;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool answered = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return answered;
}
