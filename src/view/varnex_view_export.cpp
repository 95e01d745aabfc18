// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// File > Export List: the whole list, in the order it shows, as CSV or JSON,
// the same files varnex-cli discover writes. The format follows the file's
// extension, else the type chosen in the dialog; a failed save says why and
// leaves any earlier file of that name as it was. The dialog opens in the
// folder of the last list saved, kept in the profile.
#include <filesystem>
#include <map>

#include "devices/device_export.h"
#include "framework/win_app.h"
#include "res/text/resource_ids.h"
#include "system/atomic_file.h"
#include "system/network_interfaces.h"
#include "system/services.h"
#include "view/varnex_view.h"

namespace {

constexpr const char* kSuggestedName = "devices.csv";
constexpr const char* kSettingsSection = "Settings";
// The folder's path as bytes: a path may hold any character but NUL.
constexpr const char* kExportFolderEntry = "ExportFolder";

// The folder the last list went to, when it is still a folder; else nothing.
std::string RememberedExportFolder()
{
    CWinApp* app = AfxGetApp();
    const auto bytes = app ? app->GetProfileBinary(kSettingsSection, kExportFolderEntry) : std::nullopt;
    if (!bytes || bytes->empty())
        return {};
    const std::string folder(bytes->begin(), bytes->end());
    std::error_code ec;
    return std::filesystem::is_directory(folder, ec) ? folder : std::string();
}

void RememberExportFolder(const std::string& path)
{
    const std::string folder = std::filesystem::path(path).parent_path().string();
    CWinApp* app = AfxGetApp();
    if (app == nullptr || folder.empty() || folder == RememberedExportFolder())
        return;
    app->WriteProfileBinary(kSettingsSection, kExportFolderEntry,
                            std::vector<std::uint8_t>(folder.begin(), folder.end()));
}

bool EndsWith(const std::string& text, const std::string& end)
{
    if (text.size() < end.size())
        return false;
    for (std::size_t i = 0; i < end.size(); ++i) {
        const char c = text[text.size() - end.size() + i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != end[i])
            return false;
    }
    return true;
}

// The text after the prompt's line break: the command's short name.
std::string ShortName(UINT id)
{
    const std::string text = AfxLoadString(id);
    const auto cut = text.find('\n');
    return cut == std::string::npos ? text : text.substr(cut + 1);
}

} // namespace

ExportTarget ChooseExportTarget(const std::string& path, const std::string& chosenType)
{
    ExportTarget target;
    target.path = path;
    if (EndsWith(path, ".json")) {
        target.json = true;
    } else if (!EndsWith(path, ".csv")) {
        // No known extension: the type chosen in the dialog, and its extension.
        target.json = chosenType.find("*.json") != std::string::npos;
        target.path += target.json ? ".json" : ".csv";
    }
    return target;
}

void CVarnexView::OnExportList()
{
    UserInterface* ui = Platform().ui;
    if (ui == nullptr)
        return;
    const std::string folder = RememberedExportFolder();
    const UserInterface::SaveFileChoice choice =
        ui->ChooseSaveFile(ShortName(ID_FILE_EXPORT_LIST), AfxLoadString(IDS_EXPORT_FILTER),
                           folder.empty() ? std::string(kSuggestedName) : folder + "/" + kSuggestedName);
    if (choice.path.empty())
        return;
    const ExportTarget target = ChooseExportTarget(choice.path, choice.filter);
    std::string error;
    if (ExportList(target, &error)) {
        RememberExportFolder(target.path);
    } else {
        std::string text = AfxLoadString(IDS_EXPORT_FAILED);
        if (const auto at = text.find("%1"); at != std::string::npos)
            text.replace(at, 2, target.path);
        if (const auto at = text.find("%2"); at != std::string::npos)
            text.replace(at, 2, error);
        AfxMessageBox(text, MB_ICONEXCLAMATION);
    }
}

void CVarnexView::OnUpdateExportList(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(SendMessage(LVM_GETITEMCOUNT) > 0);
}

bool CVarnexView::ExportList(const ExportTarget& target, std::string* error)
{
    AtomicFileWriter file;
    if (!file.Open(target.path, error))
        return false;
    std::map<unsigned, std::string> interfaceNames;
    for (const NetworkInterface& nic : ReadBroadcastInterfaces())
        interfaceNames[nic.index] = nic.name;
    // The devices in the order the rows show them, from the table.
    const device::ExportList rows = [this, &interfaceNames](const device::ExportVisitor& visit) {
        const int count = static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
        for (int row = 0; row < count; ++row) {
            const device::Device* d = DeviceAtRow(row);
            if (d == nullptr)
                continue;
            const auto name = interfaceNames.find(d->interfaceIndex);
            device::ExportedDevice exported = device::ExportOf(
                *d, name != interfaceNames.end() ? name->second : std::string(), Devices().IsShared(*d));
            exported.reachable = device::IsReachable(*d, m_arrSubnets);
            visit(exported);
        }
    };
    device::WriteDevices(rows, target.json ? device::ExportFormat::kJson : device::ExportFormat::kCsv, false,
                         [&file](std::string_view text) { file.Write(text); });
    return file.Commit(error);
}
