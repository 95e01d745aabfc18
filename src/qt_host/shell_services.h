// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The services of the running program on Qt, beyond the basic ones: modal
// dialogs, file dialogs and quitting the loop.
#pragma once

#include "qt_host/qt_event_loop.h"
#include "qt_host/qt_user_interface.h"

class ShellEventLoop : public QtEventLoop {
public:
    bool Startup() override;
    void Quit() override;
};

class ShellUserInterface : public QtUserInterface {
public:
    INT_PTR RunModalDialog(CDialog& dialog) override;
    std::string GetOpenFileName(const std::string& title, const std::string& filter) override;
    std::string GetSaveFileName(const std::string& title, const std::string& filter) override;
    SaveFileChoice ChooseSaveFile(const std::string& title, const std::string& filters,
                                  const std::string& suggestedName) override;
};
