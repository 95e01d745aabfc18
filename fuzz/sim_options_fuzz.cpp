// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// varnex-sim's command line: a run has devices to load, ports that differ and
// an unasked-answer pause that is off or at least a millisecond (a shorter one
// rounded to nothing and sent nothing); every refusal is one fair line. The
// input is split at NUL bytes into the arguments.
#include <cstdlib>

#include "fuzz/fuzz_args.h"
#include "varnex-sim/sim_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    sim::Options options;
    std::string error;
    switch (sim::ParseOptions(SplitArguments(data, size), options, error)) {
    case sim::OptionsResult::kUsageError:
        if (!IsFairRefusal(error))
            std::abort();
        return 0;
    case sim::OptionsResult::kHelp:
    case sim::OptionsResult::kVersion:
        return 0;
    case sim::OptionsResult::kRun:
        break;
    }
    using std::chrono::milliseconds;
    if (options.sources.empty() || options.port == 0 || options.replyPort == 0 || options.port == options.replyPort ||
        (options.answerEvery != sim::Clock::duration::zero() && options.answerEvery < milliseconds(1)) ||
        options.resetSilence < sim::Clock::duration::zero() || options.replyDelay > milliseconds(60000))
        std::abort();
    return 0;
}
