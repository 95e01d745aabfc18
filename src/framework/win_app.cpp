// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "framework/win_app.h"

#include "framework/frame_wnd.h"
#include "framework/resources.h"
#include "framework/view.h"
#include "system/services.h"

namespace {

CWinApp* g_app = nullptr;

} // namespace

CWinApp* AfxGetApp()
{
    return g_app;
}

int AfxMessageBox(const std::string& text, UINT nType)
{
    if (Platform().ui == nullptr)
        return IDOK;
    return Platform().ui->MessageBox(text, AfxLoadString(AFX_IDS_APP_TITLE), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType)
{
    return AfxMessageBox(AfxLoadString(nIDPrompt), nType);
}

BOOL AfxOleInit()
{
    return Platform().loop != nullptr && Platform().loop->Startup();
}

const MessageMap* CWinApp::GetThisMessageMap()
{
    static const MessageMap map{CCmdTarget::GetThisMessageMap(),
                                {
                                    msgmap::Command(ID_FILE_NEW, &CWinApp::OnFileNew),
                                    msgmap::Command(ID_FILE_OPEN, &CWinApp::OnFileOpen),
                                    msgmap::Command(ID_FILE_PRINT_SETUP, &CWinApp::OnFilePrintSetup),
                                }};
    return &map;
}

CWinApp::CWinApp(std::string appName) : m_strAppName(std::move(appName))
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return 0;
}

void CWinApp::SetRegistryKey(const std::string& key)
{
    m_strRegistryKey = key;
    m_pProfile = std::make_unique<Profile>(Profile::PathFor(key, m_strAppName));
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    m_nMaxMRU = nMaxMRU;
    m_arrRecentFiles.clear();
    if (!m_pProfile)
        return;
    for (UINT i = 1; i <= nMaxMRU; ++i) {
        auto path = m_pProfile->GetString("Recent File List", "File" + std::to_string(i));
        if (path && !path->empty())
            m_arrRecentFiles.push_back(*path);
    }
}

void CWinApp::SaveStdProfileSettings()
{
    if (!m_pProfile || !m_bRecentChanged)
        return;
    for (UINT i = 1; i <= m_nMaxMRU; ++i) {
        const std::string value = i <= m_arrRecentFiles.size() ? m_arrRecentFiles[i - 1] : std::string();
        WriteProfileString("Recent File List", "File" + std::to_string(i), value);
    }
    m_bRecentChanged = false;
}

void CWinApp::AddToRecentFileList(const std::string& path)
{
    if (m_nMaxMRU == 0)
        return;
    std::erase(m_arrRecentFiles, path);
    m_arrRecentFiles.insert(m_arrRecentFiles.begin(), path);
    if (m_arrRecentFiles.size() > m_nMaxMRU)
        m_arrRecentFiles.resize(m_nMaxMRU);
    m_bRecentChanged = true;
}

std::optional<std::vector<std::uint8_t>> CWinApp::GetProfileBinary(const std::string& section, const std::string& entry)
{
    if (!m_pProfile)
        return std::nullopt;
    return m_pProfile->GetBinary(section, entry);
}

void CWinApp::SetRunSetting(const std::string& section, const std::string& entry, const std::string& value)
{
    m_mapRunSettings[{section, entry}] = value;
}

std::optional<std::string> CWinApp::GetProfileString(const std::string& section, const std::string& entry)
{
    if (const auto given = m_mapRunSettings.find({section, entry}); given != m_mapRunSettings.end())
        return given->second;
    if (!m_pProfile)
        return std::nullopt;
    return m_pProfile->GetString(section, entry);
}

bool CWinApp::WriteProfileBinary(const std::string& section, const std::string& entry,
                                 const std::vector<std::uint8_t>& value)
{
    std::string error;
    if (!m_pProfile || m_pProfile->WriteBinary(section, entry, value, &error))
        return m_pProfile != nullptr;
    TellSettingsNotSaved(error);
    return false;
}

bool CWinApp::WriteProfileString(const std::string& section, const std::string& entry, const std::string& value)
{
    std::string error;
    if (!m_pProfile || m_pProfile->WriteString(section, entry, value, &error))
        return m_pProfile != nullptr;
    TellSettingsNotSaved(error);
    return false;
}

void CWinApp::TellSettingsNotSaved(const std::string& reason)
{
    // Once a run: a disk that is full stays full for the writes that follow.
    if (m_bSettingsFailureTold)
        return;
    m_bSettingsFailureTold = true;
    std::string text = AfxLoadString(AFX_IDP_SETTINGS_NOT_SAVED);
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, m_pProfile->Path());
    if (const auto at = text.find("%2"); at != std::string::npos)
        text.replace(at, 2, reason);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

void CWinApp::AddDocTemplate(CSingleDocTemplate* pTemplate)
{
    m_pDocTemplate.reset(pTemplate);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info, const std::vector<std::string>& args)
{
    info = CCommandLineInfo{};
    for (const std::string& arg : args) {
        if (arg.empty() || arg[0] == '-')
            continue;
        info.m_nShellCommand = CCommandLineInfo::FileOpen;
        info.m_strFileName = arg;
        break;
    }
}

BOOL CWinApp::ProcessShellCommand(const CCommandLineInfo& info)
{
    if (!m_pDocTemplate)
        return FALSE;
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (m_pDocTemplate->OpenDocumentFile(nullptr) == nullptr)
            return FALSE;
        break;
    case CCommandLineInfo::FileOpen:
        if (m_pDocTemplate->OpenDocumentFile(&info.m_strFileName) == nullptr)
            return FALSE;
        break;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    }
    m_pMainWnd = m_pDocTemplate->GetFrame();
    return m_pMainWnd != nullptr;
}

void CWinApp::OnFileNew()
{
    if (m_pDocTemplate)
        m_pDocTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    if (!m_pDocTemplate || Platform().ui == nullptr)
        return;
    const std::string path =
        Platform().ui->GetOpenFileName(AfxLoadString(AFX_IDS_OPENFILE), AfxLoadString(AFX_IDS_ALLFILTER));
    if (!path.empty())
        m_pDocTemplate->OpenDocumentFile(&path);
}

void CWinApp::OnFilePrintSetup()
{
    if (Platform().printing)
        Platform().printing->PrintSetup(m_pMainWnd);
}
