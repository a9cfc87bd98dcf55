#include "ResizeItem.h"

CJVResizeItem::CJVResizeItem(CWnd* pWnd, const CJVResizeRect& rcAnchor, const CJVResizeRect& rcRect,
                             BOOL bOwnsWindow)
    : m_bOwnsWindow(bOwnsWindow), m_pWnd(pWnd), m_rcAnchor(rcAnchor), m_rcRect(rcRect) {}

CJVResizeItem::~CJVResizeItem() {
  if (m_bOwnsWindow && m_pWnd) {
    m_pWnd->Detach();
    delete m_pWnd;
  }
}

void CJVResizeItem::Init(DWORD dwResizeFlags) {
  if (dwResizeFlags & JVRESIZE_NOTRANSPARENTGROUP) return;
  if (!IsWindowAlive()) return;
  char szClass[8] = {};
  ::GetClassNameA(m_pWnd->m_hWnd, szClass, sizeof szClass);
  if (lstrcmpiA(szClass, "Button") != 0) return;
  if ((m_pWnd->GetStyle() & (WS_TABSTOP | 0x7)) != BS_GROUPBOX) return;
  m_pWnd->ModifyStyleEx(0, WS_EX_TRANSPARENT);
  m_pWnd->SetWindowPos(nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  m_bRepaint = TRUE;
}
