// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The commands these tests send enter a log of changes of their own, never the
// user's: XDG_STATE_HOME points to a folder made for the run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class StateHome : public ::testing::Environment {
public:
    void SetUp() override
    {
        std::string folder = (std::filesystem::temp_directory_path() / "varnex-tool-state-XXXXXX").string();
        ASSERT_NE(::mkdtemp(folder.data()), nullptr);
        m_folder = folder;
        ::setenv("XDG_STATE_HOME", m_folder.c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

private:
    std::string m_folder;
};

[[maybe_unused]] const ::testing::Environment* const kStateHome = ::testing::AddGlobalTestEnvironment(new StateHome);

} // namespace
