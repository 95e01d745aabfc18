// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// What the view keeps in the profile between runs. The column layout is read
// at start-up and after New and Open, and written when the view closes; a
// stored layout the list refused is kept as it is until the user changes the
// layout, so a value written by another version is not lost to a mere start
// and close. The numeric address order is written when it is switched.
#include "framework/win_app.h"
#include "view/compare_devices.h"
#include "view/varnex_view.h"

namespace {

constexpr const char* kSettingsSection = "Settings";
constexpr const char* kLayoutEntry = "Overview";
constexpr const char* kSortNumericEntry = "SortAddressesAsNumbers";

} // namespace

void CVarnexView::RestoreSavedLayout()
{
    m_bLayoutRefused = false;
    if (GetColumnCount() >= 1) {
        if (CWinApp* app = AfxGetApp()) {
            if (auto blob = app->GetProfileBinary(kSettingsSection, kLayoutEntry))
                m_bLayoutRefused = !RestoreState(blob->data(), static_cast<unsigned>(blob->size()));
        }
    }
    m_arrLayoutAtStart = SaveState();
}

void CVarnexView::SaveLayout()
{
    if (GetColumnCount() < 1)
        return;
    std::vector<std::uint8_t> layout = SaveState();
    if (m_bLayoutRefused && layout == m_arrLayoutAtStart)
        return;
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileBinary(kSettingsSection, kLayoutEntry, layout);
}

void CVarnexView::ReadSortOption()
{
    CWinApp* app = AfxGetApp();
    const auto value = app ? app->GetProfileString(kSettingsSection, kSortNumericEntry) : std::nullopt;
    m_bSortAddressesAsNumbers = value && *value == "1";
}

void CVarnexView::OnSortAddressesAsNumbers()
{
    m_bSortAddressesAsNumbers = !m_bSortAddressesAsNumbers;
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileString(kSettingsSection, kSortNumericEntry, m_bSortAddressesAsNumbers ? "1" : "0");
    SortRows();
}

void CVarnexView::OnUpdateSortAddressesAsNumbers(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bSortAddressesAsNumbers ? 1 : 0);
}
