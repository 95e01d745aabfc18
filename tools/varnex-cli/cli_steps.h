// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The steps the commands share: a failure said on standard error, the route,
// the discovery, the password.
#pragma once

#include <string>

#include "cli_listen.h"
#include "cli_options.h"
#include "cli_password.h"
#include "discovery/interface_route.h"

namespace cli {

// Says "varnex-cli: MESSAGE" on standard error; returns status.
int Fail(int status, const std::string& message);

// The interfaces the probe goes out on; a chosen interface that is not there
// is a failure that names the ones that are.
int ChooseRoute(const Options& options, InterfaceRoute& route);

// Probes and listens through a socket that is closed again afterwards; what
// went wrong on the way is said on standard error.
int Discover(const Options& options, const InterfaceRoute& route, ListenResult& result);

// The command's password; a refusal has been said on standard error.
int AskPassword(const Options& options, const EnvironmentPassword& environment, std::string& password);

} // namespace cli
