// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "system/services.h"

PlatformServices& Platform()
{
    static PlatformServices services;
    return services;
}
