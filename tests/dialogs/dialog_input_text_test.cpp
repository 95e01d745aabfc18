// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The MAC and password dialogs: the length limit while typing and pasting, the
// refusal of a longer text on confirmation, capitals in the MAC field.
#include <gtest/gtest.h>

#include <functional>

#include "dialogs/input_mac_dlg.h"
#include "dialogs/input_password_dlg.h"
#include "framework/dialog_controls.h"
#include "res/text/resource_ids.h"
#include "support/scripted_user.h"

namespace {

void Type(CWnd* field, const std::string& keys)
{
    for (unsigned char c : keys)
        field->SendMessage(WM_CHAR, c);
}

void Paste(CWnd* field, const std::string& text)
{
    field->SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

// What an answer saw of the open dialog.
struct Seen {
    std::string text;
    bool fieldFocused = false;
    bool endedAfterFirstConfirm = true;
    bool fieldFocusedAfterRefusal = false;
};

class TextDialogTest : public ::testing::Test {
protected:
    // Queues an answer that edits the field, confirms, and if the dialog stays
    // open, fixes the field with fix and confirms again.
    void Answer(UINT fieldId, std::function<void(CWnd*)> edit, std::function<void(CWnd*)> fix = {})
    {
        scripted.user.dialogAnswers.push_back([this, fieldId, edit, fix](CDialog& d) -> INT_PTR {
            CWnd* field = d.GetDlgItem(fieldId);
            seen.fieldFocused = CWnd::GetFocus() == field;
            edit(field);
            seen.text = GetControlText(*field);
            d.OnOK();
            seen.endedAfterFirstConfirm = d.IsEnded();
            seen.fieldFocusedAfterRefusal = CWnd::GetFocus() == field;
            if (!d.IsEnded() && fix) {
                fix(field);
                d.OnOK();
            }
            if (!d.IsEnded())
                d.OnCancel();
            return d.Result();
        });
    }
    ScopedScriptedUser scripted;
    Seen seen;
};

} // namespace

TEST_F(TextDialogTest, MacDialogOpensOnConfirmSoEnterTakesThePrefilledText)
{
    CInputMACDlg dlg;
    dlg.m_strMAC = "00-0A-1B-2C-3D-4E";
    Answer(IDC_EDIT_MAC, [](CWnd*) {});
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(scripted.user.dialogsShown, std::vector<UINT>{IDD_INPUT_MAC});
    EXPECT_EQ(seen.text, "00-0A-1B-2C-3D-4E");
    EXPECT_FALSE(seen.fieldFocused); // the edit field is last in the tab order
    EXPECT_EQ(dlg.m_strMAC, "00-0A-1B-2C-3D-4E");
}

TEST_F(TextDialogTest, MacFieldTypesCapitalsAndRefusesAnEighteenthCharacter)
{
    CInputMACDlg dlg;
    Answer(IDC_EDIT_MAC, [](CWnd* field) {
        Type(field, "00-0a-1b-2c-3d-4e");
        Type(field, "f");
        Paste(field, "-5");
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(seen.text, "00-0A-1B-2C-3D-4E");
    EXPECT_EQ(dlg.m_strMAC, "00-0A-1B-2C-3D-4E");
}

TEST_F(TextDialogTest, MacPasteIsCutAtTheLimit)
{
    CInputMACDlg dlg;
    Answer(IDC_EDIT_MAC, [](CWnd* field) { Paste(field, "aa-bb-cc-dd-ee-ff-11"); });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strMAC, "AA-BB-CC-DD-EE-FF");
}

TEST_F(TextDialogTest, LongerMacSetDirectlyIsRefusedOnConfirmAndTheDialogStaysOpen)
{
    CInputMACDlg dlg;
    Answer(
        IDC_EDIT_MAC, [](CWnd* field) { SetControlText(*field, "00-0A-1B-2C-3D-4E5"); },
        [](CWnd* field) { Type(field, "\b"); });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(seen.endedAfterFirstConfirm);
    EXPECT_TRUE(seen.fieldFocusedAfterRefusal);
    ASSERT_EQ(scripted.user.boxes.size(), 1u);
    EXPECT_EQ(scripted.user.boxes[0].text, "Please enter no more than 17 characters.");
    EXPECT_EQ(scripted.user.boxes[0].type, MB_ICONEXCLAMATION);
    EXPECT_EQ(dlg.m_strMAC, "00-0A-1B-2C-3D-4E");
}

TEST_F(TextDialogTest, MacDialogShowsARefusedTextAgain)
{
    // Modify MAC shows the dialog again with the text it could not use.
    CInputMACDlg dlg;
    dlg.m_strMAC = "00-0A-1B";
    Answer(IDC_EDIT_MAC, [](CWnd* field) { Type(field, "-zz"); });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(dlg.m_strMAC, "00-0A-1B-ZZ");
    Answer(IDC_EDIT_MAC, [](CWnd*) {});
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(seen.text, "00-0A-1B-ZZ");
}

TEST_F(TextDialogTest, PasswordFieldHasTheFocusAndRefusesANinthCharacter)
{
    CInputPasswordDlg dlg;
    Answer(IDC_EDIT_PASSWORD, [](CWnd* field) {
        EXPECT_NE(field->GetStyle() & ES_PASSWORD, 0u);
        EXPECT_EQ(field->SendMessage(EM_GETLIMITTEXT), 8);
        Type(field, "abcdefgh");
        Type(field, "i");
        Paste(field, "j");
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(seen.fieldFocused);
    EXPECT_EQ(dlg.m_strPassword, "abcdefgh"); // the password keeps its case
    dlg.WipePassword();
    EXPECT_EQ(dlg.m_strPassword, "");
}

TEST_F(TextDialogTest, LongerPasswordIsRefusedWithTheEightCharacterMessage)
{
    CInputPasswordDlg dlg;
    Answer(IDC_EDIT_PASSWORD, [](CWnd* field) { SetControlText(*field, "123456789"); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(scripted.user.boxes.size(), 1u);
    EXPECT_EQ(scripted.user.boxes[0].text, "Please enter no more than 8 characters.");
    EXPECT_EQ(scripted.user.boxes[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_TRUE(seen.fieldFocusedAfterRefusal);
}

TEST_F(TextDialogTest, CancelLeavesTheTextAsItWasAndEmptyPasswordIsAccepted)
{
    CInputPasswordDlg dlg;
    scripted.user.dialogAnswers.push_back([](CDialog& d) -> INT_PTR {
        Type(d.GetDlgItem(IDC_EDIT_PASSWORD), "secret");
        d.OnCancel();
        return d.Result();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_strPassword, "");
    Answer(IDC_EDIT_PASSWORD, [](CWnd*) {});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strPassword, "");
    EXPECT_TRUE(scripted.user.boxes.empty());
}
