// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "framework/dialog.h"

#include "framework/data_exchange.h"
#include "framework/dialog_controls.h"
#include "framework/resources.h"
#include "system/services.h"

namespace {

// Dialog units of the templates' font without a screen to measure it on.
RECT DialogUnitsToPixels(const DialogControlDef& c)
{
    const auto px = [](int v, int base, int div) { return static_cast<LONG>(v * base / div); };
    return RECT{px(c.x, 6, 4), px(c.y, 13, 8), px(c.x + c.cx, 6, 4), px(c.y + c.cy, 13, 8)};
}

// The class of the control's window; null: the template's text alone, no window.
const char* ClassNameOf(const DialogControlDef& c)
{
    switch (c.kind) {
    case DialogControlKind::Edit:
        return kEditClassName;
    case DialogControlKind::IPAddress:
        return kIPAddressClassName;
    case DialogControlKind::ListView:
        return WC_LISTVIEWA;
    case DialogControlKind::Static:
        return c.id != kFixedTextId ? kStaticClassName : nullptr;
    default:
        return nullptr;
    }
}

bool TakesFocus(DialogControlKind kind)
{
    return kind != DialogControlKind::GroupBox && kind != DialogControlKind::Static && kind != DialogControlKind::Icon;
}

} // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParent) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParent) {}

void CDialog::BeginModalState()
{
    m_bEnded = false;
    m_nResult = IDCANCEL;
}

INT_PTR CDialog::DoModal()
{
    BeginModalState();
    if (Platform().ui == nullptr)
        return IDCANCEL;
    // As on the platform, the window and its controls exist and the dialog has
    // been initialised before it is shown.
    if (!IsWindow()) {
        CreateEx(0, std::string(), 0, RECT{}, nullptr, 0);
        SetOwner(m_pParentWnd);
    }
    CreateControlWindows();
    m_bDefaultFocus = OnInitDialog();
    if (m_bDefaultFocus)
        SetDefaultFocus();
    const INT_PTR result = IsEnded() ? Result() : Platform().ui->RunModalDialog(*this);
    DestroyControlWindows();
    if (IsWindow())
        DestroyWindow();
    return result;
}

void CDialog::CreateControlWindows()
{
    const DialogTemplateDef* def = AfxFindDialog(m_nIDTemplate);
    if (def == nullptr)
        return;
    for (const DialogControlDef& c : def->controls) {
        const char* className = ClassNameOf(c);
        if (className == nullptr)
            continue;
        const bool input = TakesFocus(c.kind);
        auto wnd = std::make_unique<CWnd>();
        if (wnd->CreateEx(input ? WS_EX_CLIENTEDGE : 0, className,
                          WS_CHILD | WS_VISIBLE | (input ? WS_TABSTOP : 0) | c.style, DialogUnitsToPixels(c), this,
                          c.id))
            m_arrControlWindows.push_back(std::move(wnd));
    }
}

void CDialog::DestroyControlWindows()
{
    for (CDlgControl* control : m_arrAttached)
        control->Detach();
    m_arrAttached.clear();
    for (auto& wnd : m_arrControlWindows)
        wnd->DestroyWindow();
    m_arrControlWindows.clear();
}

// The first control of the tab order, if it is one of the control windows
// (a button has none here; the screen's host gives it the focus).
void CDialog::SetDefaultFocus()
{
    const DialogTemplateDef* def = AfxFindDialog(m_nIDTemplate);
    if (def == nullptr)
        return;
    for (const DialogControlDef& c : def->controls) {
        if (!TakesFocus(c.kind))
            continue;
        if (CWnd* ctrl = GetDlgItem(c.id); ctrl != nullptr && ClassNameOf(c) != nullptr)
            ctrl->SetFocus();
        return;
    }
}

CWnd* CDialog::GetDlgItem(UINT nID) const
{
    for (CWnd* child : Children())
        if (child->GetDlgCtrlID() == nID)
            return child;
    return nullptr;
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl != nullptr && pWndCtrl->IsWindow())
        pWndCtrl->SetFocus();
}

void CDialog::AttachControl(CDlgControl& control, CWnd* wnd)
{
    control.Attach(wnd);
    m_arrAttached.push_back(&control);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int nResult)
{
    m_bEnded = true;
    m_nResult = nResult;
    if (m_pfnOnEnded)
        m_pfnOnEnded();
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}
