// A frame that hosts docking panes for the window tests: a borderless
// 800 x 600 frame at the screen's origin (client and screen coordinates
// agree), a white client window, a manager, and panes whose windows are
// edit controls. The frame logs what the manager tells it.
#pragma once

#include "DockingPane.h"
#include "DockingPaneLayout.h"
#include "DockingPaneManager.h"
#include "DockingPanePaintManager.h"
#include "DockingPaneSplitterContainer.h"
#include "DockingPaneSplitterWnd.h"
#include "DockingPaneTabbedContainer.h"

#include <InputInjection.h>
#include <MessagePump.h>
#include <framework/FrameWnd.h>

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

class CDockingTestFrame : public CFrameWnd {
 public:
  // Codes as "code:pane id", actions as "4:action:pane id".
  std::vector<std::string> m_log;
  std::set<int> m_keepOpen;     // ids whose closing is answered -1
  std::set<int> m_cancelled;    // actions the owner cancels
  BOOL m_bLogActivation = FALSE;  // actions 14 and 15 (idle focus changes)

 protected:
  afx_msg LRESULT OnDockingPaneNotify(WPARAM wParam, LPARAM lParam) {
    const int nCode = static_cast<int>(wParam);
    if (nCode == DockingPaneNotifyAction) {
      auto* pAction = reinterpret_cast<DockingPaneAction*>(lParam);
      if (!m_bLogActivation && (pAction->action == DockingPaneActionActivated ||
                                pAction->action == DockingPaneActionDeactivated))
        return 0;
      m_log.push_back("4:" + std::to_string(pAction->action) + ":" + std::to_string(pAction->pane->GetID()));
      if (m_cancelled.count(pAction->action)) pAction->cancel = TRUE;
      return 0;
    }
    if (nCode == DockingPaneNotifyShowWindow || nCode == DockingPaneNotifyClosing) {
      auto* pPane = reinterpret_cast<CJVKDockingPane*>(lParam);
      m_log.push_back(std::to_string(nCode) + ":" + std::to_string(pPane->GetID()));
      return nCode == DockingPaneNotifyClosing && m_keepOpen.count(pPane->GetID()) ? -1 : 0;
    }
    m_log.push_back(std::to_string(nCode));
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

inline void PrintTo(const CRect& rc, std::ostream* os) {
  *os << "(" << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom << ")";
}

inline CRect RectInFrame(HWND hWnd, CWnd* pFrame) {
  CRect rc;
  ::GetWindowRect(hWnd, &rc);
  pFrame->ScreenToClient(&rc);
  return rc;
}

struct CDockingFixture {
  static const int kWidth = 800;
  static const int kHeight = 600;

  CDockingTestFrame* pFrame = new CDockingTestFrame;
  CWnd view;
  CJVKDockingPaneManager* pManager = new CJVKDockingPaneManager;
  std::map<int, HWND> windows;

  CDockingFixture() {
    pFrame->Create(nullptr, _T("Quillon docking"), WS_POPUP | WS_CLIPCHILDREN, CRect(0, 0, kWidth, kHeight));
    view.Create(_T("STATIC"), _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pFrame, AFX_IDW_PANE_FIRST);
    pManager->InstallDockingPanes(pFrame);
    // Shown without activation: Wine takes two seconds to hide an active
    // window without a window manager. Tests of focus activate it.
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
  }
  ~CDockingFixture() {
    delete pManager;
    pFrame->DestroyWindow();
    PumpPending();
  }

  // A pane with a title and an edit control as its window.
  CJVKDockingPane* Create(int nID, const char* pszTitle, int nDirection, CJVKDockingPaneBase* pNeighbour = nullptr) {
    CJVKDockingPane* pPane = pManager->CreatePane(static_cast<UINT>(nID), CRect(0, 0, 200, 150), nDirection, pNeighbour);
    pPane->SetTitle(pszTitle);
    HWND hEdit = ::CreateWindowExA(0, "EDIT", pszTitle, WS_CHILD | ES_MULTILINE, 0, 0, 10, 10, pFrame->m_hWnd,
                                   nullptr, nullptr, nullptr);
    windows[nID] = hEdit;
    pPane->Attach(hEdit);
    return pPane;
  }

  // Two panes tabbed together at the bottom (the second selected), laid
  // out and painted; their group.
  CJVKDockingPaneTabbedContainer* CreateTabbedPair(const char* pszFirst, const char* pszSecond) {
    CJVKDockingPane* pFirst = Create(101, pszFirst, DockingSideBottom);
    pManager->AttachPane(Create(102, pszSecond, DockingSideBottom), pFirst);
    Layout();
    pFrame->UpdateWindow();
    PumpPending();
    return Group(101);
  }

  void Layout() {
    pFrame->RecalcLayout();
    PumpPending();
  }

  CJVKDockingPaneTabbedContainer* Group(int nID) {
    CJVKDockingPane* pPane = pManager->FindPane(static_cast<UINT>(nID));
    return pPane ? dynamic_cast<CJVKDockingPaneTabbedContainer*>(pPane->GetContainer()) : nullptr;
  }

  // Each pane's group window (empty for a closed pane) and the client
  // window, in frame coordinates.
  std::map<std::string, CRect> Rects() {
    std::map<std::string, CRect> rects;
    for (CJVKDockingPaneBase* pNode : pManager->GetPanes()) {
      auto* pPane = static_cast<CJVKDockingPane*>(pNode);
      CJVKDockingPaneTabbedContainer* pGroup = Group(pPane->GetID());
      rects[std::to_string(pPane->GetID())] =
          pGroup && pGroup->GetSafeHwnd() ? RectInFrame(pGroup->m_hWnd, pFrame) : CRect(0, 0, 0, 0);
    }
    rects["client"] = RectInFrame(view.m_hWnd, pFrame);
    return rects;
  }

  CJVKDockingPaneSplitterContainer* Top() {
    return static_cast<CJVKDockingPaneSplitterContainer*>(pManager->GetLayout()->m_pTopContainer);
  }
};
