// CJVKToolTipContext: the tooltips of one owner (the command bars, a status
// bar, a property grid, the resizable dialog, the docking-pane manager). The
// owner passes its mouse and key messages to FilterToolTipMessage from its
// message pre-translation and answers the framework's tool hit test
// (CWnd::OnToolHitTest, filling a TOOLINFO, FillInToolInfo helps); the
// context keeps one tooltip window for the owner's top-level window, feeds it
// the tool under the cursor with its text, title, colours and delays, and
// hides it on clicks and keys.
//
// The window is the system tooltip control (kinds 0 and 1) or one of the
// toolkit's own tooltip windows (kinds 2 to 4, ToolTipWnd.h), which speak
// the same messages.
#pragma once

#include <Framework.h>

// Kinds of tooltip window.
enum {
  jvkToolTipStandard = 0,  // the system tooltip control
  jvkToolTipBalloon = 1,   // the system control with the balloon style
  jvkToolTipPlain = 2,     // plain text, title and text, own window
  jvkToolTipRich = 3,      // rich text (RTF), own window
  jvkToolTipThemed = 4,    // plain text on the visual style's gradient, own window
};

// Style bit of the context: no drop shadow under the own windows.
const DWORD JVK_TTS_NOSHADOW = 0x2000;
// Tool flag an owner may set: the tip shows even while its application is
// not active. This and the next higher bit are the owners' private marks,
// cleared before the tool reaches the tooltip window.
const UINT JVK_TTF_SHOWINACTIVE = 0x40000000;
const UINT JVK_TTF_PRIVATEMARKS = 0xC0000000;

// The long text and title of a tool, for a TOOLINFO of the extended size:
// its lParam points to one of these, and FillInToolInfo puts heap copies in.
struct JVK_TOOLTIP_TEXTS {
  LPSTR lpszLongText;
  LPSTR lpszTitle;
};

class CJVKToolTipContext : public CCmdTarget {
 public:
  // Initialises rich edit support and reads the common-controls version.
  CJVKToolTipContext();
  // Destroys the tooltip window.
  ~CJVKToolTipContext() override;

  // One message of the owner, completed with the owner's handle and the
  // cursor position.
  void FilterToolTipMessage(CWnd* pOwner, UINT nMessage, WPARAM wParam, LPARAM lParam);

  // For a TOOLINFO of the short size or more: flags (TTF_...), window, id,
  // rectangle and a heap copy of the text; for one of the extended size also
  // copies of the long text and title (both non-empty) into the record its
  // lParam points to. The context frees the copies after use.
  static void FillInToolInfo(TOOLINFO* pTI, HWND hWnd, const RECT& rect, UINT_PTR nId, LPCTSTR lpszText,
                             LPCTSTR lpszLongText = nullptr, LPCTSTR lpszTitle = nullptr);

  // New style = (style | add) & ~remove; a change re-creates the window on
  // its next use.
  void ModifyToolTipStyle(DWORD dwRemove, DWORD dwAdd);
  // Makes the window of the kind, owned by pOwner; FALSE when it cannot.
  virtual BOOL CreateToolTip(CWnd* pOwner);

  void SetToolTipKind(int nKind) {
    m_nKind = nKind;
    DestroyToolTip();
  }
  int GetToolTipKind() const { return m_nKind; }
  void SetExtendedToolInfo(BOOL bExtended) { m_bExtendedToolInfo = bExtended; }
  void SetMaxTipWidth(int nWidth) { m_nMaxTipWidth = nWidth; }
  void SetMargin(const RECT& rcMargin) { m_rcMargin = rcMargin; }
  void SetTipColors(COLORREF clrBack, COLORREF clrText) {
    m_clrBack = clrBack;
    m_clrText = clrText;
  }
  // -1 leaves the system's delay.
  void SetDelayTime(int nInitial, int nReshow, int nAutoPop) {
    m_nDelayInitial = nInitial;
    m_nDelayReshow = nReshow;
    m_nDelayAutoPop = nAutoPop;
  }
  void SetTitleIcon(int nIcon) { m_nTitleIcon = nIcon; }
  // The tooltip window, NULL until the first filtered mouse message.
  CWnd* GetToolTip() const { return m_pToolTip; }
  // The background and text colours in use (the colour manager's info
  // colours while unset).
  COLORREF GetBackColor() const;
  COLORREF GetTextColor() const;

  // Destroys the tooltip window; the next mouse message makes a new one.
  void DestroyToolTip();

 protected:
  BOOL m_bExtendedToolInfo = FALSE;
  int m_nKind = jvkToolTipStandard;
  int m_nCommonControlsVersion = 0;  // major << 16 | minor, 0 when unknown
  int m_nTitleIcon = 1;
  int m_nMaxTipWidth;
  DWORD m_dwStyle = TTS_NOPREFIX;
  RECT m_rcMargin = {};
  int m_nDelayInitial = -1;
  int m_nDelayReshow = -1;
  int m_nDelayAutoPop = -1;
  CWnd* m_pToolTip = nullptr;
  TOOLINFO m_tiLast = {};  // its text owned
  HWND m_hWndLastOwner = nullptr;
  COLORREF m_clrBack = static_cast<COLORREF>(-1);
  COLORREF m_clrText = static_cast<COLORREF>(-1);

 private:
  void OnMouseMessage(CWnd* pOwner, MSG& msg);
  void SetUpNewWindow();
  void Activate(BOOL bActivate);
  void SetTitle(const TOOLINFO& ti, const JVK_TOOLTIP_TEXTS& texts);
  void Relay(MSG msg);
  void ForgetLastTool();
  UINT ToolInfoSize() const;
};
