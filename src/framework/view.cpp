// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "framework/view.h"

#include "framework/document.h"
#include "framework/frame_wnd.h"
#include "framework/resources.h"
#include "system/services.h"

const MessageMap* CView::GetThisMessageMap()
{
    static const MessageMap map{CWnd::GetThisMessageMap(),
                                {
                                    msgmap::Message(WM_INITIALUPDATE, &CView::OnInitialUpdateMessage),
                                }};
    return &map;
}

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const
{
    for (CWnd* w = GetParent(); w != nullptr; w = w->GetParent())
        if (auto* frame = dynamic_cast<CFrameWnd*>(w))
            return frame;
    return nullptr;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

LRESULT CView::OnPaintMessage(WPARAM wParam, LPARAM)
{
    OnDraw(reinterpret_cast<CDC*>(wParam));
    return 0;
}

void CView::OnInitialUpdate()
{
    Invalidate();
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

BOOL CView::DoPreparePrinting(CPrintInfo*)
{
    if (Platform().printing == nullptr)
        return FALSE;
    PrintJob job;
    job.documentName = m_pDocument ? m_pDocument->GetTitle() : std::string();
    m_pPrinterDC = Platform().printing->BeginPrinting(this, job);
    return m_pPrinterDC != nullptr;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}
void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CView::OnFilePrint()
{
    CPrintInfo info;
    if (!OnPreparePrinting(&info) || !m_pPrinterDC)
        return;
    CDC* dc = m_pPrinterDC.get();
    OnBeginPrinting(dc, &info);
    // A view may print every page and end the document in its first call.
    bool ended = false;
    for (info.m_nCurPage = info.GetMinPage(); info.m_nCurPage <= info.GetMaxPage() && info.m_bContinuePrinting;
         ++info.m_nCurPage) {
        RECT clip;
        dc->GetClipBox(&clip);
        info.m_rectDraw = clip;
        OnPrint(dc, &info);
        if (dc->IsPrintJobOver()) {
            ended = true;
            break;
        }
    }
    if (!ended)
        dc->Escape(ENDDOC);
    OnEndPrinting(dc, &info);
    m_pPrinterDC.reset();
}

BOOL CCtrlView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.className = m_strClass;
    return CView::PreCreateWindow(cs);
}
