// GDI objects and device contexts.
#include "framework/DC.h"
#include "framework/Exception.h"
#include "framework/ExtensionModule.h"
#include "framework/Wnd.h"

#include <cstdlib>

#include "ThreadState.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

// -------------------------------------------------------------- CGdiObject

CGdiObject::~CGdiObject() { DeleteObject(); }

HGDIOBJ CGdiObject::GetSafeHandle() const { return this == nullptr ? nullptr : m_hObject; }

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject) {
  if (hObject == nullptr) return nullptr;
  return AfxGetThreadState()->gdiObjects.FromHandle(hObject, [hObject](CGdiObject* p) { p->m_hObject = hObject; });
}

void PASCAL CGdiObject::DeleteTempMap() {
  AfxGetThreadState()->gdiObjects.DeleteTemp([](CGdiObject* p) { p->m_hObject = nullptr; });
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
  if (hObject == nullptr) return FALSE;
  ENSURE_ARG(m_hObject == nullptr);
  m_hObject = hObject;
  AfxGetThreadState()->gdiObjects.SetPermanent(hObject, this);
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() { return AfxDetachHandle(&AFX_THREAD_STATE::gdiObjects, m_hObject, this); }

BOOL CGdiObject::DeleteObject() {
  if (m_hObject == nullptr) return FALSE;
  return ::DeleteObject(Detach());
}

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) {
  if (!CreatePen(nPenStyle, nWidth, crColor)) AfxThrowResourceException();
}

CBrush::CBrush(COLORREF crColor) {
  if (!CreateSolidBrush(crColor)) AfxThrowResourceException();
}

CBrush::CBrush(int nIndex, COLORREF crColor) {
  if (!CreateHatchBrush(nIndex, crColor)) AfxThrowResourceException();
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
  return Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->GetSafeHandle())));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC) {
  LOGFONT lf = {};
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfHeight = nPointSize;
  lstrcpynA(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
  return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC) {
  // lfHeight in tenths of a point becomes a character height in logical units.
  HDC hDC = pDC != nullptr ? pDC->m_hAttribDC : ::GetDC(nullptr);
  LOGFONT lf = *lpLogFont;
  POINT pt = {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lf.lfHeight, 720)};
  ::DPtoLP(hDC, &pt, 1);
  POINT ptOrg = {0, 0};
  ::DPtoLP(hDC, &ptOrg, 1);
  lf.lfHeight = -std::abs(pt.y - ptOrg.y);
  if (pDC == nullptr) ::ReleaseDC(nullptr, hDC);
  return CreateFontIndirect(&lf);
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
  return hInst != nullptr && Attach(::LoadBitmap(hInst, lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
  return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

CSize CBitmap::GetBitmapDimension() const {
  SIZE size = {0, 0};
  ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &size);
  return size;
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC) { return Attach(::CreateHalftonePalette(pDC->GetSafeHdc())); }

// ---------------------------------------------------------------------- CDC

CDC::~CDC() {
  if (m_hDC != nullptr) {
    // Only a DC this object created (CreateDC/CreateCompatibleDC/Attach) is
    // deleted; the DC classes release theirs before this runs.
    ::DeleteDC(Detach());
  }
}

HDC CDC::GetSafeHdc() const { return this == nullptr ? nullptr : m_hDC; }

CDC* PASCAL CDC::FromHandle(HDC hDC) {
  if (hDC == nullptr) return nullptr;
  return AfxGetThreadState()->dcs.FromHandle(hDC, [hDC](CDC* p) { p->m_hDC = p->m_hAttribDC = hDC; });
}

void PASCAL CDC::DeleteTempMap() {
  AfxGetThreadState()->dcs.DeleteTemp([](CDC* p) { p->m_hDC = p->m_hAttribDC = nullptr; });
}

BOOL CDC::Attach(HDC hDC) {
  if (hDC == nullptr) return FALSE;
  ENSURE_ARG(m_hDC == nullptr);
  m_hDC = m_hAttribDC = hDC;
  AfxGetThreadState()->dcs.SetPermanent(hDC, this);
  return TRUE;
}

HDC CDC::Detach() {
  HDC h = AfxDetachHandle(&AFX_THREAD_STATE::dcs, m_hDC, this);
  m_hAttribDC = nullptr;
  return h;
}

BOOL CDC::DeleteDC() {
  if (m_hDC == nullptr) return FALSE;
  return ::DeleteDC(Detach());
}

CWnd* CDC::GetWindow() const { return CWnd::FromHandle(::WindowFromDC(m_hDC)); }

CGdiObject* CDC::SelectGdiObject(CGdiObject* pObject) {
  HGDIOBJ hOld = ::SelectObject(m_hDC, pObject->GetSafeHandle());
  return CGdiObject::FromHandle(hOld);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
  COLORREF clrOld = ::SetBkColor(m_hDC, clr);
  ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, clrOld);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
  RECT rect = {x, y, x + cx, y + cy};
  FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
             clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
  FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
  FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
  FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const {
  SIZE size = {0, 0};
  ::GetTextExtentPoint32(m_hAttribDC, lpszString, nCount, &size);
  return size;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd->m_hWnd) {
  if (!Attach(::BeginPaint(m_hWnd, &m_ps))) AfxThrowResourceException();
}

CPaintDC::~CPaintDC() {
  Detach();
  ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd()) {
  if (!Attach(::GetDC(m_hWnd))) AfxThrowResourceException();
}

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd()) {
  if (!Attach(::GetWindowDC(m_hWnd))) AfxThrowResourceException();
}

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }
