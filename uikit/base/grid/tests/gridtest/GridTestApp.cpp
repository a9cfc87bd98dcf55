// gridtest.exe: a frame with a property grid of channel-like categories and
// items of every kind (text, number, list, check, colour, font, masked edit,
// button), with a theme switch in the menu. Not shipped: for people to look
// at and drive the grid by hand.
//
//   gridtest [/theme N] [/drop]
//
// /theme N starts in theme N (0 to 6); /drop opens the drop-down list of
// "Polarisation", for pictures of the open list.
#include <Framework.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "PropertyGrid.h"
#include "PropertyGridInplaceList.h"
#include "PropertyGridItemNumber.h"
#include "PropertyGridView.h"

namespace {

const UINT kIdThemeFirst = 1000;  // 1000 to 1006: themes 0 to 6
const UINT kIdGrid = AFX_IDW_PANE_FIRST;  // the frame lays it out

CJVKPropertyGridItem* AddList(CJVKPropertyGridItem* pCategory, LPCTSTR pszCaption, LPCTSTR pszValue,
                              std::initializer_list<LPCTSTR> choices, UINT nFlags) {
  CJVKPropertyGridItem* pItem = pCategory->AddChildItem(new CJVKPropertyGridItem(pszCaption, pszValue));
  pItem->SetFlags(nFlags);
  for (LPCTSTR pszChoice : choices) pItem->GetConstraints()->AddConstraint(pszChoice);
  return pItem;
}

class CGridFrame : public CFrameWnd {
 public:
  CGridFrame() = default;
  BOOL Build(int nTheme, BOOL bDrop);

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnSetFocus(CWnd*) { m_grid.SetFocus(); }
  afx_msg void OnTheme(UINT nID);
  afx_msg void OnUpdateTheme(CCmdUI* pCmdUI);
  afx_msg LRESULT OnGridNotify(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  void Fill();

  CJVKPropertyGrid m_grid;
  CJVKPropertyGridItem* m_pColour = nullptr;
  CJVKPropertyGridItem* m_pFont = nullptr;
  CJVKPropertyGridItem* m_pScan = nullptr;
  CJVKPropertyGridItem* m_pPolarisation = nullptr;
};

BEGIN_MESSAGE_MAP(CGridFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_SETFOCUS()
  ON_COMMAND_RANGE(kIdThemeFirst, kIdThemeFirst + 6, OnTheme)
  ON_UPDATE_COMMAND_UI_RANGE(kIdThemeFirst, kIdThemeFirst + 6, OnUpdateTheme)
  ON_MESSAGE(JVK_PGWM_PROPERTYGRID_NOTIFY, OnGridNotify)
END_MESSAGE_MAP()

int CGridFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
  CMenu themes;
  themes.CreatePopupMenu();
  static const char* const kNames[] = {"&0 Plain", "&1 Visual styles", "&2 Tinted", "&3 Flat",
                                       "&4 Margin", "&5 Etched", "&6 Banded"};
  for (UINT i = 0; i < 7; ++i) themes.AppendMenu(MF_STRING, kIdThemeFirst + i, kNames[i]);
  CMenu sort;
  sort.CreatePopupMenu();
  sort.AppendMenu(MF_STRING, JVK_ID_GRID_CATEGORIZED, "&Categorized");
  sort.AppendMenu(MF_STRING, JVK_ID_GRID_ALPHABETIC, "&Alphabetical");
  CMenu menu;
  menu.CreateMenu();
  menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(themes.Detach()), "&Theme");
  menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sort.Detach()), "&Sort");
  ::SetMenu(m_hWnd, menu.Detach());
  if (!m_grid.Create(CRect(0, 0, 0, 0), this, kIdGrid)) return -1;
  Fill();
  return 0;
}

void CGridFrame::Fill() {
  CJVKPropertyGridItem* pNames = m_grid.AddCategory("Names");
  pNames->AddChildItem(new CJVKPropertyGridItem("Channel name\nChannel name length is 32 characters max.", "Channel 1"));
  pNames->AddChildItem(new CJVKPropertyGridItem("Transponder name\nThe provider's name.", "Provider A"))
      ->SetReadOnly(TRUE);

  CJVKPropertyGridItem* pTuning = m_grid.AddCategory("Frequency");
  pTuning->AddChildItem(new CJVKPropertyGridItemNumber("Frequency\nIn kHz.", 11836000));
  pTuning->AddChildItem(new CJVKPropertyGridItemNumber("Symbol rate\nIn kSymbols per second.", 27500));
  m_pPolarisation = AddList(pTuning, "Polarisation\nOf the transponder's signal.", "Horizontal",
                            {"Horizontal", "Vertical", "Left", "Right"}, jvkItemHasEdit | jvkItemHasComboButton);
  m_pPolarisation->m_bAutoComplete = TRUE;
  AddList(pTuning, "FEC\nForward error correction.", "3/4", {"1/2", "2/3", "3/4", "5/6", "7/8", "Auto"},
          jvkItemHasComboButton);

  CJVKPropertyGridItem* pPids = m_grid.AddCategory("PIDs");
  for (const auto& pid : {std::make_pair("Video PID", 101L), std::make_pair("Audio PID", 102L),
                          std::make_pair("PCR PID", 101L), std::make_pair("Teletext PID", 104L)})
    pPids->AddChildItem(new CJVKPropertyGridItemNumber(pid.first, pid.second));
  CJVKPropertyGridItem* pTracks = pPids->AddChildItem(new CJVKPropertyGridItem("Audio tracks", "2"));
  pTracks->SetReadOnly(TRUE);
  pTracks->AddChildItem(new CJVKPropertyGridItemNumber("Track 1", 102));
  pTracks->AddChildItem(new CJVKPropertyGridItemNumber("Track 2", 103));

  CJVKPropertyGridItem* pSatellite = m_grid.AddCategory("Satellite");
  CJVKPropertyGridItem* pOrbit = pSatellite->AddChildItem(new CJVKPropertyGridItem("Orbital position\nDegrees east.", "19.2"));
  pOrbit->SetMask("00.0", "__._", '_');
  pSatellite->AddChildItem(new CJVKPropertyGridItemNumber("LNB\n0 to 100.", 1));
  AddList(pSatellite, "DiSEqC", "Position A", {"None", "Position A", "Position B", "Option A", "Option B"},
          jvkItemHasEdit | jvkItemHasComboButton);
  AddList(pSatellite, "22 kHz\nDouble-click to switch.", "False", {"True", "False"}, jvkItemHasComboButton);

  CJVKPropertyGridItem* pAccess = m_grid.AddCategory("Conditional access");
  AddList(pAccess, "Scrambled", "True", {"True", "False"}, jvkItemHasComboButton);
  AddList(pAccess, "CA system", "Free", {"Free", "System 1", "System 2", "System 3"}, jvkItemHasComboButton);
  pAccess->AddChildItem(new CJVKPropertyGridItem("PIN\nShown as stars.", "1234"))->SetPasswordMask();

  CJVKPropertyGridItem* pOther = m_grid.AddCategory("Other");
  m_pColour = pOther->AddChildItem(new CJVKPropertyGridItem("Colour\nThe button opens the colour dialog.", "0x0080FF"));
  m_pColour->SetFlags(jvkItemHasEdit | jvkItemHasExpandButton);
  m_pFont = pOther->AddChildItem(new CJVKPropertyGridItem("Font\nThe button steps through some fonts.", "Tahoma"));
  m_pFont->SetFlags(jvkItemHasEdit | jvkItemHasExpandButton);
  m_pScan = pOther->AddChildItem(new CJVKPropertyGridItem("Scan\nA button that only tells the owner.", "Press the button"));
  m_pScan->SetFlags(jvkItemHasExpandButton);

  for (CJVKPropertyGridItem* pCategory : {pNames, pTuning, pPids, pSatellite, pAccess, pOther}) pCategory->Expand();
}

BOOL CGridFrame::Build(int nTheme, BOOL bDrop) {
  if (!Create(nullptr, "Property grid", WS_OVERLAPPEDWINDOW, CRect(20, 20, 440, 640))) return FALSE;
  if (nTheme >= 0 && nTheme <= 6) m_grid.SetTheme(nTheme);
  ShowWindow(SW_SHOW);
  UpdateWindow();
  m_grid.GetGridView().SetFocus();
  if (bDrop) {
    m_pPolarisation->Select();
    m_pPolarisation->OnButtonPressed();
  }
  return TRUE;
}

void CGridFrame::OnTheme(UINT nID) { m_grid.SetTheme(static_cast<int>(nID - kIdThemeFirst)); }

void CGridFrame::OnUpdateTheme(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_grid.GetTheme() == static_cast<int>(pCmdUI->m_nID - kIdThemeFirst));
}

LRESULT CGridFrame::OnGridNotify(WPARAM wParam, LPARAM lParam) {
  CJVKPropertyGridItem* pItem = reinterpret_cast<CJVKPropertyGridItem*>(lParam);
  switch (wParam) {
    case JVK_PGN_VALUECHANGED: {
      CString title;
      title.Format("Property grid - %s = %s", (LPCTSTR)pItem->GetCaption(), (LPCTSTR)pItem->GetValue());
      SetWindowText(title);
      return 0;
    }
    case JVK_PGN_INPLACEBUTTONDOWN:
      if (pItem == m_pColour) {
        CColorDialog dialog(static_cast<COLORREF>(std::strtoul(pItem->GetValue(), nullptr, 16)), CC_FULLOPEN, this);
        if (dialog.DoModal() == IDOK) {
          CString value;
          value.Format("0x%06lX", static_cast<unsigned long>(dialog.GetColor()));
          pItem->CommitValue(value);
        }
        return 1;
      }
      if (pItem == m_pFont) {
        static const char* const kFonts[] = {"Tahoma", "Arial", "Courier New", "Times New Roman"};
        int nNext = 0;
        for (int i = 0; i < 4; ++i)
          if (pItem->GetValue() == kFonts[i]) nNext = (i + 1) % 4;
        pItem->CommitValue(kFonts[nNext]);
        return 1;
      }
      if (pItem == m_pScan) {
        SetWindowText("Property grid - scan pressed");
        return 1;
      }
      return 0;
    default: return 0;
  }
}

class CGridTestApp : public CWinApp {
 public:
  CGridTestApp() : CWinApp("gridtest") {}
  BOOL InitInstance() override {
    int nTheme = 0;
    BOOL bDrop = FALSE;
    for (int i = 1; i < __argc; ++i) {
      if (std::strcmp(__argv[i], "/theme") == 0 && i + 1 < __argc) nTheme = std::atoi(__argv[++i]);
      if (std::strcmp(__argv[i], "/drop") == 0) bDrop = TRUE;
    }
    CGridFrame* pFrame = new CGridFrame;
    m_pMainWnd = pFrame;
    return pFrame->Build(nTheme, bDrop);
  }
};

CGridTestApp theApp;

}  // namespace
