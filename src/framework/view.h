// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Views: the windows that show a document inside the frame; the list view is
// a view whose window is a list-view control.
#pragma once

#include <memory>
#include <string>

#include "framework/wnd.h"

class CDocument;
class CFrameWnd;

class CPrintInfo {
public:
    void SetMinPage(UINT n) { m_nMinPage = n; }
    void SetMaxPage(UINT n) { m_nMaxPage = n; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    UINT m_nCurPage = 1;
    BOOL m_bContinuePrinting = TRUE;
    RECT m_rectDraw{};

private:
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
};

class CView : public CWnd {
public:
    ~CView() override;
    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    CDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(CDocument* doc) { m_pDocument = doc; }
    CFrameWnd* GetParentFrame() const;

    virtual void OnInitialUpdate();
    virtual void OnDraw(CDC* pDC) = 0;
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // The framework's print command: print dialog, then one OnPrint per page
    // until the pages run out or the view has ended the document itself.
    void OnFilePrint();

protected:
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
    LRESULT OnPaintMessage(WPARAM, LPARAM);

    CDocument* m_pDocument = nullptr;

private:
    std::unique_ptr<CDC> m_pPrinterDC;
};

// A view whose window is a control of the named class.
class CCtrlView : public CView {
public:
    explicit CCtrlView(std::string className) : m_strClass(std::move(className)) {}
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDraw(CDC*) override {}

private:
    std::string m_strClass;
};
