// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "dialogs/address_devices_dlg.h"

#include <array>

#include "framework/data_exchange.h"
#include "framework/message_map.h"
#include "framework/resources.h"
#include "framework/win_app.h"
#include "res/text/resource_ids.h"

namespace {

constexpr int kFields = 4;

std::string Filled(UINT id, const std::string& value)
{
    std::string text = AfxLoadString(id);
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

void Show(CIPAddressCtrl& ctrl, const device::Ipv4& ip)
{
    ctrl.SetAddress(ip[0], ip[1], ip[2], ip[3]);
}

// The fields filled, and the address they make (a blank field reads as 0).
int Read(const CIPAddressCtrl& ctrl, device::Ipv4& ip)
{
    return ctrl.GetAddress(ip[0], ip[1], ip[2], ip[3]);
}

} // namespace

const MessageMap* CAddressDevicesDlg::GetThisMessageMap()
{
    static const MessageMap map{
        CDialog::GetThisMessageMap(),
        {
            msgmap::ControlCommand(EN_CHANGE, IDC_BATCH_START, &CAddressDevicesDlg::OnAddressChanged),
            msgmap::ControlCommand(EN_CHANGE, IDC_BATCH_MASK, &CAddressDevicesDlg::OnAddressChanged),
            msgmap::ControlCommand(EN_CHANGE, IDC_BATCH_GATEWAY, &CAddressDevicesDlg::OnAddressChanged),
            msgmap::Command(IDC_BATCH_ONE_AT_A_TIME, &CAddressDevicesDlg::OnOneAtATime),
        }};
    return &map;
}

CAddressDevicesDlg::CAddressDevicesDlg(std::size_t count, PasswordBytes& password, MakePlan makePlan)
    : CDialog(IDD_ADDRESS_DEVICES), m_pPassword(&password), m_pfnMakePlan(std::move(makePlan))
{
    SetCaption(Filled(IDS_BATCH_CAPTION, std::to_string(count)));
}

void CAddressDevicesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BATCH_START, m_ctrlStart);
    DDX_Control(pDX, IDC_BATCH_MASK, m_ctrlMask);
    DDX_Control(pDX, IDC_BATCH_GATEWAY, m_ctrlGateway);
    DDX_Control(pDX, IDC_BATCH_PASSWORD, m_ctrlPassword);
    DDX_Control(pDX, IDC_BATCH_PLAN, m_ctrlPlan);
}

BOOL CAddressDevicesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bShown = false; // the fields fill one by one: no plan of half the values
    m_pPassword->Wipe();
    m_ctrlPassword.LimitText(static_cast<int>(kMaxPasswordLength));
    Show(m_ctrlStart, m_reqValues.start);
    Show(m_ctrlMask, m_reqValues.mask);
    Show(m_ctrlGateway, m_reqValues.gateway);
    m_bShown = true;
    ShowPlan();
    return TRUE; // the focus goes to the start address
}

UINT CAddressDevicesDlg::ReadRequest(device::BatchRequest& request, CWnd*& field) const
{
    if (Read(m_ctrlStart, request.start) != kFields) {
        field = m_ctrlStart.GetSafeWnd();
        return IDS_BATCH_NO_START;
    }
    if (Read(m_ctrlMask, request.mask) != kFields) {
        field = m_ctrlMask.GetSafeWnd();
        return IDS_BATCH_NO_MASK;
    }
    // No number at all is no gateway; some numbers are a mistake.
    const int gateway = Read(m_ctrlGateway, request.gateway);
    if (gateway != 0 && gateway != kFields) {
        field = m_ctrlGateway.GetSafeWnd();
        return IDS_BATCH_PART_GATEWAY;
    }
    field = nullptr;
    return 0;
}

void CAddressDevicesDlg::ShowPlan()
{
    device::BatchRequest request;
    CWnd* field = nullptr;
    if (const UINT missing = ReadRequest(request, field); missing != 0) {
        m_planBatch = device::BatchPlan{};
        m_ctrlPlan.SetWindowText(AfxLoadString(missing));
        return;
    }
    m_planBatch = m_pfnMakePlan(request);
    m_ctrlPlan.SetWindowText(device::PlanText(m_planBatch));
}

void CAddressDevicesDlg::OnAddressChanged(CWnd*)
{
    if (m_bShown)
        ShowPlan();
}

bool CAddressDevicesDlg::TakePassword()
{
    CWnd* field = m_ctrlPassword.GetSafeWnd();
    const auto length = field ? static_cast<std::size_t>(field->SendMessage(WM_GETTEXTLENGTH)) : 0;
    if (length > kMaxPasswordLength) {
        AfxMessageBox(Filled(AFX_IDP_PARSE_STRING_SIZE, std::to_string(kMaxPasswordLength)), MB_ICONEXCLAMATION);
        GotoDlgCtrl(field);
        return false;
    }
    // Straight from the field into the caller's bytes, by way of this buffer only.
    std::array<char, kMaxPasswordLength + 1> text{};
    if (field)
        field->SendMessage(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    const bool taken = m_pPassword->Assign(std::string_view(text.data(), length));
    volatile char* p = text.data();
    for (std::size_t i = 0; i < text.size(); ++i)
        p[i] = 0;
    return taken;
}

void CAddressDevicesDlg::OnOK()
{
    device::BatchRequest request;
    CWnd* field = nullptr;
    if (const UINT missing = ReadRequest(request, field); missing != 0) {
        m_ctrlPlan.SetWindowText(AfxLoadString(missing));
        AfxMessageBox(missing, MB_ICONEXCLAMATION);
        GotoDlgCtrl(field);
        return;
    }
    m_planBatch = m_pfnMakePlan(request);
    m_ctrlPlan.SetWindowText(device::PlanText(m_planBatch));
    if (!m_planBatch.Sendable()) {
        std::string problems;
        for (std::size_t i = 0; i < m_planBatch.problems.size() && i < kProblemsInMessage; ++i)
            problems += m_planBatch.problems[i] + "\n";
        if (m_planBatch.problems.size() > kProblemsInMessage)
            problems +=
                Filled(IDS_BATCH_MORE_PROBLEMS, std::to_string(m_planBatch.problems.size() - kProblemsInMessage));
        AfxMessageBox(Filled(IDS_BATCH_REFUSED, problems), MB_ICONEXCLAMATION);
        GotoDlgCtrl(m_ctrlStart.GetSafeWnd());
        return;
    }
    if (!TakePassword())
        return;
    m_reqValues = request;
    EndDialog(IDOK);
}

void CAddressDevicesDlg::OnCancel()
{
    m_pPassword->Wipe();
    CDialog::OnCancel();
}

void CAddressDevicesDlg::OnOneAtATime()
{
    m_pPassword->Wipe();
    EndDialog(kOneAtATime);
}
