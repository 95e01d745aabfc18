// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "framework/document.h"

#include <cstring>
#include <filesystem>
#include <fstream>

#include "framework/frame_wnd.h"
#include "framework/resources.h"
#include "framework/view.h"
#include "framework/win_app.h"
#include "system/regular_file.h"
#include "system/services.h"

namespace {

// A document larger than this is refused rather than read into memory.
constexpr std::size_t kMaxDocumentBytes = 16u << 20;

std::string Substituted(std::string text, const std::string& first, const std::string& second = {})
{
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, first);
    if (const auto at = text.find("%2"); at != std::string::npos)
        text.replace(at, 2, second);
    return text;
}

std::string ReasonText(const FileError& error)
{
    switch (error.problem) {
    case FileProblem::kFolder:
        return AfxLoadString(AFX_IDS_DOC_IS_FOLDER);
    case FileProblem::kNotRegular:
        return AfxLoadString(AFX_IDS_DOC_NOT_REGULAR);
    case FileProblem::kTooLarge:
        return Substituted(AfxLoadString(AFX_IDS_DOC_TOO_LARGE), std::to_string(kMaxDocumentBytes >> 20));
    case FileProblem::kSystem:
    case FileProblem::kNone:
        break;
    }
    return std::strerror(error.error);
}

} // namespace

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    SetTitle(AfxLoadString(AFX_IDS_UNTITLED));
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::Serialize(bool, std::vector<unsigned char>&) {}

BOOL CDocument::OnOpenDocument(const std::string& path)
{
    // Regular files only, and bounded: a folder, a FIFO, a device or a huge
    // file is refused with its reason instead of blocking or filling memory.
    std::vector<unsigned char> data;
    FileError error;
    if (!ReadRegularFile(path, kMaxDocumentBytes, data, error)) {
        AfxMessageBox(Substituted(AfxLoadString(AFX_IDP_DOC_NOT_OPENED), "'" + path + "'", ReasonText(error)),
                      MB_ICONEXCLAMATION);
        return FALSE;
    }
    DeleteContents();
    Serialize(false, data);
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const std::string& path)
{
    std::vector<unsigned char> data;
    Serialize(true, data);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out)
        out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    if (!out) {
        AfxMessageBox(AfxLoadString(AFX_IDP_FAILED_TO_SAVE_DOC), MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::SetTitle(const std::string& title)
{
    m_strTitle = title;
    UpdateFrameCounts();
}

void CDocument::SetPathName(const std::string& path)
{
    m_strPathName = path;
    SetTitle(std::filesystem::path(path).filename().string());
    if (CWinApp* app = AfxGetApp())
        app->AddToRecentFileList(path);
}

void CDocument::AddView(CView* view)
{
    m_listViews.push_back(view);
}

void CDocument::RemoveView(CView* view)
{
    std::erase(m_listViews, view);
}

void CDocument::UpdateFrameCounts()
{
    for (CView* view : m_listViews)
        if (CFrameWnd* frame = view->GetParentFrame())
            frame->UpdateFrameTitleForDocument(m_strTitle);
}

BOOL CDocument::DoFileSave()
{
    std::string path = m_strPathName;
    if (path.empty()) {
        if (Platform().ui == nullptr)
            return FALSE;
        path = Platform().ui->GetSaveFileName(AfxLoadString(AFX_IDS_SAVEFILE), AfxLoadString(AFX_IDS_ALLFILTER));
        if (path.empty())
            return FALSE;
    }
    if (!OnSaveDocument(path))
        return FALSE;
    SetPathName(path);
    return TRUE;
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (nID == ID_FILE_SAVE && nCode == CN_COMMAND) {
        if (pHandlerInfo == nullptr)
            DoFileSave();
        return TRUE;
    }
    return FALSE;
}

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, std::function<CDocument*()> newDoc,
                                       std::function<CFrameWnd*()> newFrame, std::function<CView*()> newView)
    : m_nIDResource(nIDResource), m_pfnNewDoc(std::move(newDoc)), m_pfnNewFrame(std::move(newFrame)),
      m_pfnNewView(std::move(newView))
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    CloseAll();
}

void CSingleDocTemplate::CloseAll()
{
    if (m_pOwnedFrame && !m_pOwnedFrame->IsClosed())
        m_pOwnedFrame->OnClose();
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const std::string* path)
{
    bool created = false;
    if (!m_pOnlyDoc) {
        m_pOnlyDoc.reset(m_pfnNewDoc());
        if (!m_pOnlyDoc)
            return nullptr;
        created = true;
    }
    if (m_pFrame == nullptr) {
        m_pOwnedFrame.reset(m_pfnNewFrame());
        if (!m_pOwnedFrame)
            return nullptr;
        CCreateContext context;
        context.newView = m_pfnNewView;
        context.currentDoc = m_pOnlyDoc.get();
        if (!m_pOwnedFrame->LoadFrame(m_nIDResource, &context)) {
            m_pOwnedFrame.reset();
            if (created)
                m_pOnlyDoc.reset();
            return nullptr;
        }
        m_pFrame = m_pOwnedFrame.get();
    }
    if (path == nullptr) {
        if (!m_pOnlyDoc->OnNewDocument())
            return nullptr;
    } else {
        if (!m_pOnlyDoc->OnOpenDocument(*path))
            return nullptr;
        m_pOnlyDoc->SetPathName(*path);
    }
    m_pFrame->InitialUpdateFrame(m_pOnlyDoc.get(), TRUE);
    return m_pOnlyDoc.get();
}
