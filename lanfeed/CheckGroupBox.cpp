#include <winsock2.h>
#include <windows.h>

#include <Framework.h>

#include "CheckGroupBox.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CCheckGroupBox, CStatic)
ON_BN_CLICKED(CCheckGroupBox::kCheckBoxId, OnCheckClicked)
END_MESSAGE_MAP()

BOOL CCheckGroupBox::Create() {
  GetWindowRect(&m_rect);
  ScreenToClient(&m_rect);
  CString caption;
  GetWindowText(caption);
  SetWindowText("");
  SetFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT))));

  CDC* dc = GetDC();
  CFont* old = dc->SelectObject(GetFont());
  const CSize text = dc->GetTextExtent(caption);
  dc->SelectObject(old);
  ReleaseDC(dc);

  // Wide enough for the check mark and the whole caption beside it.
  const int mark = ::GetSystemMetrics(SM_CXMENUCHECK) + 6;
  const CRect box(m_rect.left + 10, m_rect.top, m_rect.left + 10 + mark + text.cx,
                  m_rect.top + std::max<LONG>(text.cy, 20));
  if (!m_check.Create(caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX, box, this, kCheckBoxId)) {
    AfxMessageBox("Failed to create checkbox");
    return FALSE;
  }
  m_check.SetCheck(BST_CHECKED);
  m_check.SetFont(GetFont());
  return TRUE;
}

int CCheckGroupBox::AddControl(int nID) { return static_cast<int>(m_arrIDs.Add(static_cast<DWORD>(nID))) + 1; }

void CCheckGroupBox::SetCheck(int nState) {
  m_check.SetCheck(nState);
  EnableControls(nState == BST_CHECKED);
}

void CCheckGroupBox::OnCheckClicked() { SetCheck(GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED); }

void CCheckGroupBox::EnableControls(BOOL bEnable) {
  CWnd* parent = GetParent();
  if (!parent) return;
  for (INT_PTR i = 0; i < m_arrIDs.GetSize(); ++i)
    if (CWnd* control = parent->GetDlgItem(static_cast<int>(m_arrIDs[i]))) control->EnableWindow(bEnable);
}
