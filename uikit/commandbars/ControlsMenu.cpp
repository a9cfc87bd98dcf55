// Building a bar's controls from a Windows menu: one control per item,
// popups with their own popup bars filled from the submenus, separators as
// group marks. The site may change or supply each control.
#include "Controls.h"

#include "ControlPopup.h"
#include "Mnemonics.h"
#include "ResourceManager.h"

namespace {
const int kMaxItemText = 1024;
const char kOleVerbsText[] = "<<OLE VERBS GO HERE>>";
}  // namespace

CJVKControl* CJVKControls::AddMenuItem(CMenu* pMenu, int nPosition) {
  HMENU hSubMenu = ::GetSubMenu(pMenu->m_hMenu, nPosition);
  // A submenu item has no command of its own.
  int nID = hSubMenu ? 0 : static_cast<int>(pMenu->GetMenuItemID(nPosition));
  const BOOL bDefault = static_cast<int>(::GetMenuDefaultItem(pMenu->m_hMenu, TRUE, GMDI_USEDISABLED)) == nPosition;
  if (nID == JVK_ID_FIRST_MDI_CHILD) return nullptr;

  char szText[kMaxItemText + 1] = {};
  ::GetMenuStringA(pMenu->m_hMenu, static_cast<UINT>(nPosition), szText, kMaxItemText, MF_BYPOSITION);

  JVK_CREATE_CONTROL request;
  request.nID = nID;
  request.pControl = nullptr;
  request.bFromButtonList = FALSE;
  request.nIndex = nPosition;
  request.pMenu = pMenu;
  request.pBar = m_pParent;
  request.strCaption = szText;
  request.nType = hSubMenu ? jvkControlPopup : jvkControlButton;
  request.nStyle = 0;
  CWnd* pSite = GetSite();
  if (pSite && pSite->GetSafeHwnd()) {
    JVK_CREATE_CONTROL answer = request;
    // Only an answer that says so changes the item.
    if (pSite->SendMessage(JVK_WM_CREATE_CONTROL, 0, reinterpret_cast<LPARAM>(&answer)) != 0) request = answer;
  }
  nID = request.nID;

  CJVKControl* pControl = request.pControl;
  if (pControl == nullptr) {
    const int nType = request.nType;
    if (nType < jvkControlButton || nType > jvkControlEdit) return nullptr;
    if (nType == jvkControlButton) {
      // The OLE verbs stand in only for their placeholder text.
      if (nID != JVK_ID_OLE_VERBS || request.strCaption == kOleVerbsText) pControl = CreateSpecialButton(nID);
      if (pControl == nullptr) pControl = CreateControl(nType, 0);
    } else {
      pControl = CreateControl(nType, nID);
    }
    if (pControl == nullptr) return nullptr;
    if (nType >= jvkControlPopup && nType <= jvkControlSplitButtonPopup) {
      CString strTitle = request.strCaption;
      StripMnemonics(strTitle);
      CJVKControlParentBar* pBar = MakePopupBar(strTitle, nID);
      if (pBar) {
        pBar->SetTitle(request.strCaption);
        CMenu menu;
        if (hSubMenu) {
          pBar->GetControls()->LoadMenu(CMenu::FromHandle(hSubMenu));
        } else if (nID != 0 && GetResourceManager()->LoadMenu(menu, static_cast<UINT>(nID)) &&
                   ::GetSubMenu(menu.m_hMenu, 0)) {
          pBar->GetControls()->LoadMenu(menu.GetSubMenu(0));
        }
      }
      static_cast<CJVKControlPopup*>(pControl)->SetCommandBar(pBar);
      if (pBar) pBar->ReleaseBarRef();
    }
    pControl->m_nType = nType;
    pControl->m_nStyle = request.nStyle;
    if (m_pParent) m_pParent->DelayLayout();
  }
  pControl->SetID(nID);
  pControl->SetCaption(request.strCaption);
  pControl->SetDefaultItem(bDefault);
  Insert(pControl, -1);
  request.pControl = pControl;
  if (pSite && pSite->GetSafeHwnd()) pSite->SendMessage(JVK_WM_CONTROL_CREATED, 0, reinterpret_cast<LPARAM>(&request));
  return pControl;
}

void CJVKControls::LoadMenu(CMenu* pMenu) {
  if (pMenu == nullptr || pMenu->m_hMenu == nullptr) return;
  BOOL bGroupPending = FALSE;
  const int nCount = ::GetMenuItemCount(pMenu->m_hMenu);
  for (int i = 0; i < nCount; ++i) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    if (!::GetMenuItemInfoA(pMenu->m_hMenu, static_cast<UINT>(i), TRUE, &info)) continue;
    if ((info.fType & MFT_SEPARATOR) || (info.wID == 0 && info.hSubMenu == nullptr)) {
      // A separator before the first control separates nothing.
      bGroupPending = GetCount() > 0;
      continue;
    }
    CJVKControl* pControl = AddMenuItem(pMenu, i);
    if (pControl == nullptr) continue;
    if (bGroupPending) {
      pControl->SetBeginGroup(TRUE);
      bGroupPending = FALSE;
    }
    if (info.fState & MFS_CHECKED) pControl->SetChecked(TRUE);
    if (info.fState & (MFS_DISABLED | MFS_GRAYED)) pControl->SetEnabled(FALSE);
  }
}
