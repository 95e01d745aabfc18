// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The application object: start-up, the document template, the profile, and
// the commands that belong to the application (New, Open, Print Setup, About).
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/cmd_target.h"
#include "framework/document.h"
#include "system/profile.h"

class CWnd;
class CFrameWnd;

class CCommandLineInfo {
public:
    enum Shell { FileNew, FileOpen, FileNothing };
    Shell m_nShellCommand = FileNew;
    std::string m_strFileName;
};

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(std::string appName);
    ~CWinApp() override;

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    void SetRegistryKey(const std::string& key);
    void LoadStdProfileSettings(UINT nMaxMRU);
    void SaveStdProfileSettings();
    Profile* GetProfile() const { return m_pProfile.get(); }
    // A binary value of the profile, or nothing.
    std::optional<std::vector<std::uint8_t>> GetProfileBinary(const std::string& section, const std::string& entry);
    std::optional<std::string> GetProfileString(const std::string& section, const std::string& entry);
    // A value given on the command line for this run only: read in place of
    // the profile's, never written to it.
    void SetRunSetting(const std::string& section, const std::string& entry, const std::string& value);
    // Writes a value, keeping the rest of the profile; false when it could not
    // be written, which the user is told the first time it happens in a run.
    bool WriteProfileBinary(const std::string& section, const std::string& entry,
                            const std::vector<std::uint8_t>& value);
    bool WriteProfileString(const std::string& section, const std::string& entry, const std::string& value);

    void AddDocTemplate(CSingleDocTemplate* pTemplate);
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }
    void ParseCommandLine(CCommandLineInfo& info, const std::vector<std::string>& args);
    BOOL ProcessShellCommand(const CCommandLineInfo& info);
    void AddToRecentFileList(const std::string& path);
    const std::vector<std::string>& RecentFiles() const { return m_arrRecentFiles; }

    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();

    const std::string& AppName() const { return m_strAppName; }
    const std::string& RegistryKey() const { return m_strRegistryKey; }

    CFrameWnd* m_pMainWnd = nullptr;
    std::vector<std::string> m_arrArgs;

private:
    void TellSettingsNotSaved(const std::string& reason);

    std::string m_strAppName;
    std::string m_strRegistryKey;
    std::unique_ptr<Profile> m_pProfile;
    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
    std::vector<std::string> m_arrRecentFiles;
    std::map<std::pair<std::string, std::string>, std::string> m_mapRunSettings;
    UINT m_nMaxMRU = 0;
    bool m_bRecentChanged = false;
    bool m_bSettingsFailureTold = false;
};

CWinApp* AfxGetApp();
// A message box captioned with the application title.
int AfxMessageBox(const std::string& text, UINT nType = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = 0);
// Starts the event loop layer; false when it cannot be used.
BOOL AfxOleInit();
