// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Answering the program's questions without a person, for tests and scripted
// screenshots. When VARNEX_AUTO_ANSWER is set nothing modal is shown: each
// question is written as one line to the file named by VARNEX_UI_LOG (if set)
// and answered at once.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

bool AutoAnswerEnabled();
// From now on message boxes are answered as with VARNEX_AUTO_ANSWER, though
// it is not set: an unattended run (--report) must never wait for a person.
void AnswerMessageBoxesUnattended();
bool MessageBoxesAnswered();
// The texts of the message boxes answered so far, in order.
const std::vector<std::string>& AnsweredMessages();
void NoteAnsweredMessage(const std::string& text);
// The answer to a message box: VARNEX_AUTO_ANSWER when it holds a button's
// result (1 OK, 2 Cancel, 6 Yes, 7 No), else OK.
int AutoAnswerResult();
// The command to choose from a pop-up menu (VARNEX_AUTO_MENU_COMMAND; 0 is a
// command too), or nothing.
std::optional<unsigned> AutoMenuCommand();
// The path the save dialog answers with (VARNEX_AUTO_SAVE_FILE), empty when unset:
// the user cancelled.
std::string AutoSaveFileAnswer();
// Appends one line to the log.
void AppendUiLog(const std::string& line);
// Backslash, line feed and carriage return written as \\, \n and \r, so that
// every question stays on one line.
std::string EscapeForLog(std::string_view text);
