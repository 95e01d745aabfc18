// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The device list view's choice of network interface: View -> Network
// Interface lists every interface present when it opens, the choice is kept in
// the profile, and each row remembers the interface its answer came in on so
// that the commands for that device leave by it.
#include <algorithm>

#include "framework/menu.h"
#include "framework/win_app.h"
#include "res/text/resource_ids.h"
#include "system/network_interfaces.h"
#include "view/varnex_view.h"

namespace {

constexpr const char* kSettingsSection = "Settings";
constexpr std::size_t kMaxMenuInterfaces = ID_VIEW_INTERFACE_LAST - ID_VIEW_INTERFACE_FIRST + 1;

// A menu shows '&' as the mark of the next letter; a name shows it as written.
std::string MenuText(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += '&';
        out += c;
    }
    return out;
}

bool IsInterfaceItem(const MenuItemDef& item)
{
    return item.id >= ID_VIEW_INTERFACE_FIRST && item.id <= ID_VIEW_INTERFACE_LAST;
}

} // namespace

void CVarnexView::LoadInterfaceChoice()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    const std::optional<std::string> value = app->GetProfileString(kSettingsSection, kProfileInterfaceEntry);
    m_strInterface = value && IsInterfaceName(*value) ? *value : std::string();
}

std::string CVarnexView::InterfaceMissingText() const
{
    std::string text = AfxLoadString(IDS_INTERFACE_MISSING);
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, m_strInterface);
    return text;
}

void CVarnexView::ChooseInterface(const std::string& name)
{
    m_strInterface = name;
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileString(kSettingsSection, kProfileInterfaceEntry, name);
    OnRefresh();
}

void CVarnexView::OnInterfaceAll()
{
    ChooseInterface({});
}

void CVarnexView::OnInterfaceChosen(UINT nID)
{
    const std::size_t at = nID - ID_VIEW_INTERFACE_FIRST;
    if (nID < ID_VIEW_INTERFACE_FIRST || at >= m_arrMenuInterfaces.size())
        return;
    const std::string name = m_arrMenuInterfaces[at].name;
    ChooseInterface(name);
}

void CVarnexView::OnUpdateInterfaceMenu(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_strInterface.empty() ? 1 : 0);
    std::vector<MenuItemDef>* items = pCmdUI->m_pMenuItems;
    if (items == nullptr || pCmdUI->m_nIndex >= items->size())
        return;
    m_arrMenuInterfaces = PresentInterfaces();
    if (m_arrMenuInterfaces.size() > kMaxMenuInterfaces)
        m_arrMenuInterfaces.resize(kMaxMenuInterfaces);
    std::vector<MenuItemDef> added;
    bool chosenListed = m_strInterface.empty();
    for (const NetworkInterface& entry : m_arrMenuInterfaces) {
        MenuItemDef item;
        item.text = MenuText(InterfaceLabel(entry));
        item.id = ID_VIEW_INTERFACE_FIRST + static_cast<UINT>(added.size());
        item.fixedState = true;
        item.state = entry.name == m_strInterface ? MF_CHECKED : MF_UNCHECKED;
        chosenListed = chosenListed || entry.name == m_strInterface;
        added.push_back(std::move(item));
    }
    // The choice stays visible, checked, while its interface is away (an
    // adapter unplugged): nothing is searched for until it returns or the user
    // chooses again.
    if (!chosenListed) {
        if (m_arrMenuInterfaces.size() == kMaxMenuInterfaces) {
            m_arrMenuInterfaces.pop_back();
            added.pop_back();
        }
        std::string text = AfxLoadString(IDS_INTERFACE_ABSENT);
        if (const auto at = text.find("%1"); at != std::string::npos)
            text.replace(at, 2, m_strInterface);
        MenuItemDef item;
        item.text = MenuText(text);
        item.id = ID_VIEW_INTERFACE_FIRST + static_cast<UINT>(added.size());
        item.fixedState = true;
        item.state = MF_CHECKED;
        added.push_back(std::move(item));
        m_arrMenuInterfaces.push_back(NetworkInterface{m_strInterface, 0, {}});
    }
    // Items of an earlier opening, if the menu kept them, give way to these.
    const auto from = items->begin() + static_cast<std::ptrdiff_t>(pCmdUI->m_nIndex) + 1;
    const auto end = std::find_if_not(from, items->end(), IsInterfaceItem);
    const auto at = items->erase(from, end);
    items->insert(at, added.begin(), added.end());
}
