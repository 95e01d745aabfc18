// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The document and the single-document template that makes the document, the
// frame and the view, and runs New and Open on them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/cmd_target.h"

class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
public:
    ~CDocument() override = default;

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const std::string& path);
    virtual BOOL OnSaveDocument(const std::string& path);
    virtual void DeleteContents() {}
    // Loading and storing the document's data; the base class has none.
    virtual void Serialize(bool storing, std::vector<unsigned char>& data);

    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title);
    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& path);
    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& Views() const { return m_listViews; }
    void UpdateFrameCounts();

    // Save: with a path, stores there; without one, asks for a name first.
    BOOL DoFileSave();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

private:
    std::string m_strTitle;
    std::string m_strPathName;
    BOOL m_bModified = FALSE;
    std::vector<CView*> m_listViews;
};

class CSingleDocTemplate {
public:
    CSingleDocTemplate(UINT nIDResource, std::function<CDocument*()> newDoc, std::function<CFrameWnd*()> newFrame,
                       std::function<CView*()> newView);
    ~CSingleDocTemplate();

    // With no path: a new empty document; otherwise opens the file. Makes the
    // frame and the view the first time and runs the view's initial update.
    CDocument* OpenDocumentFile(const std::string* path);
    CDocument* GetDocument() const { return m_pOnlyDoc.get(); }
    CFrameWnd* GetFrame() const { return m_pFrame; }
    UINT ResourceId() const { return m_nIDResource; }
    // Ends the frame's life (on close).
    void CloseAll();

private:
    UINT m_nIDResource;
    std::function<CDocument*()> m_pfnNewDoc;
    std::function<CFrameWnd*()> m_pfnNewFrame;
    std::function<CView*()> m_pfnNewView;
    std::unique_ptr<CDocument> m_pOnlyDoc;
    CFrameWnd* m_pFrame = nullptr;
    std::unique_ptr<CFrameWnd> m_pOwnedFrame;
};
