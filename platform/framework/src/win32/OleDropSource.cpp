#include "framework/OleDropSource.h"

IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)

BEGIN_INTERFACE_MAP(COleDropSource, CCmdTarget)
INTERFACE_PART(COleDropSource, IID_IDropSource, DropSource)
END_INTERFACE_MAP()

COleDropSource::COleDropSource() : m_dwButtonDrop(MK_LBUTTON), m_dwButtonCancel(MK_RBUTTON) {}

void COleDropSource::BeginDrag() {
  // A drag started with the right button drops on its release instead.
  BOOL bRight = (::GetAsyncKeyState(::GetSystemMetrics(SM_SWAPBUTTON) ? VK_LBUTTON : VK_RBUTTON) & 0x8000) != 0;
  m_dwButtonDrop = bRight ? MK_RBUTTON : MK_LBUTTON;
  m_dwButtonCancel = bRight ? MK_LBUTTON : MK_RBUTTON;
}

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) {
  if (bEscapePressed || (dwKeyState & m_dwButtonCancel) != 0) return DRAGDROP_S_CANCEL;
  if ((dwKeyState & m_dwButtonDrop) == 0) return DRAGDROP_S_DROP;
  return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT) { return DRAGDROP_S_USEDEFAULTCURSORS; }

IMPLEMENT_IUNKNOWN(COleDropSource, DropSource)

STDMETHODIMP COleDropSource::XDropSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) {
  METHOD_PROLOGUE(COleDropSource, DropSource)
  return pThis->QueryContinueDrag(fEscapePressed, grfKeyState);
}

STDMETHODIMP COleDropSource::XDropSource::GiveFeedback(DWORD dwEffect) {
  METHOD_PROLOGUE(COleDropSource, DropSource)
  return pThis->GiveFeedback(dwEffect);
}
