#include "DockingTabColorSet.h"

#include "DockingPaneTabbedContainer.h"

#include <ColorManager.h>
#include <ColorMath.h>
#include <DrawHelpers.h>

#include <algorithm>

void CJVKDockingTabColorSet::RefreshColors() {
  CJVKTabColorSet::RefreshColors();
  if (m_bDocking) m_clrSelectedFace.m_clrOverride = RGB(255, 255, 255);
  m_grcButton.SetColors(Index(COLOR_BTNFACE), MixColors(Index(COLOR_BTNFACE), Index(COLOR_WINDOW), 205));
  m_grcButtonSelected.SetColors(m_grcButton.m_clrEnd.m_clrValue, m_grcButton.m_clrStart.m_clrValue);
  m_bSchemeColors = FALSE;
  m_bOwnScheme = FALSE;
  switch (GetColorManager()->GetCurrentSystemTheme()) {
    case xpThemeBlue:
    case xpThemeOlive:
      m_bOwnScheme = TRUE;
      Set(m_clrSlantedInner, RGB(255, 255, 255));
      break;
    case xpThemeSilver:
      Set(m_clrNormalFace, RGB(242, 242, 247));
      Set(m_clrSlantedOutline, RGB(145, 155, 156));
      Set(m_clrSlantedSelectedOutline, RGB(145, 155, 156));
      Set(m_clrSlantedLight, RGB(190, 190, 216));
      m_bOwnScheme = TRUE;
      Set(m_clrSlantedInner, RGB(255, 255, 255));
      break;
    default: break;
  }
}

void CJVKDockingTabColorSet::FillFrameGradient(CDC* pDC, CRect rc, HWND hWnd, const CJVKGradientColor& grc) const {
  // From the frame's left edge, one frame width (at least half the screen) on.
  HWND hFrame = ::GetAncestor(hWnd, GA_ROOT);
  CRect rcFrame, rcWnd;
  ::GetWindowRect(hFrame ? hFrame : hWnd, &rcFrame);
  ::GetWindowRect(hWnd, &rcWnd);
  const int nWidth = std::max(static_cast<int>(rcFrame.Width()), ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
  CRect rcGradient(rcFrame.left - rcWnd.left, rc.top, rcFrame.left - rcWnd.left + nWidth, rc.bottom);
  if ((::GetWindowLong(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0)
    rcGradient.OffsetRect(rcWnd.Width() - rcGradient.right - rcGradient.left, 0);
  const int nSaved = pDC->SaveDC();
  pDC->IntersectClipRect(rc);
  JVKDrawHelpers()->GradientFill(pDC, rcGradient, grc.m_clrStart, grc.m_clrEnd, TRUE);
  pDC->RestoreDC(nSaved);
}

void CJVKDockingTabColorSet::GradientFill(CDC* pDC, CRect rc, CJVKTabManager* pManager) {
  const auto* pTabs = dynamic_cast<const CJVKDockingTabManager*>(pManager);
  const CJVKDockingPaneTabbedContainer* pGroup = pTabs ? pTabs->GetContainer() : nullptr;
  if (!pGroup || !pGroup->GetSafeHwnd()) {
    CJVKTabColorSetScheme::GradientFill(pDC, rc, pManager);
    return;
  }
  FillFrameGradient(pDC, rc, pGroup->GetSafeHwnd(), m_grcButton);
}

COLORREF CJVKDockingTabColorSet::FillTab(CDC* pDC, CRect rc, CJVKTabManagerItem* pItem) {
  return m_bSchemeColors ? CJVKTabColorSetScheme::FillTab(pDC, rc, pItem) : CJVKTabColorSet::FillTab(pDC, rc, pItem);
}
