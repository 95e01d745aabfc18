// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/device_names.h"

#include "devices/device.h"
#include "res/text/resource_ids.h"
#include "res/text/strings.h"

namespace device {

std::string ModelName(std::uint8_t model)
{
    // Looked up once: every answer's row names its model, and the table is
    // fixed at build time.
    static const std::string names[3] = {res::LoadText(IDS_MODEL_UNKNOWN), res::LoadText(IDS_MODEL_J_K700_V),
                                         res::LoadText(IDS_MODEL_J_K700_W)};
    return names[model == kModelV ? 1 : model == kModelW ? 2 : 0];
}

} // namespace device
