// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// File > Change Log with a full log: both files at the size where the log
// turns over (some 9,000 entries), read, parsed, sorted and put into the
// dialog's list as the dialog opens. Each iteration is one real opening of
// the dialog (its control windows made and filled), closed again at once.
// Left out: painting (no screen here) and the toolkit's own dialog window.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "controls/common_controls.h"
#include "devices/change_log.h"
#include "dialogs/change_log_dlg.h"
#include "framework/dialog.h"
#include "res/install_resources.h"
#include "system/services.h"

namespace {

// Opens each dialog, and closes it as soon as it is there.
class ClosingUser : public UserInterface {
public:
    int MessageBox(const std::string&, const std::string&, UINT) override { return IDOK; }
    void TrackPopupMenu(const MenuItemDef&, int, int, CWnd*) override {}
    POINT GetCursorPos() const override { return {}; }
    INT_PTR RunModalDialog(CDialog&) override { return IDOK; }
};

// A log file of set-ip lines up to the size where the log turns over.
std::size_t WriteFullLog(const std::string& path, std::time_t from)
{
    std::ofstream file(path, std::ios::binary);
    std::size_t bytes = 0;
    std::size_t lines = 0;
    for (std::uint32_t i = 0;; ++i) {
        device::ChangeRecord record;
        record.program = i % 3 ? "varnex-cli" : "varnex";
        record.interfaceName = "eth0";
        record.mac = {0x00,
                      0x0A,
                      static_cast<std::uint8_t>(i >> 16),
                      static_cast<std::uint8_t>(i >> 8),
                      static_cast<std::uint8_t>(i),
                      0x4E};
        record.command = "set-ip";
        record.before = {{"ip", "192.168.1." + std::to_string(i % 250 + 1)}};
        record.after = {{"ip", "10.77.0." + std::to_string(i % 250 + 1)}};
        record.confirmed = i % 5 != 0;
        const std::string line = device::ChangeLine(record, std::chrono::system_clock::from_time_t(from + i));
        if (bytes + line.size() > device::ChangeLog::kRotateAt)
            return lines;
        file << line;
        bytes += line.size();
        ++lines;
    }
}

void BM_ChangeLogOpenFullLog(benchmark::State& state)
{
    InitCommonControls();
    res::InstallResources();
    ClosingUser user;
    UserInterface* previous = Platform().ui;
    Platform().ui = &user;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("varnex-bench-log-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "commands.log").string();
    const std::size_t entries = WriteFullLog(path + ".1", 1700000000) + WriteFullLog(path, 1710000000);
    for (auto _ : state) {
        CChangeLogDlg dialog(path);
        benchmark::DoNotOptimize(dialog.DoModal());
    }
    Platform().ui = previous;
    std::filesystem::remove_all(folder);
    state.counters["entries"] = static_cast<double>(entries);
    state.counters["log_bytes"] = static_cast<double>(2 * device::ChangeLog::kRotateAt);
    state.SetItemsProcessed(static_cast<long long>(state.iterations() * entries));
}
BENCHMARK(BM_ChangeLogOpenFullLog)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
