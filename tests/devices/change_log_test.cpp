// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The log of changes: where it goes, its lines, its folder and mode, the turn
// to a new file at its size limit, a log that cannot be written, and entries
// held until their verdict.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "devices/change_log.h"
#include "devices/pending_changes.h"

namespace {

namespace fs = std::filesystem;

class ChangeLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string folder = (fs::temp_directory_path() / "varnex-log-XXXXXX").string();
        ASSERT_NE(::mkdtemp(folder.data()), nullptr);
        root = folder;
    }
    void TearDown() override { fs::remove_all(root); }
    static std::string Read(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    static device::ChangeRecord SetIp()
    {
        device::ChangeRecord record;
        record.program = "varnex-cli";
        record.interfaceName = "eth0";
        record.mac = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
        record.command = "set-ip";
        record.before = {{"ip", "192.168.1.20"}};
        record.after = {{"ip", "192.168.1.50"}};
        return record;
    }
    std::string root;
};

} // namespace

TEST_F(ChangeLogTest, ThePathFollowsXdgStateHomeElseHome)
{
    const struct {
        const char* state;
        const char* home;
        const char* path;
    } cases[] = {
        {"/s", "/h", "/s/varnex/commands.log"},
        {nullptr, "/h", "/h/.local/state/varnex/commands.log"},
        {"relative", "/h", "/h/.local/state/varnex/commands.log"}, // not absolute: ignored, as the basedir rule says
        {nullptr, nullptr, ""},
    };
    const std::string savedState = std::getenv("XDG_STATE_HOME") ? std::getenv("XDG_STATE_HOME") : "";
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    for (const auto& c : cases) {
        c.state ? ::setenv("XDG_STATE_HOME", c.state, 1) : ::unsetenv("XDG_STATE_HOME");
        c.home ? ::setenv("HOME", c.home, 1) : ::unsetenv("HOME");
        EXPECT_EQ(device::ChangeLog::DefaultPath(), c.path);
    }
    savedState.empty() ? ::unsetenv("XDG_STATE_HOME") : ::setenv("XDG_STATE_HOME", savedState.c_str(), 1);
    savedHome.empty() ? ::unsetenv("HOME") : ::setenv("HOME", savedHome.c_str(), 1);
}

TEST_F(ChangeLogTest, LinesAreAppendedToAPrivateFileInAFolderMadeForIt)
{
    const std::string path = root + "/state/varnex/commands.log";
    device::ChangeLog log(path);
    EXPECT_FALSE(log.Append(SetIp()));
    device::ChangeRecord reset = SetIp();
    reset.command = "reset";
    reset.before.clear();
    reset.after.clear();
    reset.interfaceName.clear();
    reset.confirmed = false;
    EXPECT_FALSE(log.Append(reset));

    const std::string text = Read(path);
    ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
    const std::string first = text.substr(0, text.find('\n'));
    EXPECT_EQ(first.substr(first.find("\"program\"")),
              "\"program\": \"varnex-cli\", \"interface\": \"eth0\", \"mac\": \"00-0A-1B-2C-3D-4E\", \"command\": "
              "\"set-ip\", \"before\": {\"ip\": \"192.168.1.20\"}, \"after\": {\"ip\": \"192.168.1.50\"}, "
              "\"confirmed\": null}");
    EXPECT_NE(text.find("\"interface\": null"), std::string::npos);
    EXPECT_NE(text.find("\"confirmed\": false}"), std::string::npos);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(ChangeLogTest, AtItsSizeLimitTheLogTurnsOverKeepingOneOlderFile)
{
    const std::string path = root + "/commands.log";
    device::ChangeLog log(path);
    const std::size_t line = device::ChangeLine(SetIp(), {}).size();
    const std::size_t perFile = device::ChangeLog::kRotateAt / line;
    for (std::size_t i = 0; i < 2 * perFile + 3; ++i)
        ASSERT_FALSE(log.Append(SetIp()));
    EXPECT_LE(fs::file_size(path), device::ChangeLog::kRotateAt);
    EXPECT_LE(fs::file_size(path + ".1"), device::ChangeLog::kRotateAt);
    EXPECT_GT(fs::file_size(path + ".1"), device::ChangeLog::kRotateAt - 2 * line);
    EXPECT_FALSE(fs::exists(path + ".2"));
}

TEST_F(ChangeLogTest, ALogThatCannotBeWrittenIsToldOnceWithTheReason)
{
    // A file where the folder should be: even root cannot write there.
    std::ofstream(root + "/varnex") << "a file";
    device::ChangeLog log(root + "/varnex/commands.log");
    const std::optional<std::string> first = log.Append(SetIp());
    ASSERT_TRUE(first);
    EXPECT_NE(first->find(root + "/varnex"), std::string::npos) << *first;
    EXPECT_FALSE(log.Append(SetIp()));
}

// Entries held until their command's verdict: each written once, with the
// verdict of its own device and the time it was sent; whatever is still held
// when the holder goes is written as not checked.
TEST_F(ChangeLogTest, HeldEntriesAreWrittenOnceWithTheirDevicesVerdict)
{
    const std::string path = root + "/commands.log";
    device::ChangeLog log(path);
    const auto sent = std::chrono::system_clock::from_time_t(1714572202); // 2024-05-01T14:03:22Z
    const device::Mac other{0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4F};
    {
        device::PendingChanges held(log);
        device::ChangeRecord mask = SetIp();
        mask.command = "set-mask";
        held.Hold(SetIp(), 2, sent);
        held.Hold(mask, 2, sent);
        device::ChangeRecord second = SetIp();
        second.mac = other;
        held.Hold(second, 2, sent);
        // The same MAC on another interface is another device.
        held.Hold(SetIp(), 3, sent);
        EXPECT_FALSE(fs::exists(path)); // nothing before a verdict

        using Key = device::PendingChanges::DeviceKey;
        const Key first{SetIp().mac, 2};
        const auto only = [](const Key& device) { return [device](const Key& key) { return key == device; }; };
        EXPECT_FALSE(held.Settle(only(first), [](const Key&) { return true; }));
        std::string text = Read(path);
        ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
        EXPECT_EQ(text.find("\"time\": \"2024-05-01T14:03:22Z\""), 1u) << text;
        EXPECT_LT(text.find("\"set-ip\""), text.find("\"set-mask\"")) << text;
        EXPECT_EQ(text.find("null"), std::string::npos) << text; // interface named, both confirmed true
        EXPECT_FALSE(held.Settle(only(first), [](const Key&) { return false; })); // written: nothing more
        text = Read(path);
        ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;

        EXPECT_FALSE(held.SettleAll([&other](const Key& key) -> std::optional<bool> {
            if (key.first == other)
                return false;
            return std::nullopt;
        }));
        text = Read(path);
        ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), 4) << text;
        EXPECT_NE(text.find("\"mac\": \"00-0A-1B-2C-3D-4F\", \"command\": \"set-ip\", \"before\": {\"ip\": "
                            "\"192.168.1.20\"}, \"after\": {\"ip\": \"192.168.1.50\"}, \"confirmed\": false}"),
                  std::string::npos)
            << text;
        EXPECT_TRUE(held.Empty());
        held.Hold(SetIp(), 2, sent);
    }
    // The holder went with one entry left: written, not checked.
    const std::string text = Read(path);
    ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), 5) << text;
    EXPECT_EQ(text.substr(text.rfind("\"confirmed\"")), "\"confirmed\": null}\n");
}
