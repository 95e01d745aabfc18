// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A user that a test scripts: message boxes are recorded and answered, pop-up
// menus are recorded, and each modal dialog is handed to the next answer the
// test queued.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/dialog.h"
#include "framework/resources.h"
#include "system/services.h"

class ScriptedUser : public UserInterface {
public:
    struct Box {
        std::string text;
        std::string caption;
        UINT type;
    };
    struct Popup {
        std::vector<UINT> ids;
        std::vector<std::string> texts;
        std::vector<bool> enabled;
        std::vector<int> checked;
        POINT at;
    };
    using DialogAnswer = std::function<INT_PTR(CDialog&)>;

    int MessageBox(const std::string& text, const std::string& caption, UINT type) override;
    void TrackPopupMenu(const MenuItemDef& popup, int x, int y, CWnd* owner) override;
    POINT GetCursorPos() const override { return cursor; }
    INT_PTR RunModalDialog(CDialog& dialog) override;
    std::string GetOpenFileName(const std::string& title, const std::string& filter) override;
    std::string GetSaveFileName(const std::string& title, const std::string& filter) override;
    SaveFileChoice ChooseSaveFile(const std::string& title, const std::string& filters,
                                  const std::string& suggestedName) override;
    bool SetClipboardText(const std::string& text) override;

    std::vector<Box> boxes;
    std::vector<Popup> popups;
    std::deque<DialogAnswer> dialogAnswers;
    std::vector<UINT> dialogsShown;
    // The command a pop-up menu returns, if any.
    std::optional<UINT> popupChoice;
    POINT cursor{100, 100};
    std::string openFileAnswer;
    std::string saveFileAnswer;
    // The file type the save dialog answers with (empty: none chosen).
    std::string saveFilterAnswer;
    std::string suggestedSaveName;
    // What was put on the clipboard, each time.
    std::vector<std::string> clipboard;
    std::vector<std::string> fileDialogTitles;
};

class ScopedScriptedUser {
public:
    ScopedScriptedUser();
    ~ScopedScriptedUser();
    ScriptedUser user;

private:
    UserInterface* m_previous;
};
