// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The program's version, as the build states it (the project's version).
#pragma once

namespace res {

const char* Version();

} // namespace res
