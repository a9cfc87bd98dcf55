// The frame-window template: what a frame window class adds to itself to
// carry command bars. CJVKCommandBarsFrameBase routes the frame's messages
// and key strokes into the command bars; CJVKCommandBarsFrame creates them
// and loads the frame. A frame derives from the outer layer and calls
// InitCommandBars from its WM_CREATE handler, then adds its bars. Without
// InitCommandBars it is a plain CFrameWnd.
#pragma once

#include "CommandBars.h"

#include <Framework.h>

class CJVKCommandBarsFrameBase : public CFrameWnd {
 public:
  CJVKCommandBarsFrameBase() = default;
  // Releases the command bars.
  ~CJVKCommandBarsFrameBase() override;

  CJVKCommandBars* GetCommandBars() const { return m_pCommandBars; }

  // The command bars see key strokes before the frame's own pre-translation
  // (accelerators, tooltips) when set, after it otherwise.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // The command bars see every message first. A control's notification
  // (JVK_WM_CONTROL_NOTIFY) goes through the command routing as WM_NOTIFY
  // with the record's id and code; unhandled it gets no default processing.
  BOOL OnWndMsg(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  BOOL m_bTranslateBarsFirst = FALSE;

 protected:
  CJVKCommandBars* m_pCommandBars = nullptr;  // one reference held
};

class CJVKCommandBarsFrame : public CJVKCommandBarsFrameBase {
 public:
  // Installs the classic paint manager when none is current, creates the
  // command bars of the class (derived from CJVKCommandBars) and makes this
  // frame their site. FALSE when the class makes no command bars.
  BOOL InitCommandBars(CRuntimeClass* pCommandBarsClass = RUNTIME_CLASS(CJVKCommandBars));
  // The framework's LoadFrame; when the command bars' shortcut manager holds
  // accelerators, the frame drops its own table so that only the command
  // bars translate them.
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, void* pContext = nullptr) override;
};
