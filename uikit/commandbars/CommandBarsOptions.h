// CJVKCommandBarsOptions: the options of one command-bars object (menus,
// screen tips, icon sizes, floating bars, keyboard cues, the adaptive menus'
// hidden and used commands) and their persistence through the property
// exchange. Portable: the stored form is read and written in the host build
// too, where the fuzz target drives the reader.
#pragma once

#include "IconsOptions.h"

#include <Framework.h>
#include <PropExchange.h>

// A set of command ids (each with the value TRUE when loaded).
using CJVKCommandIdMap = CMap<UINT, UINT, BOOL, BOOL>;

// What the options ask of the command bars that own them.
class CJVKCommandBarsOptionsOwner {
 public:
  virtual ~CJVKCommandBarsOptionsOwner() = default;
  // The picture options of the bars' paint manager; null when there is none.
  virtual CJVKIconsOptions* GetIconsOptions() = 0;
  // The keyboard-cues setting changed ("KeyboardCuesShow").
  virtual void OnKeyboardCuesShowChanged(LONG nShow) = 0;
};

// "KeyboardCuesUse" bits and values.
const LONG JVK_CUES_USE_ALL_BARS = 0x01;     // mnemonics of every visible bar, wrapping
const LONG JVK_CUES_USE_NONE = 0x02;         // exactly 2: Alt+letter activates nothing
const LONG JVK_CUES_USE_EXPLICIT_ONLY = 0x04;  // only captions with an "&" take part
// "KeyboardCuesShow" values.
enum JVKKeyboardCuesShow {
  jvkCuesShowAlways = 0,
  jvkCuesShowNever = 1,
  jvkCuesShowSystem = 2,  // follow the Windows setting
};

class CJVKCommandBarsOptions : public CCmdTarget {
 public:
  explicit CJVKCommandBarsOptions(CJVKCommandBarsOptionsOwner* pOwner = nullptr);
  CJVKCommandBarsOptions(const CJVKCommandBarsOptions&) = delete;
  CJVKCommandBarsOptions& operator=(const CJVKCommandBarsOptions&) = delete;

  // Exchanges every persisted option in the stored order (schema 9 when
  // storing; a loaded older schema leaves the later values untouched).
  // FALSE when a command-id set could not be exchanged.
  BOOL DoPropExchange(CJVKPropExchange* pPX);
  // The archive form of DoPropExchange; a short archive throws the
  // archive's exception.
  void Serialize(CArchive& ar) override;
  // Loads options stored by Serialize all or nothing: a truncated or
  // corrupt archive leaves every option as it was and gives FALSE. Values
  // an older schema does not hold take their defaults.
  BOOL Load(CArchive& ar);

  // Stores the value and tells the owner.
  void SetKeyboardCuesShow(LONG nShow);
  BOOL IsCommandHidden(UINT nID) const;

  BOOL m_bAlwaysShowFullMenus = TRUE;
  BOOL m_bShowFullAfterDelay = TRUE;
  BOOL m_bToolBarScreenTips = TRUE;
  BOOL m_bToolBarAccelTips = FALSE;
  BOOL m_bLargeIcons = FALSE;
  BOOL m_bSyncFloatingBars = TRUE;  // floating bars hide with the frame
  BOOL m_bShowExpandButtonAlways = TRUE;
  BOOL m_bDblClickFloat = FALSE;
  BOOL m_bShowTextBelowIcons = FALSE;
  BOOL m_bAltDragCustomization = TRUE;
  BOOL m_bAutoHideUnusedPopups = TRUE;
  // Not stored: the layout changed since it was last saved.
  BOOL m_bDirty = FALSE;
  // Not stored: popup bars get a tooltip context.
  BOOL m_bShowPopupBarToolTips = FALSE;
  LONG m_nAnimationType = 0;
  // Not stored: popups take shortcut texts from the shortcut manager.
  BOOL m_bAutoUpdateShortcuts = TRUE;
  LONG m_nKeyboardCuesUse = JVK_CUES_USE_ALL_BARS;
  // Not stored: control descriptions go to the status bar.
  BOOL m_bShowStatusDescriptions = TRUE;
  SIZE m_szIcons = {0, 0};       // 0 x 0: 16 x 16
  SIZE m_szLargeIcons = {0, 0};  // 0 x 0: twice the icon size
  SIZE m_szPopupIcons = {16, 16};
  CJVKCommandIdMap m_mapHiddenCommands;
  CJVKCommandIdMap m_mapUsedCommands;
  CJVKCommandBarsOptionsOwner* m_pOwner;
  LONG m_nKeyboardCuesShow = jvkCuesShowAlways;

 private:
  // The owner's picture options, else the options' own.
  CJVKIconsOptions* GetIconsOptions();
  // The stored values (and the picture options) from another object.
  void AssignStored(CJVKCommandBarsOptions& from);
  BOOL ExchangeCommandIds(CJVKPropExchange* pPX, LPCTSTR pszName, CJVKCommandIdMap& map);

  CJVKIconsOptions m_iconsOptions;  // used without an owner's paint manager
};
