// A small command-bars object for the bar window tests: its site, options
// and customize availability are set by the test; it counts the layouts
// asked of it, makes windowless popup bars, and its list holds one
// reference on each bar it is given (Remove releases it, as the real list
// does).
#pragma once

#include "CommandBar.h"

#include <algorithm>
#include <vector>

// A windowless popup bar to fill.
class CStandInPopupBar : public CJVKCommandBar {
 public:
  explicit CStandInPopupBar(CJVKControlCommandBars* pBars) {
    m_nType = jvkBarTypePopup;
    m_nPosition = jvkBarPopup;
    SetCommandBars(pBars);
  }
};

class CStandInCommandBars : public CJVKControlCommandBars {
 public:
  explicit CStandInCommandBars(CWnd* pSite) : m_pSite(pSite) {}
  ~CStandInCommandBars() override {
    for (CJVKCommandBar* pBar : m_list) pBar->ReleaseBarRef();
  }
  CStandInCommandBars(const CStandInCommandBars&) = delete;
  CStandInCommandBars& operator=(const CStandInCommandBars&) = delete;

  // The list takes a reference on the bar.
  void Hold(CJVKCommandBar* pBar) {
    pBar->AddBarRef();
    m_list.push_back(pBar);
  }

  CWnd* GetSite() override { return m_pSite; }
  CJVKPaintManager* GetPaintManager() override { return nullptr; }
  CJVKImageManager* GetImageManager() override { return nullptr; }
  BOOL IsCustomizeMode() override { return FALSE; }
  CJVKControl* GetCustomizeSelection() override { return nullptr; }
  void SetCustomizeSelection(CJVKControl*) override {}
  int CustomizeDrag(CJVKControl*) override { return 0; }
  void AddUsedCommand(int) override {}
  void ClosePopups() override {}
  CJVKControlParentBar* CreatePopupBar() override { return new CStandInPopupBar(this); }
  void NotifyPopupShown(CJVKControl*) override {}

  JVK_BAR_OPTIONS GetBarOptions() const override { return m_options; }
  BOOL IsCustomizeAvailable() const override { return m_bCustomizeAvailable; }
  void RecalcFrameLayout(BOOL) override { ++m_nLayouts; }
  void Remove(CJVKCommandBar* pBar) override {
    ++m_nRemoved;
    auto it = std::find(m_list.begin(), m_list.end(), pBar);
    if (it != m_list.end()) {
      m_list.erase(it);
      pBar->ReleaseBarRef();
    }
    // After the list let go: whoever still holds the bar keeps it alive.
    m_nLiveBarsAfterRemove = CJVKCommandBar::GetLiveCount();
  }

  CWnd* m_pSite;
  JVK_BAR_OPTIONS m_options;
  BOOL m_bCustomizeAvailable = FALSE;
  int m_nLayouts = 0;
  int m_nRemoved = 0;
  LONG m_nLiveBarsAfterRemove = -1;
  std::vector<CJVKCommandBar*> m_list;
};
