// CJVKTabManagerItem: one tab of a tab manager: its caption, tooltip,
// colour, window and data, and the geometry the layout gives it.
#pragma once

#include "TabTypes.h"

#include <Framework.h>

class CJVKTabManager;

class CJVKTabManagerItem : public CCmdTarget {
  DECLARE_DYNCREATE(CJVKTabManagerItem)
 public:
  CJVKTabManagerItem();

  // Stores a different text only, then tells the manager.
  void SetCaption(LPCTSTR lpszCaption);
  CString GetCaption() const;
  void SetTooltip(LPCTSTR lpszTooltip) { m_strToolTip = lpszTooltip; }
  CString GetTooltip() const;
  // A palette code (0x1000000 to 0x1000007) or a colour; redraws.
  void SetColor(COLORREF clr);
  COLORREF GetColor() const;

  int GetIndex() const { return m_nIndex; }
  CRect GetRect() const { return CRect(m_rcItem); }
  int GetWidth() const { return m_nWidth; }
  int GetFullLength() const { return m_nFullLength; }
  BOOL IsTruncated() const { return m_nWidth < m_nFullLength; }
  int GetRow() const { return m_nRow; }
  BOOL IsEnabled() const { return m_bEnabled; }
  void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
  BOOL IsVisible() const { return m_bVisible; }
  void SetVisible(BOOL bVisible) { m_bVisible = bVisible; }
  BOOL IsUsable() const { return m_bEnabled && m_bVisible; }
  BOOL IsClosable() const { return m_bClosable; }
  void SetClosable(BOOL bClosable) { m_bClosable = bClosable; }
  HWND GetHandle() const { return m_hWnd; }
  void SetHandle(HWND hWnd) { m_hWnd = hWnd; }
  DWORD_PTR GetData() const { return m_dwData; }
  void SetData(DWORD_PTR dwData) { m_dwData = dwData; }
  int GetImageIndex() const { return m_nImage; }
  void SetImageIndex(int nImage) { m_nImage = nImage; }
  COLORREF GetStoredColor() const { return m_clrItem; }
  CJVKTabManager* GetTabManager() const { return m_pTabManager; }
  BOOL IsSelected() const;
  BOOL IsHot() const;

 private:
  friend class CJVKTabManager;
  friend class CJVKTabPaintManager;
  friend class CJVKTabAppearanceSet;

  int m_nWidth = 0;
  int m_nFullLength = 0;
  int m_nImage = -1;
  int m_nIndex = -1;
  BOOL m_bEnabled = TRUE;
  BOOL m_bVisible = TRUE;
  HWND m_hWnd = nullptr;
  DWORD_PTR m_dwData = 0;
  RECT m_rcItem = {0, 0, 0, 0};
  CString m_strCaption;
  CString m_strToolTip;
  COLORREF m_clrItem = 0;
  CJVKTabManager* m_pTabManager = nullptr;
  int m_nRow = 0;
  BOOL m_bClosable = TRUE;
};
