#include "Button.h"

#include "ButtonThemeFlat.h"
#include "ColorManager.h"
#include "DrawHelpers.h"
#include "ImageManagerIcon.h"
#include "MemDC.h"
#include "Mnemonics.h"

IMPLEMENT_DYNAMIC(CJVButton, CButton)

BEGIN_MESSAGE_MAP(CJVButton, CButton)
ON_WM_CREATE()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_PAINT()
END_MESSAGE_MAP()

void CJVButton::CThemeHost::OnThemeChanged() {
  if (::IsWindow(m_pButton->GetSafeHwnd())) m_pButton->Invalidate();
}

CJVButton::CJVButton(CRuntimeClass* pFactoryClass) : m_host(pFactoryClass, this) {}

CJVButton::~CJVButton() { FreeImages(); }

CJVButtonTheme* CJVButton::GetTheme() { return static_cast<CJVButtonTheme*>(m_host.GetTheme()); }

void CJVButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) { GetTheme()->DrawButton(lpDrawItemStruct, this); }

void CJVButton::Redraw(BOOL bRedraw) {
  if (bRedraw && ::IsWindow(m_hWnd)) Invalidate();
}

void CJVButton::FreeImages() {
  if (m_pImage) m_pImage->InternalRelease();
  m_pImage = nullptr;
  m_sizeImage = CSize(0, 0);
}

BOOL CJVButton::SetIcon(CSize size, HICON hIcon, HICON hIconHot, BOOL bRedraw) {
  FreeImages();
  if (!hIcon) {
    Redraw(bRedraw);
    return FALSE;
  }
  m_pImage = new CJVKImageManagerIcon(0, size.cx, size.cy);
  m_pImage->SetIcon(CJVKImageManagerIconHandle::View(hIcon));
  if (hIconHot) m_pImage->SetHotIcon(CJVKImageManagerIconHandle::View(hIconHot));
  m_sizeImage = size;
  Redraw(bRedraw);
  return TRUE;
}

BOOL CJVButton::SetIcon(CSize size, UINT nID, UINT nHotID, BOOL bRedraw) {
  FreeImages();
  CJVKImageManagerIconHandle hIcon, hHot;
  if (!hIcon.LoadIcon(nID, size.cx, size.cy) || (nHotID != 0 && !hHot.LoadIcon(nHotID, size.cx, size.cy))) {
    Redraw(bRedraw);
    return FALSE;
  }
  m_pImage = new CJVKImageManagerIcon(0, size.cx, size.cy);
  m_pImage->SetIcon(std::move(hIcon));
  if (!hHot.IsEmpty()) m_pImage->SetHotIcon(std::move(hHot));
  m_sizeImage = size;
  Redraw(bRedraw);
  return TRUE;
}

BOOL CJVButton::SetBitmap(CSize size, UINT nID, BOOL bRedraw) {
  HBITMAP hBitmap = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nID));
  if (!hBitmap) {
    FreeImages();
    Redraw(bRedraw);
    return FALSE;
  }
  HICON hIcon = CJVKDrawHelpers::BitmapToIcon(hBitmap);
  ::DeleteObject(hBitmap);
  const BOOL bResult = SetIcon(size, hIcon, nullptr, bRedraw);
  if (hIcon) ::DestroyIcon(hIcon);
  return bResult;
}

void CJVButton::SetImagePosition(CPoint ptImage, CPoint ptText, BOOL bRedraw) {
  m_ptImage = ptImage;
  m_ptText = ptText;
  m_bExplicitPositions = TRUE;
  Redraw(bRedraw);
}

DWORD CJVButton::SetXButtonStyle(DWORD dwStyle, BOOL bRedraw) {
  const DWORD dwOld = m_dwXStyle;
  m_dwXStyle = dwStyle;
  if (dwStyle & JVBS_FLATTHEME)
    m_host.SetTheme(new CJVButtonThemeFlat(FALSE));
  else if (dwStyle & JVBS_FLAT)
    m_host.SetTheme(new CJVButtonTheme);
  else
    m_host.SetTheme(nullptr);
  Redraw(bRedraw);
  return dwOld;
}

void CJVButton::SetColors(COLORREF clrFace, COLORREF clrBorder, COLORREF clrShadow, COLORREF clrText) {
  GetTheme()->SetColors(clrFace, clrBorder, clrShadow, clrText);
}
void CJVButton::SetFaceColor(COLORREF clr) { GetTheme()->SetFaceColor(clr); }
COLORREF CJVButton::GetFaceColor() { return GetTheme()->GetFaceColor(); }
void CJVButton::SetBorderColor(COLORREF clr) { GetTheme()->SetBorderColor(clr); }
void CJVButton::SetShadowColor(COLORREF clr) { GetTheme()->SetShadowColor(clr); }
void CJVButton::SetTextColor(COLORREF clr) { GetTheme()->SetTextColor(clr); }

void CJVButton::SetFlatColors(COLORREF clrBorderAndShadow, COLORREF clrHotFill, COLORREF clrPressedFill) {
  CJVButtonTheme* pTheme = GetTheme();
  if (pTheme->GetThemeType() != 1) return;
  auto* pFlat = static_cast<CJVButtonThemeFlat*>(pTheme);
  pFlat->SetBorderColor(clrBorderAndShadow);
  pFlat->SetShadowColor(clrBorderAndShadow);
  pFlat->SetHotFillColor(clrHotFill);
  pFlat->SetPressedFillColor(clrPressedFill);
}

void CJVButton::ToggleImage() {
  CJVButtonTheme* pTheme = GetTheme();
  pTheme->SetImageFlag(!pTheme->GetImageFlag());
  Redraw(TRUE);
}

CFont* CJVButton::SetFont(CFont* pFont) {
  CFont* pOld = nullptr;
  if (HFONT hOld = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT))) pOld = CFont::FromHandle(hOld);
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), TRUE);
  return pOld;
}

void CJVButton::Initialize() {
  // The type bits become BS_OWNERDRAW whatever type the button had.
  ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

CString CJVButton::GetButtonText(BOOL bRemoveMarkers) {
  CString strText;
  if (::IsWindow(m_hWnd)) GetWindowText(strText);
  if (bRemoveMarkers) RemoveMnemonicMarkers(strText);
  return strText;
}

void CJVButton::SetChecked(BOOL bChecked) {
  if (m_bChecked == bChecked) return;
  m_bChecked = bChecked;
  Redraw(TRUE);
}

void CJVButton::PreSubclassWindow() {
  CButton::PreSubclassWindow();
  if (m_bSetupOnSubclass) Initialize();
}

BOOL CJVButton::PreCreateWindow(CREATESTRUCT& cs) {
  m_bSetupOnSubclass = FALSE;
  return CButton::PreCreateWindow(cs);
}

BOOL CJVButton::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE) GetTheme()->RefreshMetrics();
  return CButton::OnWndMsg(message, wParam, lParam, pResult);
}

int CJVButton::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  const int nResult = CButton::OnCreate(lpCreateStruct);
  if (nResult != -1) Initialize();
  return nResult;
}

void CJVButton::OnMouseMove(UINT nFlags, CPoint point) {
  CButton::OnMouseMove(nFlags, point);
  if (!GetTheme()->IsHotTracking(this)) return;
  SetTimer(kHotTimerId, 10);
  HotTrackStep();
}

void CJVButton::HotTrackStep() {
  POINT ptCursor;
  ::GetCursorPos(&ptCursor);
  CRect rcWindow;
  GetWindowRect(&rcWindow);
  if (!rcWindow.PtInRect(ptCursor) || m_bPushed) {
    KillTimer(kHotTimerId);
    m_bHot = FALSE;
    if (m_bHotDrawn) {
      m_bHotDrawn = FALSE;
      Invalidate();
    }
    return;
  }
  if (GetTheme()->IsHotTracking(this) && !m_bHotDrawn) {
    m_bHot = TRUE;
    Invalidate();
    m_bHotDrawn = TRUE;
  }
}

void CJVButton::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kHotTimerId) {
    CButton::OnTimer(nIDEvent);
    return;
  }
  HotTrackStep();
}

void CJVButton::OnLButtonDown(UINT nFlags, CPoint point) {
  if (!m_bPushed) {
    m_bPushed = TRUE;
    Invalidate();
  }
  CButton::OnLButtonDown(nFlags, point);
}

void CJVButton::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_bPushed) {
    m_bPushed = FALSE;
    Invalidate();
  }
  CButton::OnLButtonUp(nFlags, point);
}

void CJVButton::OnLButtonDblClk(UINT nFlags, CPoint point) {
  // A double click counts as a second click.
  const CPoint ptCursor = CJVKDrawHelpers::GetClientCursorPos(this);
  SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(ptCursor.x, ptCursor.y));
  CButton::OnLButtonDblClk(nFlags, point);
}

void CJVButton::OnPaint() {
  CPaintDC dc(this);
  CRect rcClient;
  GetClientRect(&rcClient);
  CJVMemDC memDC(&dc, rcClient, CJVKGradientColor(GetColorManager()->GetColor(COLOR_3DFACE)));
  DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(memDC.GetSafeHdc()), 0);
}
