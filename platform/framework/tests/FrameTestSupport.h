// Shared by the frame tests: a frame whose commands and command updates
// the tests drive through the resources of FrameTestResources.rc.
#pragma once

#include <string>
#include <vector>

#include "WindowTestSupport.h"

// A frame loaded from resources whose commands the tests watch.
class CCommandFrame : public CFrameWnd {
 public:
  std::vector<std::string> m_log;
  BOOL m_bGrid = TRUE;

 protected:
  afx_msg void OnOpen() { m_log.push_back("open"); }
  afx_msg void OnRefresh() { m_log.push_back("refresh"); }
  afx_msg void OnGrid() { m_bGrid = !m_bGrid; }
  afx_msg void OnUpdateUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  afx_msg void OnUpdateGrid(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bGrid); }
  DECLARE_MESSAGE_MAP()
};

// Runs the application's idle update with the frame as main window.
void IdleUpdate(CFrameWnd* pFrame);

// The frame's client area made cx by cy.
void SizeClient(CFrameWnd* pFrame, int cx, int cy);
