#include "GridTestWindow.h"

#include "OutsideClickHook.h"

// The test program's application object.
CWinApp theGridTestApp("UikitGridTest");

BEGIN_MESSAGE_MAP(CGridTestWindow, CWnd)
  ON_MESSAGE(JVK_PGWM_PROPERTYGRID_NOTIFY, OnGridNotify)
END_MESSAGE_MAP()

namespace {
const UINT kGridId = 100;
}

CGridTestWindow::CGridTestWindow() {
  CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW)), "Grid test",
           WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 360, 420, nullptr, nullptr);
  m_grid.Create(CRect(0, 0, 360, 420), this, kGridId);
}

CGridTestWindow::~CGridTestWindow() {
  m_grid.DestroyWindow();
  DestroyWindow();
  PumpPending();
}

CGridTestWindow& CGridTestWindow::Reset() {
  static CGridTestWindow window;
  if (window.m_grid.GetInplaceList().GetSafeHwnd()) window.m_grid.GetInplaceList().Hide();
  window.m_grid.SetTheme(0);
  window.m_grid.ShowHelp(TRUE);
  window.m_grid.SetHelpHeight(58);
  window.m_grid.SetViewDivider(0.5);
  window.m_grid.SetPropertySort(jvkSortCategorized);
  window.m_grid.GetCategories()->Clear();
  window.Fill();
  window.m_nButtonAnswer = 0;
  window.m_nDrawAnswer = 0;
  window.m_grid.ModifyStyle(JVK_PGS_OWNERDRAW, 0);
  window.m_onNotice = nullptr;
  window.SetForegroundWindow();
  window.View().SetFocus();
  window.View().SetCurSel(-1);
  window.View().SynchroniseSelection();
  PumpPending();
  window.m_notices.clear();
  return window;
}

void CGridTestWindow::Fill() {
  m_pNames = m_grid.AddCategory("Names");
  m_pChannelName = m_pNames->AddChildItem(new CJVKPropertyGridItem("Channel name\nThe channel's name.", "Alpha"));
  m_pServiceId = static_cast<CJVKPropertyGridItemNumber*>(
      m_pNames->AddChildItem(new CJVKPropertyGridItemNumber("Service id", 100)));
  m_pProvider = m_pNames->AddChildItem(new CJVKPropertyGridItem("Provider", "Provider A"));
  m_pProvider->SetReadOnly(TRUE);

  m_pTuning = m_grid.AddCategory("Tuning");
  m_pPolarisation = m_pTuning->AddChildItem(new CJVKPropertyGridItem("Polarisation", "Horizontal"));
  m_pPolarisation->SetFlags(jvkItemHasEdit | jvkItemHasComboButton);
  for (const char* text : {"Horizontal", "Vertical", "Left", "Right"})
    m_pPolarisation->GetConstraints()->AddConstraint(text);
  m_pModulation = m_pTuning->AddChildItem(new CJVKPropertyGridItem("Modulation", "QPSK"));
  m_pModulation->SetFlags(jvkItemHasComboButton);
  for (const char* text : {"QPSK", "8PSK", "16QAM"}) m_pModulation->GetConstraints()->AddConstraint(text);
  m_pSatellite = m_pTuning->AddChildItem(new CJVKPropertyGridItem("Satellite", "Sat 1"));
  m_pSatellite->SetFlags(jvkItemHasEdit | jvkItemHasComboButton);
  for (int i = 1; i <= 25; ++i) {
    CString text;
    text.Format("Sat %d", i);
    m_pSatellite->GetConstraints()->AddConstraint(text);
  }

  m_pOther = m_grid.AddCategory("Other");
  m_pColour = m_pOther->AddChildItem(new CJVKPropertyGridItem("Colour", "Blue"));
  m_pColour->SetFlags(jvkItemHasEdit | jvkItemHasExpandButton);

  for (CJVKPropertyGridItem* pCategory : {m_pNames, m_pTuning, m_pOther}) pCategory->Expand();
}

int CGridTestWindow::CountNotices(WPARAM code) const {
  int n = 0;
  for (const GridNotice& notice : m_notices)
    if (notice.code == code) ++n;
  return n;
}

LRESULT CGridTestWindow::OnGridNotify(WPARAM wParam, LPARAM lParam) {
  m_notices.push_back({wParam, lParam});
  if (m_onNotice) m_onNotice(wParam, lParam);
  if (wParam == JVK_PGN_INPLACEBUTTONDOWN) return m_nButtonAnswer;
  if (wParam == JVK_PGN_DRAWITEM) return m_nDrawAnswer;
  return 0;
}

bool PumpUntil(const std::function<bool()>& done) {
  const DWORD dwStart = ::GetTickCount();
  for (;;) {
    PumpPending();
    if (done()) return true;
    const DWORD dwSpent = ::GetTickCount() - dwStart;
    if (dwSpent >= 5000) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5000 - dwSpent, QS_ALLINPUT);
  }
}

namespace {

void Mouse(DWORD dwFlags, CWnd& wnd, CPoint pt) {
  wnd.ClientToScreen(&pt);
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = (pt.x * 65536 + cx / 2) / cx;
  input.mi.dy = (pt.y * 65536 + cy / 2) / cy;
  input.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof(input));
}

void Key(WORD vk, DWORD dwFlags) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = dwFlags;
  ::SendInput(1, &input, sizeof(input));
}

}  // namespace

void InjectMoveTo(CWnd& wnd, CPoint pt) { Mouse(0, wnd, pt); }
void InjectPress(CWnd& wnd, CPoint pt, BOOL bDown) {
  Mouse(bDown ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP, wnd, pt);
}
void InjectClick(CWnd& wnd, CPoint pt) {
  InjectPress(wnd, pt, TRUE);
  InjectPress(wnd, pt, FALSE);
}
void InjectDoubleClick(CWnd& wnd, CPoint pt) {
  InjectClick(wnd, pt);
  InjectClick(wnd, pt);
}
void InjectKeyDown(WORD vk) { Key(vk, 0); }
void InjectKeyUp(WORD vk) { Key(vk, KEYEVENTF_KEYUP); }
void InjectTap(WORD vk) {
  InjectKeyDown(vk);
  InjectKeyUp(vk);
}
void InjectText(const char* pszKeys) {
  for (const char* p = pszKeys; *p; ++p) InjectTap(static_cast<WORD>(*p));
}

CPoint RowPoint(CJVKPropertyGridItem* pItem, int x) {
  const CRect rc = pItem->GetItemRect();
  return CPoint(x, (rc.top + rc.bottom) / 2);
}
