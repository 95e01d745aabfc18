// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The whole program without a screen: the application's real start-up on
// virtual time, an in-memory network and a scripted user.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/varnex_app.h"
#include "support/fake_event_loop.h"
#include "support/fake_network.h"
#include "support/scripted_user.h"
#include "view/varnex_view.h"

class AppFixture : public ::testing::Test {
protected:
    AppFixture();
    ~AppFixture() override;

    // Runs the application's start-up; false when it ended the program.
    bool Start();
    CVarnexView& View() const;
    CFrameWnd& Frame() const;
    std::string StatusExt() const;
    int RowCount() const;
    std::vector<std::string> Row(int row) const;
    // The texts of one column, top to bottom.
    std::vector<std::string> Column(int column) const;
    // The first row whose name is this, or -1.
    int RowOf(const std::string& name) const;
    // The tip the list gives over a row's label.
    std::string TipOver(int row) const;
    std::string TipOver(const std::string& name) const { return TipOver(RowOf(name)); }
    // Datagrams the program sent, as (port, bytes).
    const std::vector<FakeNetwork::Sent>& Sent() const { return network.net.sent; }
    // Answers a device, as it arrives at the program's port.
    bool Answer(const std::vector<std::uint8_t>& datagram) { return network.net.Deliver(4000, datagram); }
    // Selects exactly these rows.
    void SelectRows(std::initializer_list<int> rows) const;
    // A command as the menu, a key or a button sends it.
    void Command(UINT id) const;
    bool ListenTimerRunning() const { return loop.loop.IsTimerRunning(&View(), 1); }

    ScopedFakeLoop loop;
    ScopedFakeNetwork network{loop.loop};
    ScopedScriptedUser user;
    std::string configDir;
    std::unique_ptr<CVarnexApp> app;
};

// A reply datagram of a device.
std::vector<std::uint8_t> DeviceReply(const std::string& name, const std::vector<int>& ip,
                                      const std::vector<int>& mac = {0, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E}, int model = 31);
