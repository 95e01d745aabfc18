// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The command line of varnex-cli: a subcommand, its arguments and its options.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli_arguments.h"
#include "discovery/discovery_ports.h"

namespace cli {

enum class Command { kDiscover, kSetIp, kSetMac, kReset, kUpdateFirmware, kWeb, kApply, kWatch };
enum class Format { kTable, kCsv, kJson, kText };

struct Options {
    Command command = Command::kDiscover;
    DiscoveryPorts ports;           // broadcastAddress always filled in
    std::string interfaceName;      // --interface: the one interface used; empty: every one ("all")
    double waitSeconds = 2.0;       // commands that discover: a listening window; a quiet one ends listening
    double maxWaitSeconds = 30.0;   // commands that discover: and never later than this after the probe
    Format format = Format::kTable; // discover, apply (where table is csv); watch: text or json
    bool withModel = false;         // discover: a last column Model in table and csv
    bool passwordFromStdin = false; // the commands that send a password
    Mac device;                     // set-ip, reset, update-firmware: the device's MAC
    std::optional<Ipv4> newIp;      // set-ip: the values given
    std::optional<Ipv4> newMask;
    std::optional<Ipv4> newGateway;
    Ipv4 currentIp;                 // set-mac: the device's current address
    Mac newMac;                     // set-mac
    std::string webAddress;         // web: the IP text, passed on unchanged
    bool verify = true;             // set-ip, set-mac, reset: probe again to see the change took
    double verifyWaitSeconds = 5.0; // and for at most this long after sending
    std::string planPath;           // apply: the plan file
    bool dryRun = false;            // apply: say what would be sent, send nothing
    double intervalSeconds = 15.0;  // watch: a probe this often
};

enum class ParseResult { kRun, kHelp, kVersion, kUsageError };

// Reads args (without the program name). kHelp: text is the help to print;
// kVersion: text is the version line; kUsageError: text names what was wrong
// and where to find the help.
// Accepts "--name value" and "--name=value"; "--" ends the options.
ParseResult ParseCommandLine(const std::vector<std::string>& args, Options& options, std::string& text);

const char* CommandName(Command command);

// The commands whose effect a later probe can show: they confirm it by default.
bool Verifies(Command command);

} // namespace cli
