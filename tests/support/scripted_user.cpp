// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "support/scripted_user.h"

#include "framework/cmd_target.h"
#include "framework/menu.h"
#include "framework/wnd.h"

int ScriptedUser::MessageBox(const std::string& text, const std::string& caption, UINT type)
{
    boxes.push_back(Box{text, caption, type});
    return IDOK;
}

void ScriptedUser::TrackPopupMenu(const MenuItemDef& popup, int x, int y, CWnd* owner)
{
    Popup record;
    record.at = POINT{x, y};
    UINT index = 0;
    for (const MenuItemDef& item : popup.popup) {
        if (!item.IsSeparator()) {
            const MenuItemShown shown = ShownState(item, index, owner);
            record.ids.push_back(item.id);
            record.texts.push_back(item.text);
            record.enabled.push_back(shown.enabled);
            record.checked.push_back(shown.checked ? 1 : 0);
        }
        ++index;
    }
    popups.push_back(record);
    if (popupChoice)
        owner->SendMessage(WM_COMMAND, *popupChoice, 0);
}

INT_PTR ScriptedUser::RunModalDialog(CDialog& dialog)
{
    dialogsShown.push_back(dialog.TemplateId());
    if (dialogAnswers.empty())
        return IDCANCEL;
    DialogAnswer answer = std::move(dialogAnswers.front());
    dialogAnswers.pop_front();
    return answer(dialog);
}

std::string ScriptedUser::GetOpenFileName(const std::string& title, const std::string& filter)
{
    fileDialogTitles.push_back(title + "|" + filter);
    return openFileAnswer;
}

std::string ScriptedUser::GetSaveFileName(const std::string& title, const std::string& filter)
{
    fileDialogTitles.push_back(title + "|" + filter);
    return saveFileAnswer;
}

UserInterface::SaveFileChoice ScriptedUser::ChooseSaveFile(const std::string& title, const std::string& filters,
                                                           const std::string& suggestedName)
{
    fileDialogTitles.push_back(title + "|" + filters);
    suggestedSaveName = suggestedName;
    return SaveFileChoice{saveFileAnswer, saveFilterAnswer};
}

bool ScriptedUser::SetClipboardText(const std::string& text)
{
    clipboard.push_back(text);
    return true;
}

ScopedScriptedUser::ScopedScriptedUser() : m_previous(Platform().ui)
{
    Platform().ui = &user;
}

ScopedScriptedUser::~ScopedScriptedUser()
{
    Platform().ui = m_previous;
}
