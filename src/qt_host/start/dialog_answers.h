// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The file of answers for the program's dialogs (VARNEX_DIALOG_ANSWERS), read
// once at start; one line per dialog, in the order the dialogs open:
//
//   TEMPLATE BUTTON [CONTROL=VALUE]...      e.g.  9 OK 1000=192.168.1.50
//                                                 146 OK 1001=secret
//
// TEMPLATE is the dialog's template id, BUTTON is OK or Cancel, or Wait for
// a dialog that ends by itself (a progress): it is shown, untouched, until it
// does; CONTROL a control id of the template; %XX (two hex digits) stands for any byte, so a
// blank is %20 and a percent sign %25. Blank lines and lines starting with #
// are skipped. A value may be a password: every copy is overwritten when it
// goes.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "system/win_types.h"

class DialogAnswers {
public:
    struct Field {
        UINT control = 0;
        std::string value;
    };
    struct Answer {
        UINT dialog = 0;
        bool ok = false;
        bool wait = false; // shown until it ends by itself
        std::vector<Field> fields;
    };

    // The largest answers file read.
    static constexpr std::size_t kMaxFileBytes = 1 << 20;

    DialogAnswers() = default;
    ~DialogAnswers();
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;

    // Adds the answers of text; false with error ("line N: ...") when a line is
    // not an answer (the answers before it stay). The text is the caller's to wipe.
    bool Parse(std::string_view text, std::string& error);
    // Reads a regular file of at most kMaxFileBytes and overwrites what was
    // read; false with error, which names the file.
    bool Load(const std::string& path, std::string& error);

    bool Empty() const { return m_answers.empty(); }
    std::size_t Count() const { return m_answers.size(); }
    Answer& Front() { return m_answers.front(); }
    const Answer& Front() const { return m_answers.front(); }
    // Drops the front answer, its values overwritten.
    void PopFront();

    // Overwrites a text's bytes, then empties it.
    static void Wipe(std::string& text);

private:
    std::deque<Answer> m_answers;
};
