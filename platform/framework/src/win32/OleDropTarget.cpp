#include "framework/OleDropTarget.h"

#include "framework/Wnd.h"

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

BEGIN_INTERFACE_MAP(COleDropTarget, CCmdTarget)
INTERFACE_PART(COleDropTarget, IID_IDropTarget, DropTarget)
END_INTERFACE_MAP()

COleDropTarget::COleDropTarget() : m_hWnd(nullptr) {}

COleDropTarget::~COleDropTarget() { Revoke(); }

BOOL COleDropTarget::Register(CWnd* pWnd) {
  ENSURE_ARG(pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr);
  Revoke();
  HRESULT hr = ::RegisterDragDrop(pWnd->m_hWnd, reinterpret_cast<LPDROPTARGET>(GetInterface(&IID_IDropTarget)));
  if (FAILED(hr)) return FALSE;
  m_hWnd = pWnd->m_hWnd;
  return TRUE;
}

void COleDropTarget::Revoke() {
  if (m_hWnd == nullptr) return;
  // A window already gone took its registration with it.
  if (::IsWindow(m_hWnd)) ::RevokeDragDrop(m_hWnd);
  m_hWnd = nullptr;
  m_dataObject.Release();
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
void COleDropTarget::OnDragLeave(CWnd*) {}
BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }

CPoint COleDropTarget::ClientPoint(POINTL pt) const {
  POINT point = {pt.x, pt.y};
  ::ScreenToClient(m_hWnd, &point);
  return CPoint(point.x, point.y);
}

IMPLEMENT_IUNKNOWN(COleDropTarget, DropTarget)

// Each call offers only what the source allows (*pdwEffect on entry).
STDMETHODIMP COleDropTarget::XDropTarget::DragEnter(LPDATAOBJECT pDataObj, DWORD grfKeyState, POINTL pt,
                                                    DWORD* pdwEffect) {
  METHOD_PROLOGUE(COleDropTarget, DropTarget)
  if (pdwEffect == nullptr) return E_POINTER;
  pDataObj->AddRef();
  pThis->m_dataObject.Attach(pDataObj, TRUE);
  CWnd* pWnd = CWnd::FromHandle(pThis->m_hWnd);
  *pdwEffect &= pThis->OnDragEnter(pWnd, &pThis->m_dataObject, grfKeyState, pThis->ClientPoint(pt));
  return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
  METHOD_PROLOGUE(COleDropTarget, DropTarget)
  if (pdwEffect == nullptr) return E_POINTER;
  if (pThis->m_dataObject.m_lpDataObject == nullptr) {
    *pdwEffect = DROPEFFECT_NONE;
    return S_OK;
  }
  CWnd* pWnd = CWnd::FromHandle(pThis->m_hWnd);
  *pdwEffect &= pThis->OnDragOver(pWnd, &pThis->m_dataObject, grfKeyState, pThis->ClientPoint(pt));
  return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragLeave() {
  METHOD_PROLOGUE(COleDropTarget, DropTarget)
  pThis->OnDragLeave(CWnd::FromHandle(pThis->m_hWnd));
  pThis->m_dataObject.Release();
  return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::Drop(LPDATAOBJECT pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
  METHOD_PROLOGUE(COleDropTarget, DropTarget)
  if (pdwEffect == nullptr) return E_POINTER;
  pDataObj->AddRef();
  pThis->m_dataObject.Attach(pDataObj, TRUE);
  CWnd* pWnd = CWnd::FromHandle(pThis->m_hWnd);
  CPoint point = pThis->ClientPoint(pt);
  // The effect at the drop point, then the drop itself, which may refuse.
  DROPEFFECT dropEffect = *pdwEffect & pThis->OnDragOver(pWnd, &pThis->m_dataObject, grfKeyState, point);
  if (dropEffect != DROPEFFECT_NONE && !pThis->OnDrop(pWnd, &pThis->m_dataObject, dropEffect, point))
    dropEffect = DROPEFFECT_NONE;
  if (dropEffect == DROPEFFECT_NONE) pThis->OnDragLeave(pWnd);
  *pdwEffect = dropEffect;
  pThis->m_dataObject.Release();
  return S_OK;
}
