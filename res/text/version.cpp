// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "res/text/version.h"

#ifndef VARNEX_VERSION
#error "VARNEX_VERSION is set by the build (cmake/version.cmake)"
#endif

namespace res {

const char* Version()
{
    return VARNEX_VERSION;
}

} // namespace res
