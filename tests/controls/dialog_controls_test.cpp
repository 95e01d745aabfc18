// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The edit and IP address control windows, driven by messages as a user and a
// dialog drive them, without a screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "controls/common_controls.h"
#include "framework/dialog_controls.h"
#include "framework/resources.h"

namespace {

// A dialog stand-in that records the notifications its controls send.
class RecordingParent : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            codes.push_back(HIWORD(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int Count(int code) const { return static_cast<int>(std::count(codes.begin(), codes.end(), code)); }
    std::vector<int> codes;
};

class DialogControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitCommonControls();
        ASSERT_TRUE(parent.CreateEx(0, "", 0, RECT{}, nullptr, 0));
    }
    CWnd& Make(const char* className, DWORD style = 0)
    {
        EXPECT_TRUE(control.CreateEx(0, className, WS_CHILD | style, RECT{0, 0, 100, 20}, &parent, 1004));
        return control;
    }
    void Type(const std::string& keys)
    {
        for (unsigned char c : keys)
            control.SendMessage(WM_CHAR, c);
    }
    std::string Text() { return GetControlText(control); }
    DWORD Address()
    {
        DWORD a = 0xDEADBEEF;
        filled = static_cast<int>(control.SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&a)));
        return a;
    }

    RecordingParent parent;
    CWnd control;
    int filled = -1;
};

} // namespace

TEST_F(DialogControlsTest, EditRefusesTypingAndPastingPastItsLimitButNotSetText)
{
    Make(kEditClassName);
    control.SendMessage(EM_LIMITTEXT, 5);
    Type("abcdef");
    EXPECT_EQ(Text(), "abcde");
    EXPECT_EQ(parent.Count(EN_MAXTEXT), 1);
    control.SendMessage(WM_CHAR, 0x08);
    control.SendMessage(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("xyz"));
    EXPECT_EQ(Text(), "abcdx"); // the paste is cut to the room left
    SetControlText(control, "0123456789");
    EXPECT_EQ(Text(), "0123456789");
    Type("z");
    EXPECT_EQ(Text(), "0123456789");
    EXPECT_EQ(control.SendMessage(EM_GETLIMITTEXT), 5);
    control.SendMessage(EM_LIMITTEXT, 0);
    EXPECT_EQ(static_cast<UINT>(control.SendMessage(EM_GETLIMITTEXT)), kEditLargestLimit);
}

TEST_F(DialogControlsTest, EditLimitCountsBytesAndNeverSplitsACharacter)
{
    Make(kEditClassName);
    control.SendMessage(EM_LIMITTEXT, 4);
    control.SendMessage(WM_CHAR, 0x00E9);                                         // é, two bytes
    control.SendMessage(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("a\xC3\xA9")); // a + é: only a fits
    EXPECT_EQ(Text(), "\xC3\xA9"
                      "a");
    control.SendMessage(WM_CHAR, 0x08);
    control.SendMessage(WM_CHAR, 0x08);
    EXPECT_EQ(Text(), "");
}

TEST_F(DialogControlsTest, UppercaseEditTurnsLettersToCapitalsHoweverTheyArrive)
{
    Make(kEditClassName, ES_UPPERCASE);
    Type("0a-b");
    control.SendMessage(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("-cd\nignored"));
    EXPECT_EQ(Text(), "0A-B-CD");
    SetControlText(control, "ef");
    EXPECT_EQ(Text(), "EF");
}

TEST_F(DialogControlsTest, ReadOnlyTextTakesLinesFromTheProgramAndNothingFromTheUser)
{
    Make(kEditClassName, ES_MULTILINE | ES_READONLY);
    SetControlText(control, "first line\nsecond line\n");
    Type("x\b\b");
    control.SendMessage(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("pasted"));
    EXPECT_EQ(Text(), "first line\nsecond line\n");
    EXPECT_EQ(parent.Count(EN_CHANGE), 1);
}

TEST_F(DialogControlsTest, EditTellsItsParentOfEveryChangeAndIgnoresControlKeys)
{
    Make(kEditClassName);
    Type("ab");
    Type("\r\t\x1b");
    control.SendMessage(WM_CHAR, 0x08);
    SetControlText(control, "new");
    EXPECT_EQ(parent.Count(EN_CHANGE), 4);
    EXPECT_EQ(Text(), "new");
    char small[3] = {'x', 'x', 'x'};
    EXPECT_EQ(control.SendMessage(WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 2);
    EXPECT_STREQ(small, "ne");
}

TEST_F(DialogControlsTest, IPAddressReadsBlankFieldsAsZeroAndCountsFilledOnes)
{
    Make(kIPAddressClassName);
    EXPECT_NE(control.SendMessage(IPM_ISBLANK), 0);
    EXPECT_EQ(Address(), 0u);
    EXPECT_EQ(filled, 0);
    control.SendMessage(IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 1, 20));
    EXPECT_EQ(Address(), 0xC0A80114u);
    EXPECT_EQ(filled, 4);
    control.SendMessage(IPM_SETFIELDTEXT, 1, reinterpret_cast<LPARAM>(""));
    EXPECT_EQ(Address(), 0xC0000114u);
    EXPECT_EQ(filled, 3);
    EXPECT_EQ(control.SendMessage(IPM_ISBLANK), 0);
    control.SendMessage(IPM_CLEARADDRESS);
    EXPECT_NE(control.SendMessage(IPM_ISBLANK), 0);
    EXPECT_EQ(FIRST_IPADDRESS(0xC0A80114u), 192);
    EXPECT_EQ(FOURTH_IPADDRESS(0xC0A80114u), 20);
}

TEST_F(DialogControlsTest, IPAddressTypingMovesOnAfterThreeDigitsOrADotAndClampsTo255)
{
    Make(kIPAddressClassName);
    control.SetFocus();
    Type("300"); // a full field moves on: the dot after it must not skip a field
    Type(".10.x1.7");
    EXPECT_EQ(Address(), MAKEIPADDRESS(255, 10, 1, 7));
    EXPECT_EQ(control.SendMessage(IPM_GETCURRENTFIELD), 3);
    Type("999"); // the last field keeps the caret and takes no fourth digit
    Type("9");
    EXPECT_EQ(FOURTH_IPADDRESS(static_cast<DWORD>(Address())), 255);
}

TEST_F(DialogControlsTest, IPAddressBackspaceInAnEmptyFieldGoesBackAndEnteredFieldIsReplaced)
{
    Make(kIPAddressClassName);
    control.SendMessage(IPM_SETADDRESS, 0, MAKEIPADDRESS(10, 0, 0, 1));
    control.SendMessage(IPM_SETFOCUS, 3);
    Type("\b"); // the field entered is selected: Backspace clears it
    Type("\b"); // empty: back to the third field, caret at its end
    Type("\b5");
    EXPECT_EQ(Address(), MAKEIPADDRESS(10, 0, 5, 0));
    EXPECT_EQ(filled, 3);
    control.SendMessage(IPM_SETFOCUS, 1);
    Type("42");
    EXPECT_EQ(SECOND_IPADDRESS(static_cast<DWORD>(Address())), 42);
    // Past the last field: the first blank one.
    control.SendMessage(IPM_SETFOCUS, 9);
    EXPECT_EQ(control.SendMessage(IPM_GETCURRENTFIELD), 3);
}

TEST_F(DialogControlsTest, IPAddressRangeClampsWhenTheFieldIsLeft)
{
    Make(kIPAddressClassName);
    ASSERT_NE(control.SendMessage(IPM_SETRANGE, 0, MAKEIPRANGE(1, 223)), 0);
    EXPECT_EQ(control.SendMessage(IPM_SETRANGE, 4, MAKEIPRANGE(1, 2)), 0);
    EXPECT_EQ(control.SendMessage(IPM_SETRANGE, 1, MAKEIPRANGE(9, 2)), 0);
    control.SetFocus();
    Type("0.");
    EXPECT_EQ(FIRST_IPADDRESS(static_cast<DWORD>(Address())), 1);
    control.SendMessage(IPM_SETFOCUS, 0);
    Type("230");
    EXPECT_EQ(FIRST_IPADDRESS(static_cast<DWORD>(Address())), 223);
}
