// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Where varnex-cli's password comes from, the limit of 8 bytes with the
// password dialog's own message, and reading a line from standard input.
#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

#include "varnex-cli/cli_password.h"
#include "varnex-cli/cli_texts.h"

namespace {

using cli::PasswordSources;
using cli::PasswordStatus;

// Sources whose every reader records that it was asked.
struct FakeSources {
    std::string stdinLine = "stdin-pw";
    std::string typed = "typed";
    bool stdinAsked = false;
    bool promptAsked = false;

    PasswordSources Make(bool fromStdin, const char* env, bool terminal)
    {
        PasswordSources s;
        s.fromStdin = fromStdin;
        s.environment = env;
        s.stdinIsTerminal = terminal;
        s.readStdinLine = [this](std::string& line, std::size_t keep) {
            stdinAsked = true;
            line = stdinLine.substr(0, keep);
            return true;
        };
        s.promptWithoutEcho = [this](std::string& line, std::size_t keep) {
            promptAsked = true;
            line = typed.substr(0, keep);
            return true;
        };
        return s;
    }
};

std::string Obtain(const PasswordSources& s, PasswordStatus expected = PasswordStatus::kOk)
{
    std::string password, error;
    EXPECT_EQ(cli::ObtainPassword(s, password, error), expected) << error;
    return password;
}

TEST(CliPassword, StdinThenEnvironmentThenPromptThenEmpty)
{
    FakeSources f;
    EXPECT_EQ(Obtain(f.Make(true, "from-env", true)), "stdin-pw");
    EXPECT_FALSE(f.promptAsked);

    FakeSources g;
    EXPECT_EQ(Obtain(g.Make(false, "env-pw", true)), "env-pw");
    EXPECT_FALSE(g.stdinAsked);
    EXPECT_FALSE(g.promptAsked);
    EXPECT_EQ(Obtain(g.Make(false, "", true)), ""); // set but empty still counts
    EXPECT_FALSE(g.promptAsked);

    EXPECT_EQ(Obtain(g.Make(false, nullptr, true)), "typed");
    EXPECT_TRUE(g.promptAsked);

    FakeSources h;
    EXPECT_EQ(Obtain(h.Make(false, nullptr, false)), "");
    EXPECT_FALSE(h.stdinAsked);
    EXPECT_FALSE(h.promptAsked);
}

TEST(CliPassword, NineBytesAreRefusedWithTheDialogsMessage)
{
    EXPECT_EQ(cli::TooLongMessage(8), "Please enter no more than 8 characters.");
    FakeSources f;
    f.stdinLine = "123456789";
    f.typed = "123456789";
    for (const PasswordSources& s :
         {f.Make(true, nullptr, false), f.Make(false, "123456789", false), f.Make(false, nullptr, true)}) {
        std::string password = "old", error;
        EXPECT_EQ(cli::ObtainPassword(s, password, error), PasswordStatus::kTooLong);
        EXPECT_EQ(error, "Please enter no more than 8 characters.");
        EXPECT_EQ(password, "");
    }
    EXPECT_EQ(Obtain(f.Make(false, "12345678", false)), "12345678");
}

TEST(CliPassword, ReadErrorIsReported)
{
    PasswordSources s;
    s.fromStdin = true;
    s.readStdinLine = [](std::string&, std::size_t) { return false; };
    std::string password, error;
    EXPECT_EQ(cli::ObtainPassword(s, password, error), PasswordStatus::kReadError);
    EXPECT_NE(error.find("standard input"), std::string::npos);
}

// Lines read from the other end of a pipe, as from standard input.
std::vector<std::string> PipeLines(const std::string& text, std::vector<std::size_t> keeps)
{
    int fds[2];
    EXPECT_EQ(::pipe(fds), 0);
    EXPECT_EQ(::write(fds[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
    ::close(fds[1]);
    std::vector<std::string> lines;
    for (std::size_t keep : keeps) {
        lines.emplace_back();
        EXPECT_TRUE(cli::ReadLineFromFd(fds[0], lines.back(), keep));
    }
    ::close(fds[0]);
    return lines;
}

TEST(CliPassword, OneLineAtATimeWithoutItsLineBreak)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(PipeLines("secret\r\nsecond line\n", {9, 20, 9}), (Lines{"secret", "second line", ""}));
    // A long line is read only as far as needed to refuse it.
    EXPECT_EQ(PipeLines("0123456789abcdef\nnext\n", {9, 9}), (Lines{"012345678", "9abcdef"}));
    EXPECT_EQ(PipeLines("12345678\rx\n", {9}), (Lines{"12345678\r"}));
    EXPECT_EQ(PipeLines("12345678\r\n", {9}), (Lines{"12345678"}));
    EXPECT_EQ(PipeLines("a b", {9}), (Lines{"a b"}));
}

TEST(CliPassword, AnEndlessLineIsRefusedWithoutReadingItAll)
{
    // As --password-stdin < /dev/zero, or a line of megabytes: a file lets the
    // test see how far the reading went.
    char path[] = "/tmp/varnex-password-XXXXXX";
    const int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    ::unlink(path);
    const std::string endless(1 << 20, 'x');
    ASSERT_EQ(::write(fd, endless.data(), endless.size()), static_cast<ssize_t>(endless.size()));
    ::lseek(fd, 0, SEEK_SET);
    std::string line;
    EXPECT_TRUE(cli::ReadLineFromFd(fd, line, 9));
    EXPECT_EQ(line, std::string(9, 'x'));
    EXPECT_LE(::lseek(fd, 0, SEEK_CUR), 10);
    ::close(fd);
}

} // namespace
