// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The discovered devices as text: an aligned table, CSV or JSON.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "cli_listen.h"
#include "cli_options.h"

namespace cli {

// Writes the devices of a discovery, in arrival order, in the format through
// write, a few kilobytes at a time, so that a long list is never held as text.
// withModel adds a last column "Model" (the model code in decimal) to the
// table and the csv; json always carries the model, the interface's name (null
// when not known) and whether another device answers from the same address.
// CSV and JSON are the window's File > Export List files, from the same writer.
void WriteDevices(const ListenResult& result, Format format, bool withModel,
                  const std::function<void(std::string_view)>& write);

// A text made safe for a terminal: valid UTF-8 as it is, other bytes and
// control characters as \xNN (as the table shows a device's name).
std::string TerminalText(std::string_view raw);

// The same, as one text.
std::string FormatDevices(const ListenResult& result, Format format, bool withModel = false);

} // namespace cli
