// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A parent window for control tests: records every WM_NOTIFY, WM_DRAWITEM,
// WM_MEASUREITEM and WM_CONTEXTMENU it receives, with the fields that matter,
// and answers each notification as the test tells it. Sequences are compared
// with a table of expected entries, some of which may be optional, in the
// manner of the well-known common-control conformance tests.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/wnd.h"

// Which window received a message, in the sequences of the control spy.
enum class SpyWindow { Parent, ListView, Header };

struct RecordedMessage {
    SpyWindow window = SpyWindow::Parent;
    UINT message = 0;
    WPARAM wParam = 0;           // messages to a control; WM_DRAWITEM: the control id
    bool direct = false;         // reached the control without passing its window's message map
    std::vector<int> orderArray; // LVM_SETCOLUMNORDERARRAY / HDM_SETORDERARRAY
    bool textIsCallback = false; // item and column messages: the text was the callback marker
    std::string text;            // item and column messages: the text given, when real
    UINT code = 0;               // notification code for WM_NOTIFY
    CWnd* from = nullptr;
    int item = 0;
    int subItem = 0;
    UINT newState = 0;
    UINT oldState = 0;
    UINT changed = 0; // uChanged, or the display-information mask
    LPARAM lParam = 0;
    DWORD stage = 0; // custom-draw stage
    COLORREF clrText = 0;
    COLORREF clrTextBk = 0;
    UINT itemState = 0; // DRAWITEMSTRUCT::itemState or custom-draw uItemState
    RECT rc{};
    int order = 0; // header: HDITEM::iOrder when the mask has HDI_ORDER
    int width = 0; // header: HDITEM::cxy when the mask has HDI_WIDTH
    UINT headerMask = 0;
    int textSize = 0;         // display information: cchTextMax
    bool textCleared = false; // display information: the buffer was empty when asked
};

// Which fields of an expected entry are compared.
enum : unsigned {
    kCheckItem = 1u << 0,
    kCheckSubItem = 1u << 1,
    kCheckNewState = 1u << 2,
    kCheckOldState = 1u << 3,
    kCheckChanged = 1u << 4,
    kCheckStage = 1u << 5,
    kCheckParam = 1u << 6,
    kCheckOrder = 1u << 7,
    kCheckWidth = 1u << 8,
    kCheckFrom = 1u << 9,
    kCheckWParam = 1u << 10,
    kCheckDirect = 1u << 11,
    kCheckOrderArray = 1u << 12,
    kOptional = 1u << 16,
};

struct ExpectedMessage {
    UINT message = WM_NOTIFY;
    SpyWindow window = SpyWindow::Parent; // compared only in the spy's combined sequence
    UINT code = 0;
    unsigned flags = 0;
    int item = 0;
    int subItem = 0;
    UINT newState = 0;
    UINT oldState = 0;
    UINT changed = 0;
    DWORD stage = 0;
    LPARAM lParam = 0;
    int order = 0;
    int width = 0;
    CWnd* from = nullptr;
    WPARAM wParam = 0;
    bool direct = false;
    std::vector<int> orderArray;
};

class MessageRecorder : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    const std::vector<RecordedMessage>& Messages() const { return m_messages; }
    std::vector<RecordedMessage> OfCode(UINT code) const;
    void Clear() { m_messages.clear(); }

    // Answers for notifications: by code, and for NM_CUSTOMDRAW by stage.
    void Answer(UINT code, LRESULT result) { m_answers[code] = result; }
    void AnswerStage(DWORD stage, LRESULT result) { m_stageAnswers[stage] = result; }
    // Runs before the recorded answer; returning true makes *result the answer.
    std::function<bool(NMHDR*, LRESULT*)> onNotify;
    // Codes not recorded (answers still apply).
    std::set<UINT> ignored;
    // WM_MEASUREITEM: the item height the parent asks for (0 leaves it).
    UINT measureHeight = 0;
    // Offers notifications and owner-draw requests to the child that sent them
    // first, as the framework's windows do (reflection); what the child handles
    // is not recorded, since the application would not see it.
    bool reflect = false;
    // Headers that are direct children: their custom draw carries the plain record.
    std::set<const CWnd*> headers;
    // Told of every message recorded (the control spy keeps them in its sequences).
    std::function<void(const RecordedMessage&)> onRecorded;

private:
    void Record(const RecordedMessage& m);
    std::vector<RecordedMessage> m_messages;
    std::map<UINT, LRESULT> m_answers;
    std::map<DWORD, LRESULT> m_stageAnswers;
};

std::string DescribeCode(UINT message, UINT code);
std::string DescribeMessage(const RecordedMessage& m);

// Compares recorded messages with the expected table; optional entries may be missing.
::testing::AssertionResult MatchesSequence(const std::vector<RecordedMessage>& actual,
                                           const std::vector<ExpectedMessage>& expected);
