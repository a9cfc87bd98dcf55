// The site frame of the command-bars tests: a frame on the frame template
// (or, asked so, a plain frame without command bars) that records the
// messages bars and controls send their site, the commands it gets and the
// status texts. It can be set to answer each site message, to supply the
// control of a create-control request or the bar of a create-bar request,
// handles a few commands, and has update handlers that enable, disable,
// check and rename buttons, and an accelerator table (F5: Open).
#pragma once

#include "CommandBarsFrame.h"
#include "Controls.h"
#include "SiteFrameTestResources.h"

#include <functional>
#include <map>
#include <vector>

class CSiteFrame : public CJVKCommandBarsFrame {
 public:
  struct CSiteMessage {
    UINT nMessage;
    WPARAM wParam;
    LPARAM lParam;
  };

  // Made from IDR_SITE_FRAME at the screen rectangle and shown; with
  // bCommandBars its accelerators go to the command bars' shortcut manager.
  // The frame deletes itself when its window is destroyed.
  static CSiteFrame* Create(const CRect& rc, BOOL bCommandBars = TRUE);

  // The site messages received, in order.
  std::vector<CSiteMessage> m_siteMessages;
  std::vector<UINT> m_commands;
  // WM_SETMESSAGESTRING texts; "(idle)" for each WM_POPMESSAGESTRING.
  std::vector<CString> m_status;
  // The answer to a site message (absent: 0, the bars' default handling).
  std::map<UINT, LRESULT> m_answers;
  std::function<CJVKControl*(const JVK_CREATE_CONTROL&)> m_supplyControl;
  std::function<CJVKControlParentBar*(const JVK_CREATE_POPUP_BAR&)> m_supplyBar;
  // Sees every site message first.
  std::function<void(UINT, WPARAM, LPARAM)> m_onSiteMessage;
  CString m_strRenamed = "Renamed";
  int m_nCustomizeRuns = 0;
  // The notification handler's answer to JVK_NOTIFY_EXECUTE from Open.
  LRESULT m_lNotifyAnswer = 77;
  int m_nNotifications = 0;

  int CountSite(UINT nMessage) const;

 protected:
  explicit CSiteFrame(BOOL bCommandBars) : m_bWithCommandBars(bCommandBars) {}
  LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override;

  afx_msg int OnCreate(LPCREATESTRUCT pCreate);
  afx_msg void OnCommandHandled() {}
  afx_msg void OnMenuCommand(UINT) {}
  afx_msg void OnCustomize() { ++m_nCustomizeRuns; }
  afx_msg void OnUpdateEnable(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
  afx_msg void OnUpdateDisable(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  afx_msg void OnUpdateCheck(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
  afx_msg void OnUpdateRename(CCmdUI* pCmdUI) { pCmdUI->SetText(m_strRenamed); }
  afx_msg void OnExecuteNotify(NMHDR* pHeader, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

 private:
  BOOL m_bWithCommandBars;
};
