// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/scripted_dialogs.h"

#include "framework/commctrl.h"
#include "framework/dialog.h"
#include "framework/resources.h"

namespace {

// Four dotted numbers 0-255, as the IP address control holds them.
bool ParseAddress(const std::string& text, LPARAM* address)
{
    int parts[4] = {};
    std::size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && (pos >= text.size() || text[pos++] != '.'))
            return false;
        int digits = 0;
        int value = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 3) {
            value = value * 10 + (text[pos++] - '0');
            ++digits;
        }
        if (digits == 0 || value > 255)
            return false;
        parts[i] = value;
    }
    if (pos != text.size())
        return false;
    *address = MAKEIPADDRESS(parts[0], parts[1], parts[2], parts[3]);
    return true;
}

bool IsAddressControl(UINT dialog, UINT control)
{
    if (const DialogTemplateDef* def = AfxFindDialog(dialog))
        for (const DialogControlDef& c : def->controls)
            if (c.id == control)
                return c.kind == DialogControlKind::IPAddress;
    return false;
}

} // namespace

ScriptedDialogs& ScriptedDialogs::Instance()
{
    static ScriptedDialogs answers;
    return answers;
}

bool ScriptedDialogs::Load(const std::string& path, std::string& error)
{
    m_active = m_answers.Load(path, error);
    return m_active;
}

bool ScriptedDialogs::TakeWait(const CDialog& dialog)
{
    if (m_answers.Empty() || !m_answers.Front().wait || m_answers.Front().dialog != dialog.TemplateId())
        return false;
    m_answers.PopFront();
    NoteAnswered();
    return true;
}

void ScriptedDialogs::NoteAnswered()
{
    if (m_answers.Empty() && m_allAnswered)
        m_allAnswered();
}

INT_PTR ScriptedDialogs::AnswerDialog(CDialog& dialog, std::string& log)
{
    if (m_answers.Empty()) {
        log = "no answer left";
        dialog.OnCancel();
        return IDCANCEL;
    }
    Answer& answer = m_answers.Front();
    if (answer.dialog != dialog.TemplateId()) {
        log = "the next answer is for dialog " + std::to_string(answer.dialog);
        dialog.OnCancel();
        return IDCANCEL;
    }
    for (Field& field : answer.fields) {
        CWnd* control = dialog.GetDlgItem(field.control);
        if (control == nullptr) {
            log = "no control " + std::to_string(field.control);
            m_answers.PopFront();
            dialog.OnCancel();
            NoteAnswered();
            return IDCANCEL;
        }
        LPARAM address = 0;
        if (!IsAddressControl(answer.dialog, field.control))
            control->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(field.value.c_str()));
        else if (field.value.empty())
            control->SendMessage(IPM_CLEARADDRESS);
        else if (ParseAddress(field.value, &address))
            control->SendMessage(IPM_SETADDRESS, 0, address);
        else
            log = "control " + std::to_string(field.control) + " takes four dotted numbers";
        DialogAnswers::Wipe(field.value);
    }
    const bool ok = answer.ok;
    m_answers.PopFront();
    if (ok)
        dialog.OnOK();
    if (!dialog.IsEnded()) // cancelled, or its checks refused the values
        dialog.OnCancel();
    if (log.empty())
        log = dialog.Result() == IDOK ? "OK" : "Cancel";
    NoteAnswered();
    return dialog.Result();
}
