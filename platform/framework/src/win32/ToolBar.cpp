#include "framework/ToolBar.h"

#include <algorithm>

#include "framework/FrameWnd.h"
#include "framework/Resources.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
ON_WM_PAINT()
ON_NOTIFY_REFLECT_EX(TBN_HOTITEMCHANGE, OnHotItemChange)
END_MESSAGE_MAP()

namespace {

// A button's idle update: enabled and checked through the control.
class CToolCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    m_pOther->SendMessage(TB_ENABLEBUTTON, m_nID, MAKELPARAM(bOn, 0));
  }
  void SetCheck(int nCheck) override {
    m_pOther->SendMessage(TB_CHECKBUTTON, m_nID, MAKELPARAM(nCheck == 1, 0));
    m_pOther->SendMessage(TB_INDETERMINATE, m_nID, MAKELPARAM(nCheck == 2, 0));
  }
  void SetText(LPCTSTR) override {}  // buttons show images only
};

// Layout of an RT_TOOLBAR resource.
struct ToolBarResource {
  WORD wVersion;
  WORD wWidth;
  WORD wHeight;
  WORD wItemCount;
  const WORD* Items() const { return reinterpret_cast<const WORD*>(this + 1); }
};

}  // namespace

CToolBar::CToolBar() : m_sizeButton(23, 22), m_sizeImage(16, 15), m_hbmImageWell(nullptr) {
  m_cxLeftBorder = m_cxRightBorder = 2;
  m_cyTopBorder = m_cyBottomBorder = 2;
}

CToolBar::~CToolBar() {
  DestroyWindow();
  if (m_hbmImageWell != nullptr) ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, 0, dwStyle, CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
  SetBorders(&rcBorders);
  m_dwStyle = dwStyle & CBRS_ALL;
  // The frame lays the control out, not the control itself.
  DWORD dwWindowStyle =
      WindowStyleOf(dwStyle) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
  if (dwStyle & CBRS_TOOLTIPS) dwWindowStyle |= TBSTYLE_TOOLTIPS;
  if (!CWnd::CreateEx(0, TOOLBARCLASSNAME, nullptr, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
  SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  SetSizes(m_sizeButton, m_sizeImage);
  return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
  m_sizeButton = sizeButton;
  m_sizeImage = sizeImage;
  if (m_hWnd == nullptr) return;
  SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
  SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
  HRSRC hRsrc = hInst != nullptr ? ::FindResource(hInst, lpszResourceName, RT_TOOLBAR) : nullptr;
  if (hRsrc == nullptr) return FALSE;
  HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
  auto* pData = hGlobal != nullptr ? static_cast<const ToolBarResource*>(::LockResource(hGlobal)) : nullptr;
  DWORD cbData = ::SizeofResource(hInst, hRsrc);
  if (pData == nullptr || cbData < sizeof(ToolBarResource) || pData->wVersion != 1 ||
      cbData < sizeof(ToolBarResource) + pData->wItemCount * sizeof(WORD))
    return FALSE;
  std::vector<UINT> ids(pData->Items(), pData->Items() + pData->wItemCount);
  SetSizes(CSize(pData->wWidth + 7, pData->wHeight + 7), CSize(pData->wWidth, pData->wHeight));
  if (!SetButtons(ids.data(), static_cast<int>(ids.size()))) return FALSE;
  return LoadBitmap(lpszResourceName);
}

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
  if (hInst == nullptr) return FALSE;
  // Grey, silver and white of the image become the system's button colours.
  auto hbm = static_cast<HBITMAP>(::LoadImage(hInst, lpszResourceName, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
  if (hbm == nullptr) return FALSE;
  BITMAP bm = {};
  ::GetObject(hbm, sizeof(bm), &bm);
  int nImages = m_sizeImage.cx > 0 ? bm.bmWidth / m_sizeImage.cx : 0;
  if (m_hbmImageWell == nullptr) {
    TBADDBITMAP add = {nullptr, reinterpret_cast<UINT_PTR>(hbm)};
    if (SendMessage(TB_ADDBITMAP, nImages, reinterpret_cast<LPARAM>(&add)) == -1) {
      ::DeleteObject(hbm);
      return FALSE;
    }
  } else {
    TBREPLACEBITMAP replace = {nullptr, reinterpret_cast<UINT_PTR>(m_hbmImageWell), nullptr,
                               reinterpret_cast<UINT_PTR>(hbm), nImages};
    if (!SendMessage(TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&replace))) {
      ::DeleteObject(hbm);
      return FALSE;
    }
    ::DeleteObject(m_hbmImageWell);
  }
  m_hbmImageWell = hbm;
  return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
  while (GetCount() > 0) SendMessage(TB_DELETEBUTTON, 0);
  std::vector<TBBUTTON> buttons(static_cast<size_t>(std::max(nIDCount, 0)));
  int nImage = 0;
  for (int i = 0; i < nIDCount; ++i) {
    TBBUTTON& button = buttons[static_cast<size_t>(i)];
    UINT nID = lpIDArray != nullptr ? lpIDArray[i] : ID_SEPARATOR;
    if (nID == ID_SEPARATOR) {
      button.fsStyle = TBSTYLE_SEP;
      button.iBitmap = 6;  // a separator's width
    } else {
      button.idCommand = static_cast<int>(nID);
      button.iBitmap = nImage++;
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = TBSTYLE_BUTTON;
    }
  }
  return buttons.empty() || SendMessage(TB_ADDBUTTONS, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
}

int CToolBar::GetCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }

int CToolBar::CommandToIndex(UINT nIDFind) const { return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, nIDFind)); }

BOOL CToolBar::GetButton(int nIndex, TBBUTTON* pButton) const {
  *pButton = TBBUTTON();
  return static_cast<BOOL>(SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(pButton)));
}

UINT CToolBar::GetItemID(int nIndex) const {
  TBBUTTON button;
  if (!GetButton(nIndex, &button) || (button.fsStyle & TBSTYLE_SEP)) return ID_SEPARATOR;
  return static_cast<UINT>(button.idCommand);
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  if (!SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)))
    ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const {
  TBBUTTON button;
  if (!GetButton(nIndex, &button)) return 0;
  return MAKELONG(button.fsStyle, button.fsState);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
  TBBUTTON button;
  if (!GetButton(nIndex, &button)) return;
  TBBUTTONINFO info = {};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_STYLE | TBIF_STATE | TBIF_BYINDEX;
  info.fsStyle = static_cast<BYTE>(LOWORD(nStyle));
  info.fsState = static_cast<BYTE>(HIWORD(nStyle));
  SendMessage(TB_SETBUTTONINFO, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
}

void CToolBar::SetWrapped(BOOL bVertical) {
  // Docked along a side, every button (and separator) ends a row: one column.
  int nCount = GetCount();
  BOOL bChanged = FALSE;
  for (int i = 0; i < nCount; ++i) {
    TBBUTTON button;
    if (!GetButton(i, &button)) continue;
    BOOL bWrapped = (button.fsState & TBSTATE_WRAP) != 0;
    if (bWrapped == bVertical) continue;
    TBBUTTONINFO info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_STATE | TBIF_BYINDEX;
    info.fsState = static_cast<BYTE>(bVertical ? button.fsState | TBSTATE_WRAP : button.fsState & ~TBSTATE_WRAP);
    SendMessage(TB_SETBUTTONINFO, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
    bChanged = TRUE;
  }
  if (bChanged) SendMessage(TB_AUTOSIZE);
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  SetWrapped(!bHorz);
  // Borders plus the buttons' extent.
  int nCount = GetCount();
  CRect extent(0, 0, m_sizeButton.cx, m_sizeButton.cy);
  for (int i = 0; i < nCount; ++i) {
    CRect item;
    GetItemRect(i, &item);
    extent.right = std::max(extent.right, item.right);
    extent.bottom = std::max(extent.bottom, item.bottom);
  }
  return SizeAround(extent.Size(), bStretch, bHorz);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  CToolCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(GetCount());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    TBBUTTON button;
    if (!GetButton(static_cast<int>(state.m_nIndex), &button) || (button.fsStyle & TBSTYLE_SEP)) continue;
    state.m_nID = static_cast<UINT>(button.idCommand);
    state.DoUpdate(pTarget, bDisableIfNoHndler);
  }
}

BOOL CToolBar::OnHotItemChange(NMHDR* pNMHDR, LRESULT*) {
  // The prompt of the button under the mouse, in the status bar.
  if (!(m_dwStyle & CBRS_FLYBY)) return FALSE;
  auto* pHot = reinterpret_cast<NMTBHOTITEM*>(pNMHDR);
  CWnd* pFrame = GetBarOwner();
  if (pFrame == nullptr) return FALSE;
  if ((pHot->dwFlags & HICF_LEAVING) || pHot->idNew == 0)
    pFrame->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
  else
    pFrame->SendMessage(WM_SETMESSAGESTRING, static_cast<WPARAM>(pHot->idNew));
  return FALSE;
}
