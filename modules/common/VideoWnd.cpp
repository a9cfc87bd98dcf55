#include "VideoWnd.h"

BOOL CVideoWnd::Create(CWnd* parent, const RECT& rect) {
  return CWnd::Create("STATIC", nullptr, kStyle, rect, parent, kId);
}

BOOL CVideoWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (m_bOwnClass) {
    cs.style &= ~WS_BORDER;
    cs.lpszClass = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOWFRAME + 1));
  }
  return CWnd::PreCreateWindow(cs);
}
