// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// "Address N devices": a start address, a subnet mask, a gateway and one
// password for several devices, and the plan those values make, shown device
// by device as they are typed. Send ends the dialog only with a plan that can
// be sent; a plan that cannot is named problem by problem and the dialog stays
// open. The password goes from its field into the caller's PasswordBytes and
// nowhere else.
#pragma once

#include <cstddef>
#include <functional>

#include "commands/password_bytes.h"
#include "devices/batch_plan.h"
#include "framework/dialog.h"
#include "framework/dialog_controls.h"

class CAddressDevicesDlg : public CDialog {
public:
    // The result when the user asks for the devices' dialogs one at a time.
    static constexpr int kOneAtATime = 100;
    // Problems the message box names; the plan field lists them all.
    static constexpr std::size_t kProblemsInMessage = 8;
    // What the values entered make of the chosen devices.
    using MakePlan = std::function<device::BatchPlan(const device::BatchRequest&)>;

    CAddressDevicesDlg(std::size_t count, PasswordBytes& password, MakePlan makePlan);

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    // The values shown when the dialog opens; after Send, those sent.
    device::BatchRequest m_reqValues;
    // The plan shown; after Send, the plan to send.
    device::BatchPlan m_planBatch;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void OnAddressChanged(CWnd* pField);
    void OnOneAtATime();
    // The three addresses as entered; 0 with request filled, else the id of
    // the text that says what is missing and the field it is missing from.
    UINT ReadRequest(device::BatchRequest& request, CWnd*& field) const;
    // The plan of the values entered, into the plan field.
    void ShowPlan();
    // Takes the password field's text into the caller's bytes; false after
    // telling the user that it is too long.
    bool TakePassword();

    PasswordBytes* m_pPassword;
    MakePlan m_pfnMakePlan;
    bool m_bShown = false;
    CIPAddressCtrl m_ctrlStart;
    CIPAddressCtrl m_ctrlMask;
    CIPAddressCtrl m_ctrlGateway;
    CEdit m_ctrlPassword;
    CEdit m_ctrlPlan;
};
