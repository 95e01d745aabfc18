// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Whether Qt will find a platform to start on, settled before Qt starts: Qt
// aborts the program when none of the platforms it tries can start (an
// unknown -platform name, no display, a display that does not answer).
#pragma once

#include <functional>
#include <string>
#include <vector>

// What the host can find out about displays and platforms before Qt starts.
struct DisplayProbe {
    std::function<const char*(const char*)> env;            // nullptr when unset
    std::function<bool(const std::string&)> canOpenX;       // an X server answers at that display
    std::function<bool(const std::string&)> canOpenWayland; // a compositor answers at that WAYLAND_DISPLAY
    std::function<std::vector<std::string>()> platforms;    // Qt's installed platform plugins; empty: unknown
};

// The one line to print when Qt would find no platform to start on, else
// empty. qtArgs as ReadStartOptions leaves them; a probe left empty is not asked.
std::string NoDisplayReason(const std::vector<std::string>& qtArgs, const DisplayProbe& probe);
