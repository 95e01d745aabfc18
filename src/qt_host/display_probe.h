// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Whether a display server answers, asked before Qt starts: Qt aborts the
// program when it cannot connect.
#pragma once

#include <string>

// True without X11 support in the build: then Qt is left to find out.
bool CanOpenXDisplay(const std::string& name);

// name as in WAYLAND_DISPLAY: a socket path, or a name in runtimeDir
// ($XDG_RUNTIME_DIR; nullptr or empty when unset).
bool CanOpenWaylandDisplay(const std::string& name, const char* runtimeDir);
