// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Answers for the program's dialogs from a file, so that an unattended run
// (an end-to-end test) can carry out a device command from the real window.
// The file is named by VARNEX_DIALOG_ANSWERS and read once at start; it holds
// one line per dialog, in the order the dialogs open:
//
//   TEMPLATE BUTTON [CONTROL=VALUE]...      e.g.  9 OK 1000=192.168.1.50
//                                                 146 OK 1001=secret
//
// TEMPLATE is the dialog's template id, BUTTON is OK or Cancel, CONTROL a
// control id of the template. A value is the text typed into an edit control,
// or the address of an IP address control as four dotted numbers (empty: the
// control is cleared); %XX (two hex digits) stands for any byte, so a blank is
// %20 and a percent sign %25. Blank lines and lines starting with # are skipped.
//
// Every value is overwritten in memory once its dialog has been answered, and
// the rest when the answers go, since a value may be a password.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "system/win_types.h"

class CDialog;

class ScriptedDialogs {
public:
    struct Field {
        UINT control = 0;
        std::string value;
    };
    struct Answer {
        UINT dialog = 0;
        bool ok = false;
        std::vector<Field> fields;
    };

    ScriptedDialogs() = default;
    ~ScriptedDialogs();
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Reads the answers from text; false with error ("line N: ...") when a
    // line is not an answer. The text is the caller's to wipe.
    bool Parse(std::string_view text, std::string& error);
    // Reads the file once and overwrites what was read; false with error.
    bool Load(const std::string& path, std::string& error);

    // Whether answers were loaded: every dialog then takes its answer from
    // them (Cancel once none is left).
    bool Active() const { return m_active; }
    bool Empty() const { return m_answers.empty(); }
    std::size_t Count() const { return m_answers.size(); }
    const Answer& Next() const { return m_answers.front(); }

    // Answers a dialog that is open (its control windows exist) with the next
    // answer: fills the controls, then presses the button. Returns the
    // dialog's result; IDCANCEL when the next answer is for another dialog or
    // names a control the dialog lacks (what happened is in log).
    INT_PTR AnswerDialog(CDialog& dialog, std::string& log);

    // The answers of this program, loaded at start.
    static ScriptedDialogs& Instance();

private:
    void WipeFront();
    std::deque<Answer> m_answers;
    bool m_active = false;
};
