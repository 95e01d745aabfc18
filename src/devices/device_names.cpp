// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "devices/device_names.h"

#include "devices/device.h"
#include "res/text/resource_ids.h"
#include "res/text/strings.h"

namespace device {

std::string ModelName(std::uint8_t model)
{
    return res::LoadText(model == kModelV   ? IDS_MODEL_J_K700_V
                         : model == kModelW ? IDS_MODEL_J_K700_W
                                            : IDS_MODEL_UNKNOWN);
}

} // namespace device
