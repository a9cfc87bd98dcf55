// The control classes: what is not inline in their headers.
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/DC.h"
#include "framework/Edit.h"
#include "framework/ExtensionModule.h"
#include "framework/ImageList.h"
#include "framework/ListBox.h"
#include "framework/ListCtrl.h"
#include "framework/ProgressCtrl.h"
#include "framework/ScrollBar.h"
#include "framework/SpinButtonCtrl.h"
#include "framework/Static.h"
#include "framework/ToolTipCtrl.h"
#include "framework/TreeCtrl.h"

#include "ThreadState.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNCREATE(CImageList, CObject)

// ----------------------------------------------------------- owner drawing

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_DRAWITEM) {
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr) *pResult = TRUE;
    return TRUE;
  }
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_DRAWITEM) {
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr) *pResult = TRUE;
    return TRUE;
  }
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

namespace {
template <class T>
BOOL OwnerDrawNotify(T* pControl, UINT message, LPARAM lParam, LRESULT* pResult) {
  LRESULT lResult = TRUE;
  switch (message) {
    case WM_DRAWITEM: pControl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); break;
    case WM_MEASUREITEM: pControl->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); break;
    case WM_COMPAREITEM: lResult = pControl->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)); break;
    case WM_DELETEITEM: pControl->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); break;
    default: return FALSE;
  }
  if (pResult != nullptr) *pResult = lResult;
  return TRUE;
}
}  // namespace

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (OwnerDrawNotify(this, message, lParam, pResult)) return TRUE;
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (OwnerDrawNotify(this, message, lParam, pResult)) return TRUE;
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ------------------------------------------------------------------- texts

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const {
  // The control reads the buffer's size from its first WORD.
  if (nMaxLength < static_cast<int>(sizeof(WORD))) return 0;
  *reinterpret_cast<WORD*>(lpszBuffer) = static_cast<WORD>(nMaxLength < 0xFFFF ? nMaxLength : 0xFFFF);
  return static_cast<int>(SendMessage(EM_GETLINE, nIndex, reinterpret_cast<LPARAM>(lpszBuffer)));
}

void CListBox::GetText(int nIndex, CString& rString) const {
  int nLen = GetTextLen(nIndex);
  if (nLen == LB_ERR) {
    rString.Empty();
    return;
  }
  GetText(nIndex, rString.GetBuffer(nLen));
  rString.ReleaseBuffer(nLen);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
  int nLen = GetLBTextLen(nIndex);
  if (nLen == CB_ERR) {
    rString.Empty();
    return;
  }
  GetLBText(nIndex, rString.GetBuffer(nLen));
  rString.ReleaseBuffer(nLen);
}

// --------------------------------------------------------------- list view

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
                        LPARAM lParam) {
  LVITEM item = {};
  item.mask = nMask;
  item.iItem = nItem;
  item.iSubItem = nSubItem;
  item.pszText = const_cast<LPTSTR>(lpszItem);
  item.iImage = nImage;
  item.state = nState;
  item.stateMask = nStateMask;
  item.lParam = lParam;
  return SetItem(&item);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem) {
  LVITEM item = {};
  item.mask = LVIF_TEXT;
  item.iItem = nItem;
  item.pszText = const_cast<LPTSTR>(lpszItem);
  return InsertItem(&item);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage) {
  LVITEM item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = nItem;
  item.pszText = const_cast<LPTSTR>(lpszItem);
  item.iImage = nImage;
  return InsertItem(&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
  // Grows the buffer until the text fits.
  CString text;
  for (int nLen = 256;; nLen *= 2) {
    LVITEM item = {};
    item.iSubItem = nSubItem;
    item.cchTextMax = nLen;
    item.pszText = text.GetBuffer(nLen);
    int nRes = static_cast<int>(SendMessage(LVM_GETITEMTEXT, nItem, reinterpret_cast<LPARAM>(&item)));
    text.ReleaseBuffer(nRes);
    if (nRes < nLen - 1 || nLen > 1 << 20) break;
  }
  return text;
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const {
  LVITEM item = {};
  item.iSubItem = nSubItem;
  item.cchTextMax = nLen;
  item.pszText = lpszText;
  return static_cast<int>(SendMessage(LVM_GETITEMTEXT, nItem, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText) {
  LVITEM item = {};
  item.iSubItem = nSubItem;
  item.pszText = const_cast<LPTSTR>(lpszText);
  return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXT, nItem, reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
  LVITEM item = {};
  item.mask = LVIF_PARAM;
  item.iItem = nItem;
  GetItem(&item);
  return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
  return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, static_cast<LPARAM>(dwData));
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
  LVITEM item = {};
  item.state = nState;
  item.stateMask = nMask;
  return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, nItem, reinterpret_cast<LPARAM>(&item)));
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  LVHITTESTINFO info = {};
  info.pt = pt;
  int nItem = HitTest(&info);
  if (pFlags != nullptr) *pFlags = info.flags;
  return nItem;
}

CEdit* CListCtrl::EditLabel(int nItem) {
  return static_cast<CEdit*>(FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_EDITLABEL, nItem, 0))));
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem) {
  LVCOLUMN column = {};
  column.mask = LVCF_TEXT | LVCF_FMT;
  column.pszText = const_cast<LPTSTR>(lpszColumnHeading);
  column.fmt = nFormat;
  if (nWidth != -1) {
    column.mask |= LVCF_WIDTH;
    column.cx = nWidth;
  }
  if (nSubItem != -1) {
    column.mask |= LVCF_SUBITEM;
    column.iSubItem = nSubItem;
  }
  return InsertColumn(nCol, &column);
}

// --------------------------------------------------------------- tree view

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  TVINSERTSTRUCT tvis = {};
  tvis.hParent = hParent;
  tvis.hInsertAfter = hInsertAfter;
  tvis.item.mask = nMask;
  tvis.item.pszText = const_cast<LPTSTR>(lpszItem);
  tvis.item.iImage = nImage;
  tvis.item.iSelectedImage = nSelectedImage;
  tvis.item.state = nState;
  tvis.item.stateMask = nStateMask;
  tvis.item.lParam = lParam;
  return InsertItem(&tvis);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter) {
  return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0, hParent,
                    hInsertAfter);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const {
  TVITEM item = {};
  item.hItem = hItem;
  item.mask = TVIF_CHILDREN;
  GetItem(&item);
  return item.cChildren != 0;
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const {
  CString text;
  for (int nLen = 256;; nLen *= 2) {
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = TVIF_TEXT;
    item.pszText = text.GetBuffer(nLen);
    item.cchTextMax = nLen;
    GetItem(&item);
    text.ReleaseBuffer();
    if (text.GetLength() < nLen - 1 || nLen > 1 << 20) break;
  }
  return text;
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem) {
  TVITEM item = {};
  item.hItem = hItem;
  item.mask = TVIF_TEXT;
  item.pszText = const_cast<LPTSTR>(lpszItem);
  return SetItem(&item);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const {
  TVITEM item = {};
  item.hItem = hItem;
  item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  BOOL bRes = GetItem(&item);
  if (bRes) {
    nImage = item.iImage;
    nSelectedImage = item.iSelectedImage;
  }
  return bRes;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) {
  TVITEM item = {};
  item.hItem = hItem;
  item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  item.iImage = nImage;
  item.iSelectedImage = nSelectedImage;
  return SetItem(&item);
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) {
  TVITEM item = {};
  item.hItem = hItem;
  item.mask = TVIF_STATE;
  item.state = nState;
  item.stateMask = nStateMask;
  return SetItem(&item);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const {
  TVITEM item = {};
  item.hItem = hItem;
  item.mask = TVIF_PARAM;
  GetItem(&item);
  return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData) {
  TVITEM item = {};
  item.hItem = hItem;
  item.mask = TVIF_PARAM;
  item.lParam = static_cast<LPARAM>(dwData);
  return SetItem(&item);
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  TVHITTESTINFO info = {};
  info.pt = pt;
  HTREEITEM hItem = HitTest(&info);
  if (pFlags != nullptr) *pFlags = info.flags;
  return hItem;
}

CEdit* CTreeCtrl::EditLabel(HTREEITEM hItem) {
  return static_cast<CEdit*>(
      FromHandle(reinterpret_cast<HWND>(SendMessage(TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(hItem)))));
}

CEdit* CTreeCtrl::GetEditControl() const {
  return static_cast<CEdit*>(FromHandle(reinterpret_cast<HWND>(SendMessage(TVM_GETEDITCONTROL, 0, 0))));
}

CImageList* CTreeCtrl::CreateDragImage(HTREEITEM hItem) {
  HIMAGELIST hImageList =
      reinterpret_cast<HIMAGELIST>(SendMessage(TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(hItem)));
  if (hImageList == nullptr) return nullptr;
  CImageList* pImageList = new CImageList;  // the caller deletes it
  pImageList->Attach(hImageList);
  return pImageList;
}

// ----------------------------------------------------------------- tooltips

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
  return CWnd::CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), nullptr, nullptr);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const {
  memset(&ti, 0, sizeof(ti));
  ti.cbSize = sizeof(ti);
  if (nIDTool == 0) {
    ti.hwnd = ::GetParent(pWnd->m_hWnd);
    ti.uFlags = TTF_IDISHWND;
    ti.uId = reinterpret_cast<UINT_PTR>(pWnd->m_hWnd);
  } else {
    ti.hwnd = pWnd->m_hWnd;
    ti.uId = nIDTool;
  }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  if (lpRectTool != nullptr) ti.rect = *lpRectTool;
  ti.lpszText = const_cast<LPTSTR>(lpszText);
  ti.uFlags |= (nIDTool == 0 ? TTF_SUBCLASS : 0);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  if (lpRectTool != nullptr) ti.rect = *lpRectTool;
  ti.hinst = AfxFindStringResourceHandle(nIDText);
  ti.lpszText = MAKEINTRESOURCE(nIDText);
  ti.uFlags |= (nIDTool == 0 ? TTF_SUBCLASS : 0);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ti.lpszText = const_cast<LPTSTR>(lpszText);
  SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFO* lpToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const {
  FillInToolInfo(*lpToolInfo, pWnd, nIDTool);
  return static_cast<BOOL>(SendMessage(TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(lpToolInfo)));
}

// --------------------------------------------------------------- image list

CImageList::~CImageList() { DeleteImageList(); }

HIMAGELIST CImageList::GetSafeHandle() const { return this == nullptr ? nullptr : m_hImageList; }

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList) {
  if (hImageList == nullptr) return nullptr;
  return AfxGetThreadState()->imageLists.FromHandle(hImageList,
                                                    [hImageList](CImageList* p) { p->m_hImageList = hImageList; });
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
  if (hImageList == nullptr) return FALSE;
  ENSURE_ARG(m_hImageList == nullptr);
  m_hImageList = hImageList;
  AfxGetThreadState()->imageLists.SetPermanent(hImageList, this);
  return TRUE;
}

HIMAGELIST CImageList::Detach() { return AfxDetachHandle(&AFX_THREAD_STATE::imageLists, m_hImageList, this); }

BOOL CImageList::DeleteImageList() {
  if (m_hImageList == nullptr) return FALSE;
  return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
  HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nBitmapID), RT_BITMAP);
  if (hInst == nullptr) return FALSE;
  return Attach(
      ImageList_LoadImage(hInst, MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
  return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}

BOOL PASCAL CImageList::DragEnter(CWnd* pWndLock, CPoint point) {
  return ImageList_DragEnter(pWndLock->GetSafeHwnd(), point.x, point.y);
}

BOOL PASCAL CImageList::DragLeave(CWnd* pWndLock) { return ImageList_DragLeave(pWndLock->GetSafeHwnd()); }
