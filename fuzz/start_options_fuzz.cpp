// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The desktop program's command line: every argument is an option of ours or
// of Qt, or the one document, or the whole is refused in one fair line; what
// was read reads back the same when written out again; and the choice of
// platform answers in one line whatever the environment holds. The input is
// split at NUL bytes into the arguments; the last two are DISPLAY and
// QT_QPA_PLATFORM.
#include <cstdlib>
#include <map>

#include "fuzz/fuzz_args.h"
#include "qt_host/start/platform_choice.h"
#include "qt_host/start/qt_options.h"
#include "qt_host/start/start_options.h"

namespace {

// The options as a command line again, in the "--name=value" spelling.
std::vector<std::string> Written(const StartOptions& o)
{
    std::vector<std::string> args = o.qtArgs;
    if (!o.reportPath.empty())
        args.push_back("--report=" + o.reportPath);
    args.push_back("--report-after=" + std::to_string(o.reportAfterMs));
    if (o.selectRow >= 0)
        args.push_back("--select=" + std::to_string(o.selectRow) + "-" + std::to_string(o.selectLast));
    if (o.reportWhenAnswered)
        args.push_back("--report-when-answered");
    for (unsigned id : o.commands)
        args.push_back("--command=" + std::to_string(id));
    if (!o.file.empty())
        args.insert(args.end(), {"--", o.file});
    return args;
}

bool Same(const StartOptions& a, const StartOptions& b)
{
    return a.action == b.action && a.file == b.file && a.reportPath == b.reportPath &&
           a.reportAfterMs == b.reportAfterMs && a.commands == b.commands && a.selectRow == b.selectRow &&
           a.selectLast == b.selectLast && a.reportWhenAnswered == b.reportWhenAnswered && a.qtArgs == b.qtArgs;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> args = SplitArguments(data, size);
    const StartOptions options = ReadStartOptions(args);
    switch (options.action) {
    case StartAction::kUsageError:
        if (!IsFairRefusal(options.error))
            std::abort();
        return 0;
    case StartAction::kHelp:
    case StartAction::kVersion:
        return 0;
    case StartAction::kRun:
        break;
    }
    if (options.reportAfterMs < 0 || options.reportAfterMs > 86400000 || options.selectRow > 1000000 ||
        options.selectLast > 1000000 || (options.selectRow >= 0 && options.selectLast < options.selectRow) ||
        options.commands.size() > args.size() || options.qtArgs.size() > args.size())
        std::abort();
    for (std::size_t i = 0; i < options.qtArgs.size(); ++i)
        if (QtOptionKind(options.qtArgs[i]) == QtOption::kNone ||
            (QtOptionKind(options.qtArgs[i]) == QtOption::kWithValue && ++i == options.qtArgs.size()))
            std::abort();
    if (!Same(ReadStartOptions(Written(options)), options))
        std::abort();

    std::map<std::string, std::string> env{{"WAYLAND_DISPLAY", args.front()}};
    if (args.size() >= 3) {
        env["DISPLAY"] = args[args.size() - 2];
        env["QT_QPA_PLATFORM"] = args.back();
    }
    const DisplayProbe probe{[&env](const char* name) {
                                 const auto it = env.find(name);
                                 return it == env.end() ? nullptr : it->second.c_str();
                             },
                             [](const std::string& name) { return name.size() % 2 == 0; },
                             [](const std::string& name) { return name.size() % 3 == 0; },
                             [] {
                                 return std::vector<std::string>{"offscreen", "wayland", "xcb"};
                             }};
    const std::string reason = NoDisplayReason(options.qtArgs, probe);
    // One line naming at most two platforms or displays, however long -platform's list.
    if (!reason.empty() && (reason.size() > 1200 || !IsFairRefusal(reason.substr(0, 600)) ||
                            !IsFairRefusal(reason.substr(reason.size() > 600 ? reason.size() - 600 : 0))))
        std::abort();
    return 0;
}
