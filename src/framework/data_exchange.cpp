// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "framework/data_exchange.h"

#include "framework/dialog.h"
#include "framework/dialog_controls.h"
#include "framework/resources.h"
#include "framework/win_app.h"

CWnd* CDataExchange::PrepareCtrl(UINT nIDC)
{
    m_pLastCtrl = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(nIDC) : nullptr;
    m_bEditLastControl = FALSE;
    return m_pLastCtrl;
}

CWnd* CDataExchange::PrepareEditCtrl(UINT nIDC)
{
    CWnd* ctrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return ctrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_pLastCtrl != nullptr && m_pDlgWnd != nullptr)
        m_pDlgWnd->GotoDlgCtrl(m_pLastCtrl);
    throw CUserException{};
}

void DDX_Control(CDataExchange* pDX, UINT nIDC, CDlgControl& rControl)
{
    if (rControl.GetSafeWnd() != nullptr)
        return;
    if (CWnd* ctrl = pDX->PrepareCtrl(nIDC))
        pDX->m_pDlgWnd->AttachControl(rControl, ctrl);
}

void DDX_Text(CDataExchange* pDX, UINT nIDC, std::string& value)
{
    CWnd* ctrl = pDX->PrepareEditCtrl(nIDC);
    if (ctrl == nullptr)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = GetControlText(*ctrl);
    } else if (GetControlText(*ctrl) != value) {
        // An unchanged text is not set again, so the control sends no change.
        SetControlText(*ctrl, value);
    }
}

void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->m_pLastCtrl != nullptr && pDX->m_bEditLastControl)
            pDX->m_pLastCtrl->SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(nChars));
        return;
    }
    if (value.size() <= static_cast<std::size_t>(nChars))
        return;
    std::string prompt = AfxLoadString(AFX_IDP_PARSE_STRING_SIZE);
    const std::size_t at = prompt.find("%1");
    if (at != std::string::npos)
        prompt.replace(at, 2, std::to_string(nChars));
    AfxMessageBox(prompt, MB_ICONEXCLAMATION);
    pDX->Fail();
}
