// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The IP dialog as Modify IP uses it: shown through the scripted user, whose
// answers type into the address fields with messages and then confirm or cancel.
#include <gtest/gtest.h>

#include <array>

#include "dialogs/input_ip_dlg.h"
#include "res/text/resource_ids.h"
#include "support/scripted_user.h"

namespace {

using Bytes = std::array<BYTE, 4>;

Bytes Of(const BYTE (&b)[4])
{
    return {b[0], b[1], b[2], b[3]};
}

Bytes Shown(CDialog& d, UINT id)
{
    DWORD a = 0;
    d.GetDlgItem(id)->SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&a));
    return {FIRST_IPADDRESS(a), SECOND_IPADDRESS(a), THIRD_IPADDRESS(a), FOURTH_IPADDRESS(a)};
}

void Type(CWnd* field, const std::string& keys)
{
    for (unsigned char c : keys)
        field->SendMessage(WM_CHAR, c);
}

class InputIPDlgTest : public ::testing::Test {
protected:
    InputIPDlgTest()
    {
        dlg.m_strIP = "192.168.1.20";
        dlg.m_strMask = "255.255.255.0";
        dlg.m_strGateway = "192.168.1.1";
    }
    // Queues an answer that runs edit on the open dialog, then presses Confirm.
    template <class Edit> void ConfirmAfter(Edit edit)
    {
        scripted.user.dialogAnswers.push_back([edit](CDialog& d) -> INT_PTR {
            edit(d);
            d.OnOK();
            return d.Result();
        });
    }
    ScopedScriptedUser scripted;
    CInputIPDlg dlg;
};

} // namespace

TEST_F(InputIPDlgTest, OpensShowingTheGivenAddressesWithTheFocusOnTheIPField)
{
    Bytes ip{}, mask{}, gateway{};
    bool focusOnIp = false;
    ConfirmAfter([&](CDialog& d) {
        ip = Shown(d, IDC_IPADDRESS_IP);
        mask = Shown(d, IDC_IPADDRESS_MASK);
        gateway = Shown(d, IDC_IPADDRESS_GATEWAY);
        focusOnIp = CWnd::GetFocus() == d.GetDlgItem(IDC_IPADDRESS_IP);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(scripted.user.dialogsShown, std::vector<UINT>{IDD_INPUT_IP});
    EXPECT_EQ(ip, (Bytes{192, 168, 1, 20}));
    EXPECT_EQ(mask, (Bytes{255, 255, 255, 0}));
    EXPECT_EQ(gateway, (Bytes{192, 168, 1, 1}));
    EXPECT_TRUE(focusOnIp);
    // Confirmed at once: the values come back unchanged and nothing is marked.
    EXPECT_EQ(Of(dlg.m_newIP), (Bytes{192, 168, 1, 20}));
    EXPECT_EQ(Of(dlg.m_newMask), (Bytes{255, 255, 255, 0}));
    EXPECT_EQ(Of(dlg.m_newGateway), (Bytes{192, 168, 1, 1}));
    EXPECT_FALSE(dlg.m_bIPChanged);
    EXPECT_FALSE(dlg.m_bMaskChanged);
    EXPECT_FALSE(dlg.m_bGatewayChanged);
    EXPECT_EQ(dlg.GetDlgItem(IDC_IPADDRESS_IP), nullptr); // the controls go with the window
}

TEST_F(InputIPDlgTest, ChangingTheGatewaysLastNumberMarksOnlyTheGateway)
{
    ConfirmAfter([](CDialog& d) {
        CWnd* gateway = d.GetDlgItem(IDC_IPADDRESS_GATEWAY);
        gateway->SendMessage(IPM_SETFOCUS, 3);
        Type(gateway, "254");
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(Of(dlg.m_newGateway), (Bytes{192, 168, 1, 254}));
    EXPECT_EQ(Of(dlg.m_newIP), (Bytes{192, 168, 1, 20}));
    EXPECT_FALSE(dlg.m_bIPChanged);
    EXPECT_FALSE(dlg.m_bMaskChanged);
    EXPECT_TRUE(dlg.m_bGatewayChanged);
}

TEST_F(InputIPDlgTest, BlankFieldsReadAsZeroAndCountAsChanges)
{
    ConfirmAfter([](CDialog& d) {
        CWnd* mask = d.GetDlgItem(IDC_IPADDRESS_MASK);
        mask->SendMessage(IPM_SETFOCUS, 2);
        Type(mask, "\b"); // the entered field is selected: Backspace empties it
        d.GetDlgItem(IDC_IPADDRESS_GATEWAY)->SendMessage(IPM_CLEARADDRESS);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(Of(dlg.m_newMask), (Bytes{255, 255, 0, 0}));
    EXPECT_EQ(Of(dlg.m_newGateway), (Bytes{0, 0, 0, 0}));
    EXPECT_FALSE(dlg.m_bIPChanged);
    EXPECT_TRUE(dlg.m_bMaskChanged);
    EXPECT_TRUE(dlg.m_bGatewayChanged);
}

TEST_F(InputIPDlgTest, TextsWithFewerThanFourNumbersGiveZeroBytes)
{
    dlg.m_strIP = "10..7";
    dlg.m_strMask = "";
    dlg.m_strGateway = "1.2.3.4.5";
    Bytes ip{};
    ConfirmAfter([&](CDialog& d) { ip = Shown(d, IDC_IPADDRESS_IP); });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(ip, (Bytes{10, 7, 0, 0}));
    EXPECT_EQ(Of(dlg.m_oldIP), (Bytes{10, 7, 0, 0}));
    EXPECT_EQ(Of(dlg.m_oldMask), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(Of(dlg.m_oldGateway), (Bytes{1, 2, 3, 4}));
    EXPECT_FALSE(dlg.m_bIPChanged || dlg.m_bMaskChanged || dlg.m_bGatewayChanged);
}

TEST_F(InputIPDlgTest, CancelLeavesEveryMemberAsItWas)
{
    scripted.user.dialogAnswers.push_back([](CDialog& d) -> INT_PTR {
        d.GetDlgItem(IDC_IPADDRESS_IP)->SendMessage(IPM_CLEARADDRESS);
        d.OnCancel();
        return d.Result();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(Of(dlg.m_newIP), (Bytes{0, 0, 0, 0}));
    EXPECT_FALSE(dlg.m_bIPChanged || dlg.m_bMaskChanged || dlg.m_bGatewayChanged);
    EXPECT_EQ(dlg.m_strIP, "192.168.1.20");
}

TEST_F(InputIPDlgTest, ShownAgainTheSameObjectReadsItsNewControlsAndKeepsItsFlags)
{
    ConfirmAfter(
        [](CDialog& d) { d.GetDlgItem(IDC_IPADDRESS_IP)->SendMessage(IPM_SETADDRESS, 0, MAKEIPADDRESS(10, 0, 0, 9)); });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_TRUE(dlg.m_bIPChanged);
    dlg.m_strIP = "10.0.0.9";
    dlg.m_strGateway = "10.0.0.1";
    ConfirmAfter([](CDialog&) {});
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(Of(dlg.m_newIP), (Bytes{10, 0, 0, 9}));
    EXPECT_EQ(Of(dlg.m_newGateway), (Bytes{10, 0, 0, 1}));
    EXPECT_TRUE(dlg.m_bIPChanged); // not cleared by a showing without changes
    EXPECT_FALSE(dlg.m_bGatewayChanged);
}
