// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Answers for the program's dialogs from a file (dialog_answers.h tells its
// form), so that an unattended run (an end-to-end test) can carry out a device
// command from the real window. A value is the text typed into an edit
// control, or the address of an IP address control as four dotted numbers
// (empty: the control is cleared). Every value is overwritten in memory once
// its dialog has been answered, and the rest when the answers go.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "qt_host/start/dialog_answers.h"
#include "system/win_types.h"

class CDialog;

class ScriptedDialogs {
public:
    using Field = DialogAnswers::Field;
    using Answer = DialogAnswers::Answer;

    ScriptedDialogs() = default;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Reads the answers from text; false with error ("line N: ...") when a
    // line is not an answer. The text is the caller's to wipe.
    bool Parse(std::string_view text, std::string& error) { return m_answers.Parse(text, error); }
    // Reads the file once and overwrites what was read; false with error.
    bool Load(const std::string& path, std::string& error);

    // Whether answers were loaded: every dialog then takes its answer from
    // them (Cancel once none is left).
    bool Active() const { return m_active; }
    bool Empty() const { return m_answers.Empty(); }
    std::size_t Count() const { return m_answers.Count(); }
    const Answer& Next() const { return m_answers.Front(); }

    // Whether the next answer is to let this dialog run until it ends by
    // itself; the answer is then used up.
    bool TakeWait(const CDialog& dialog);

    // Called once every answer has been used (none: nothing is called).
    void SetAllAnsweredHandler(std::function<void()> handler) { m_allAnswered = std::move(handler); }

    // Answers a dialog that is open (its control windows exist) with the next
    // answer: fills the controls, then presses the button. Returns the
    // dialog's result; IDCANCEL when the next answer is for another dialog or
    // names a control the dialog lacks (what happened is in log).
    INT_PTR AnswerDialog(CDialog& dialog, std::string& log);

    // The answers of this program, loaded at start.
    static ScriptedDialogs& Instance();

private:
    void NoteAnswered();

    DialogAnswers m_answers;
    bool m_active = false;
    std::function<void()> m_allAnswered;
};
