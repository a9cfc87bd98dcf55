// A frame with a CJVKStatusBar holding the indicators {0, caps, overwrite,
// num}, whose update handlers the tests steer; and a counter of the
// SB_SETTEXT messages the bar's control receives.
#pragma once

#include <Framework.h>

#include <string>
#include <vector>

#include "StatusBar.h"
#include "StatusBarTestResources.h"
#include "MessagePump.h"

extern const UINT kTestIndicators[4];
// Wide enough for the message pane's quarter of the screen and the others.
extern const int kTestClientWidth;

class CStatusTestFrame : public CFrameWnd {
 public:
  // bSizingBorder: the frame has WS_THICKFRAME (the bar gets a size grip).
  explicit CStatusTestFrame(BOOL bSizingBorder = TRUE, CJVKStatusBar* pBar = nullptr);
  ~CStatusTestFrame() override;
  CStatusTestFrame(const CStatusTestFrame&) = delete;
  CStatusTestFrame& operator=(const CStatusTestFrame&) = delete;

  CJVKStatusBar& Bar() { return *m_pBar; }
  // The client area made cx wide (and 120 high), laid out.
  void SizeClient(int cx);
  // The application's idle update with this frame as main window.
  void IdleUpdate();

  int m_nOverwriteEnable = -1;  // -1: no answer from the handler
  int m_nNumCheck = -1;
  std::string m_strCapsText;    // empty: no answer
  int m_nCapsCalls = 0;

 protected:
  afx_msg void OnUpdateCaps(CCmdUI* pCmdUI);
  afx_msg void OnUpdateOverwrite(CCmdUI* pCmdUI);
  afx_msg void OnUpdateNum(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()

 private:
  CJVKStatusBar* m_pBar;
};

// The SB_SETTEXT messages sent to one window while the object lives.
class CSetTextCounter {
 public:
  explicit CSetTextCounter(HWND hWnd);
  ~CSetTextCounter();
  CSetTextCounter(const CSetTextCounter&) = delete;
  CSetTextCounter& operator=(const CSetTextCounter&) = delete;
  std::vector<std::string> m_texts;  // "<wParam>:<text>"

 private:
  static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam);
  HWND m_hWnd;
  HHOOK m_hHook;
};

// The control's text of a part and its drawing type (SBT_ bits).
std::string PartText(CWnd& bar, int nPart, UINT* pType = nullptr);
// The control's right edges of its parts.
std::vector<int> PartEdges(CWnd& bar);

// Owns a frame for one test: frames delete themselves when their window ends.
class CFrameHolder {
 public:
  explicit CFrameHolder(CStatusTestFrame* pFrame) : m_pFrame(pFrame) {}
  ~CFrameHolder() { m_pFrame->DestroyWindow(); }
  CFrameHolder(const CFrameHolder&) = delete;
  CFrameHolder& operator=(const CFrameHolder&) = delete;
  CStatusTestFrame* operator->() const { return m_pFrame; }
  CStatusTestFrame& operator*() const { return *m_pFrame; }

 private:
  CStatusTestFrame* m_pFrame;
};
