// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// varnex-sim: simulated devices that answer discovery probes and apply commands,
// so the program and its scripts run without hardware (see --help).
#include <cstdio>
#include <string>
#include <vector>

#include "sim_device_sources.h"
#include "sim_log.h"
#include "sim_options.h"
#include "sim_udp_loop.h"
#include "system/standard_output.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    sim::Options options;
    std::string error;
    switch (sim::ParseOptions(args, options, error)) {
    case sim::OptionsResult::kHelp:
        return WriteStandardOutput("varnex-sim", sim::HelpText()) ? 0 : 1;
    case sim::OptionsResult::kVersion:
        return WriteStandardOutput("varnex-sim", sim::VersionText()) ? 0 : 1;
    case sim::OptionsResult::kUsageError:
        std::fprintf(stderr, "varnex-sim: %s\nTry 'varnex-sim --help'.\n", error.c_str());
        return 2;
    case sim::OptionsResult::kRun:
        break;
    }

    std::vector<sim::Device> devices;
    if (const int status = sim::LoadDevices(options.sources, devices, error); status != 0) {
        std::fprintf(stderr, "varnex-sim: %s\n", error.c_str());
        return status;
    }
    if (devices.empty()) {
        std::fprintf(stderr, "varnex-sim: the device files define no device\n");
        return 2;
    }

    if (options.ignoreCommands)
        for (sim::Device& device : devices)
            device.ignoresCommands = true;

    sim::DatagramLog log;
    if (!log.Open(options.logPath, error)) {
        std::fprintf(stderr, "varnex-sim: %s\n", error.c_str());
        return 1;
    }
    return sim::RunSimulator(options, devices, log);
}
