// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Modal dialogs built from a dialog template. The dialog's logic (initialising,
// exchanging data, confirming) is plain code; the user interface shows the
// template and calls it back.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/wnd.h"

class CDataExchange;
class CDlgControl;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParent = nullptr);

    // Creates the dialog's window and the control windows of its template,
    // initialises it (OnInitDialog), shows it and returns IDOK or IDCANCEL.
    virtual INT_PTR DoModal();
    // Returns TRUE to give the focus to the first control of the tab order.
    virtual BOOL OnInitDialog();
    // Confirm: exchanges and checks the data; ends with IDOK only when it passes.
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);
    // Runs the data exchange; FALSE when a check failed (the user has been told).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // The control window with this id while the dialog is shown, else nullptr.
    CWnd* GetDlgItem(UINT nID) const;
    // Moves the focus to a control of the dialog.
    void GotoDlgCtrl(CWnd* pWndCtrl);
    // Keeps a member handle attached to a control until the window goes.
    void AttachControl(CDlgControl& control, CWnd* wnd);

    // The caption shown instead of the template's (empty: the template's).
    void SetCaption(std::string caption) { m_strCaption = std::move(caption); }
    const std::string& Caption() const { return m_strCaption; }
    // The user interface learns here that a dialog ended by its own logic (a
    // timer's work done), not by a button, and closes its window.
    void SetEndedHandler(std::function<void()> onEnded) { m_pfnOnEnded = std::move(onEnded); }

    UINT TemplateId() const { return m_nIDTemplate; }
    bool IsEnded() const { return m_bEnded; }
    int Result() const { return m_nResult; }
    // What OnInitDialog returned when the dialog was opened.
    BOOL InitialFocusIsDefault() const { return m_bDefaultFocus; }
    // Called by the user interface when the dialog's window opens.
    void BeginModalState();

private:
    void CreateControlWindows();
    void DestroyControlWindows();
    void SetDefaultFocus();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    bool m_bEnded = false;
    int m_nResult = IDCANCEL;
    BOOL m_bDefaultFocus = TRUE;
    std::vector<std::unique_ptr<CWnd>> m_arrControlWindows;
    std::vector<CDlgControl*> m_arrAttached;
    std::string m_strCaption;
    std::function<void()> m_pfnOnEnded;
};
