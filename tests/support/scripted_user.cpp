#include "support/scripted_user.h"

#include "framework/cmd_target.h"
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
    for (const MenuItemDef& item : popup.popup) {
        if (item.IsSeparator())
            continue;
        CCmdUI state;
        state.m_nID = item.id;
        state.DoUpdate(owner, TRUE);
        record.ids.push_back(item.id);
        record.enabled.push_back(state.enabled);
        record.checked.push_back(state.checked);
    }
    popups.push_back(record);
    if (popupChoice != 0)
        owner->SendMessage(WM_COMMAND, popupChoice, 0);
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

ScopedScriptedUser::ScopedScriptedUser() : m_previous(Platform().ui)
{
    Platform().ui = &user;
}

ScopedScriptedUser::~ScopedScriptedUser()
{
    Platform().ui = m_previous;
}
