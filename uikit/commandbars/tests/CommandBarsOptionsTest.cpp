// The command bars' options and their stored form: the archive holds the
// values in their fixed order (two of them twice), loads back value for
// value, an older schema gives the later values their defaults, and a short
// or corrupt archive changes nothing.
#include "CommandBarsOptions.h"

#include <PropExchangeArchive.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

Bytes Store(CJVKCommandBarsOptions& options) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    options.Serialize(ar);
    ar.Close();
  }
  Bytes bytes(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  if (!bytes.empty()) file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

BOOL Load(CJVKCommandBarsOptions& options, Bytes bytes) {
  CMemFile file(bytes.empty() ? nullptr : bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  return options.Load(ar);
}

// Writes a stored form by hand, value by value.
class CArchiveWriter {
 public:
  CArchiveWriter() : m_ar(&m_file, CArchive::store) {}
  CArchiveWriter& Long(LONG n) {
    m_ar << n;
    return *this;
  }
  CArchiveWriter& Size(LONG cx, LONG cy) { return Long(cx).Long(cy); }
  CArchiveWriter& Ids(std::vector<UINT> ids) {
    CJVKCommandIdMap map;
    for (UINT nID : ids) map.SetAt(nID, TRUE);
    map.Serialize(m_ar);
    return *this;
  }
  Bytes Done() {
    m_ar.Close();
    Bytes bytes(static_cast<size_t>(m_file.GetLength()));
    m_file.SeekToBegin();
    if (!bytes.empty()) m_file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
  }

 private:
  CMemFile m_file;
  CArchive m_ar;
};

std::vector<UINT> Ids(const CJVKCommandIdMap& map) {
  std::vector<UINT> ids;
  POSITION pos = map.GetStartPosition();
  while (pos) {
    UINT nID;
    BOOL bValue;
    map.GetNextAssoc(pos, nID, bValue);
    ids.push_back(nID);
  }
  std::sort(ids.begin(), ids.end());
  return ids;
}

// Options with every stored value away from its default.
void SetEveryStoredValue(CJVKCommandBarsOptions& o) {
  o.m_bAlwaysShowFullMenus = FALSE;
  o.m_bShowFullAfterDelay = FALSE;
  o.m_bToolBarScreenTips = FALSE;
  o.m_bToolBarAccelTips = TRUE;
  o.m_bLargeIcons = TRUE;
  o.m_bSyncFloatingBars = FALSE;
  o.m_bShowExpandButtonAlways = FALSE;
  o.m_bDblClickFloat = TRUE;
  o.m_bShowTextBelowIcons = TRUE;
  o.m_bAltDragCustomization = FALSE;
  o.m_bAutoHideUnusedPopups = FALSE;
  o.m_nAnimationType = 3;
  o.m_nKeyboardCuesUse = JVK_CUES_USE_EXPLICIT_ONLY | JVK_CUES_USE_ALL_BARS;
  o.m_nKeyboardCuesShow = jvkCuesShowSystem;
  o.m_szIcons = {24, 22};
  o.m_szLargeIcons = {40, 36};
  o.m_szPopupIcons = {20, 18};
  for (UINT nID : {32811u, 57600u, 1u}) o.m_mapHiddenCommands.SetAt(nID, TRUE);
  o.m_mapUsedCommands.SetAt(57600, TRUE);
}

// The stored values of two options objects, side by side.
void ExpectSameStoredValues(CJVKCommandBarsOptions& a, CJVKCommandBarsOptions& b) {
  EXPECT_EQ(a.m_bAlwaysShowFullMenus, b.m_bAlwaysShowFullMenus);
  EXPECT_EQ(a.m_bShowFullAfterDelay, b.m_bShowFullAfterDelay);
  EXPECT_EQ(a.m_bToolBarScreenTips, b.m_bToolBarScreenTips);
  EXPECT_EQ(a.m_bToolBarAccelTips, b.m_bToolBarAccelTips);
  EXPECT_EQ(a.m_bLargeIcons, b.m_bLargeIcons);
  EXPECT_EQ(a.m_bSyncFloatingBars, b.m_bSyncFloatingBars);
  EXPECT_EQ(a.m_bShowExpandButtonAlways, b.m_bShowExpandButtonAlways);
  EXPECT_EQ(a.m_bDblClickFloat, b.m_bDblClickFloat);
  EXPECT_EQ(a.m_bShowTextBelowIcons, b.m_bShowTextBelowIcons);
  EXPECT_EQ(a.m_bAltDragCustomization, b.m_bAltDragCustomization);
  EXPECT_EQ(a.m_bAutoHideUnusedPopups, b.m_bAutoHideUnusedPopups);
  EXPECT_EQ(a.m_nAnimationType, b.m_nAnimationType);
  EXPECT_EQ(a.m_nKeyboardCuesUse, b.m_nKeyboardCuesUse);
  EXPECT_EQ(a.m_nKeyboardCuesShow, b.m_nKeyboardCuesShow);
  EXPECT_EQ(a.m_szIcons.cx, b.m_szIcons.cx);
  EXPECT_EQ(a.m_szIcons.cy, b.m_szIcons.cy);
  EXPECT_EQ(a.m_szLargeIcons.cx, b.m_szLargeIcons.cx);
  EXPECT_EQ(a.m_szLargeIcons.cy, b.m_szLargeIcons.cy);
  EXPECT_EQ(a.m_szPopupIcons.cx, b.m_szPopupIcons.cx);
  EXPECT_EQ(a.m_szPopupIcons.cy, b.m_szPopupIcons.cy);
  EXPECT_EQ(Ids(a.m_mapHiddenCommands), Ids(b.m_mapHiddenCommands));
  EXPECT_EQ(Ids(a.m_mapUsedCommands), Ids(b.m_mapUsedCommands));
}

// An owner with a paint manager's picture options that records the
// keyboard-cues changes it hears of.
class COwner : public CJVKCommandBarsOptionsOwner {
 public:
  CJVKIconsOptions* GetIconsOptions() override { return &m_icons; }
  void OnKeyboardCuesShowChanged(LONG nShow) override { m_cuesShown.push_back(nShow); }
  CJVKIconsOptions m_icons;
  std::vector<LONG> m_cuesShown;
};

// Records each value's key in call order (sections as "name\"); with
// bBinary it behaves like the archive form (nothing skipped, sets whole).
class CKeyRecorder : public CJVKPropExchange {
 public:
  CKeyRecorder(std::vector<std::string>& keys, std::map<std::string, LONG>& values, BOOL bLoading, BOOL bBinary,
               std::string prefix = "")
      : CJVKPropExchange(bLoading), m_keys(keys), m_values(values), m_bBinary(bBinary), m_prefix(std::move(prefix)) {}
  BOOL ExchangeValue(LPCTSTR pszName, int nType, void* pValue, const void* pDefault) override {
    const std::string key = m_prefix + pszName;
    m_keys.push_back(key);
    if (nType != JVKPX_LONG && nType != JVKPX_BOOL) return TRUE;
    if (!m_bLoading)
      m_values[key] = *static_cast<LONG*>(pValue);
    else if (m_values.count(key))
      *static_cast<LONG*>(pValue) = m_values[key];
    else if (pDefault)
      *static_cast<LONG*>(pValue) = *static_cast<const LONG*>(pDefault);
    return TRUE;
  }
  CArchive* OpenArchive(LPCTSTR pszName) override {
    m_keys.push_back(m_prefix + pszName + " (object)");
    m_file.SetLength(0);
    m_pArchive = new CArchive(&m_file, m_bLoading ? CArchive::load : CArchive::store);
    return m_pArchive;
  }
  void CloseArchive(LPCTSTR, CArchive* pArchive) override { delete pArchive; }
  CJVKPropExchange* OpenSection(LPCTSTR pszName) override {
    auto* pSection = new CKeyRecorder(m_keys, m_values, m_bLoading, m_bBinary, m_prefix + pszName + "\\");
    InitSection(pSection);
    return pSection;
  }
  void WriteCount(DWORD nCount) override {
    LONG n = static_cast<LONG>(nCount);
    PX_Long(this, "Count", n, 0);
  }
  DWORD ReadCount() override {
    LONG n = 0;
    PX_Long(this, "Count", n, 0);
    return static_cast<DWORD>(n);
  }
  BOOL CanSkipDefaults() const override { return !m_bBinary; }
  BOOL IsBinaryForm() const override { return m_bBinary; }

 private:
  std::vector<std::string>& m_keys;
  std::map<std::string, LONG>& m_values;
  BOOL m_bBinary;
  std::string m_prefix;
  CMemFile m_file;
  CArchive* m_pArchive = nullptr;
};

}  // namespace

TEST(CommandBarsOptions, DefaultsAreTheDocumentedOnes) {
  CJVKCommandBarsOptions o;
  EXPECT_TRUE(o.m_bAlwaysShowFullMenus && o.m_bShowFullAfterDelay && o.m_bToolBarScreenTips);
  EXPECT_FALSE(o.m_bToolBarAccelTips || o.m_bLargeIcons || o.m_bDblClickFloat || o.m_bShowTextBelowIcons);
  EXPECT_TRUE(o.m_bSyncFloatingBars && o.m_bShowExpandButtonAlways && o.m_bAltDragCustomization &&
              o.m_bAutoHideUnusedPopups && o.m_bAutoUpdateShortcuts && o.m_bShowStatusDescriptions);
  EXPECT_FALSE(o.m_bDirty || o.m_bShowPopupBarToolTips);
  EXPECT_EQ(0, o.m_nAnimationType);
  EXPECT_EQ(1, o.m_nKeyboardCuesUse);
  EXPECT_EQ(0, o.m_nKeyboardCuesShow);
  EXPECT_EQ(0, o.m_szIcons.cx + o.m_szIcons.cy + o.m_szLargeIcons.cx + o.m_szLargeIcons.cy);
  EXPECT_EQ(16, o.m_szPopupIcons.cx);
  EXPECT_EQ(16, o.m_szPopupIcons.cy);
  EXPECT_TRUE(o.m_mapHiddenCommands.IsEmpty() && o.m_mapUsedCommands.IsEmpty());
  EXPECT_EQ(17u, o.m_mapHiddenCommands.GetHashTableSize());
}

TEST(CommandBarsOptions, ArchiveHoldsTheValuesInTheirFixedOrder) {
  std::vector<std::string> keys;
  std::map<std::string, LONG> values;
  CJVKCommandBarsOptions o;
  CKeyRecorder px(keys, values, FALSE, TRUE);
  ASSERT_TRUE(o.DoPropExchange(&px));
  const std::vector<std::string> expected = {
      "Schema", "AlwaysShowFullMenus", "ShowFullAfterDelay", "ToolBarScreenTips", "ToolBarAccelTips", "LargeIcons",
      "UsedCommands (object)", "Animation", "SyncFloatingBars", "ShowExpandButtonAlways", "IconsSize",
      "LargeIconsSize", "HiddenCommands (object)", "IconsWithShadow", "UseDisabledIcons", "UseFadedIcons",
      "SyncFloatingBars", "ShowExpandButtonAlways", "DblClickFloat", "ShowTextBelowIcons", "AltDragCustomization",
      "AutoHideUnusedPopups", "PopupIconsSize", "KeyboardCuesUse", "KeyboardCuesShow"};
  EXPECT_EQ(expected, keys);
  EXPECT_EQ(9, values["Schema"]);

  // The archive itself: 28 values, a size counting two and each command-id
  // set one: 26 four-byte values and two empty sets (a two-byte count each).
  const Bytes bytes = Store(o);
  EXPECT_EQ(26u * 4 + 2 * 2, bytes.size());
}

TEST(CommandBarsOptions, RoundTripsValueForValue) {
  COwner ownerA, ownerB;
  CJVKCommandBarsOptions saved(&ownerA), loaded(&ownerB);
  SetEveryStoredValue(saved);
  ownerA.m_icons = {TRUE, FALSE, TRUE};
  const Bytes bytes = Store(saved);

  ASSERT_TRUE(Load(loaded, bytes));
  ExpectSameStoredValues(saved, loaded);
  EXPECT_EQ(ownerA.m_icons.bUseFadedIcons, ownerB.m_icons.bUseFadedIcons);
  EXPECT_EQ(ownerA.m_icons.bUseDisabledIcons, ownerB.m_icons.bUseDisabledIcons);
  EXPECT_EQ(ownerA.m_icons.bIconsWithShadow, ownerB.m_icons.bIconsWithShadow);
  // The loaded keyboard-cues setting is applied through the owner.
  EXPECT_EQ(std::vector<LONG>{jvkCuesShowSystem}, ownerB.m_cuesShown);
  // Stored again, the same bytes.
  EXPECT_EQ(bytes, Store(loaded));
}

TEST(CommandBarsOptions, OlderSchemasLeaveTheLaterValuesAtTheirDefaults) {
  // Schema 7: no used commands, animation, second switches or cues;
  // schema 8: all but the cues.
  const Bytes schema7 = CArchiveWriter()
                            .Long(7)
                            .Long(0).Long(0).Long(0).Long(1).Long(1)
                            .Long(0).Long(0).Size(24, 24).Size(0, 0)
                            .Ids({4242})
                            .Long(1).Long(0).Long(0)
                            .Done();
  const Bytes schema8 = CArchiveWriter()
                            .Long(8)
                            .Long(0).Long(0).Long(0).Long(1).Long(1)
                            .Ids({77}).Long(2)
                            .Long(0).Long(0).Size(24, 24).Size(0, 0)
                            .Ids({4242})
                            .Long(1).Long(0).Long(0)
                            .Long(0).Long(0).Long(1).Long(1).Long(0).Long(0).Size(20, 20)
                            .Done();
  struct Row {
    const char* pszCase;
    const Bytes& bytes;
    std::vector<UINT> used;
    LONG nAnimation;
    BOOL bDblClickFloat;
    LONG cxPopupIcons;
  } rows[] = {
      {"schema 7", schema7, {}, 0, FALSE, 16},
      {"schema 8", schema8, {77}, 2, TRUE, 20},
  };
  for (const Row& row : rows) {
    COwner owner;
    CJVKCommandBarsOptions o(&owner);
    SetEveryStoredValue(o);
    ASSERT_TRUE(Load(o, row.bytes)) << row.pszCase;
    EXPECT_FALSE(o.m_bAlwaysShowFullMenus) << row.pszCase;
    EXPECT_TRUE(o.m_bLargeIcons) << row.pszCase;
    EXPECT_EQ(24, o.m_szIcons.cx) << row.pszCase;
    EXPECT_EQ(std::vector<UINT>{4242}, Ids(o.m_mapHiddenCommands)) << row.pszCase;
    EXPECT_TRUE(owner.m_icons.bIconsWithShadow) << row.pszCase;
    EXPECT_EQ(row.used, Ids(o.m_mapUsedCommands)) << row.pszCase;
    EXPECT_EQ(row.nAnimation, o.m_nAnimationType) << row.pszCase;
    EXPECT_EQ(row.bDblClickFloat, o.m_bDblClickFloat) << row.pszCase;
    EXPECT_EQ(row.cxPopupIcons, o.m_szPopupIcons.cx) << row.pszCase;
    // Not in either schema: the defaults.
    EXPECT_EQ(JVK_CUES_USE_ALL_BARS, o.m_nKeyboardCuesUse) << row.pszCase;
    EXPECT_EQ(jvkCuesShowAlways, o.m_nKeyboardCuesShow) << row.pszCase;
  }
}

TEST(CommandBarsOptions, AShortOrCorruptArchiveIsRefusedAndChangesNothing) {
  CJVKCommandBarsOptions saved;
  SetEveryStoredValue(saved);
  const Bytes full = Store(saved);

  COwner owner;
  CJVKCommandBarsOptions o(&owner);
  o.m_nAnimationType = 1;
  o.m_mapHiddenCommands.SetAt(9, TRUE);
  const Bytes before = Store(o);
  for (size_t n = 0; n < full.size(); ++n) {
    EXPECT_FALSE(Load(o, Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n)))) << n << " bytes";
  }
  // A set whose count promises more entries than the archive holds.
  Bytes huge = CArchiveWriter().Long(9).Long(1).Long(1).Long(1).Long(0).Long(0).Done();
  for (BYTE b : {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}) huge.push_back(b);
  EXPECT_FALSE(Load(o, huge));

  EXPECT_EQ(before, Store(o));
  EXPECT_TRUE(owner.m_cuesShown.empty());
}

TEST(CommandBarsOptions, NamedFormKeepsCommandSetsAsCountedSectionsAndSkipsEmptyOnes) {
  std::vector<std::string> keys;
  std::map<std::string, LONG> values;
  CJVKCommandBarsOptions saved;
  saved.m_mapHiddenCommands.SetAt(32811, TRUE);
  saved.m_mapHiddenCommands.SetAt(57600, TRUE);
  {
    CKeyRecorder px(keys, values, FALSE, FALSE);
    ASSERT_TRUE(saved.DoPropExchange(&px));
  }
  EXPECT_EQ(0, std::count(keys.begin(), keys.end(), "UsedCommands\\Count")) << "an empty set is skipped";
  EXPECT_EQ(2, values["HiddenCommands\\Count"]);
  EXPECT_EQ(1u, values.count("HiddenCommands\\Item1"));
  EXPECT_EQ(0u, values.count("HiddenCommands\\Item2"));

  CJVKCommandBarsOptions loaded;
  loaded.m_mapHiddenCommands.SetAt(5, TRUE);
  keys.clear();
  CKeyRecorder px(keys, values, TRUE, FALSE);
  ASSERT_TRUE(loaded.DoPropExchange(&px));
  EXPECT_EQ((std::vector<UINT>{32811, 57600}), Ids(loaded.m_mapHiddenCommands)) << "loading replaces the set";
  EXPECT_TRUE(loaded.m_mapUsedCommands.IsEmpty());
}

TEST(CommandBarsOptions, ACommandIsHiddenUntilUsed) {
  CJVKCommandBarsOptions o;
  o.m_mapHiddenCommands.SetAt(10, TRUE);
  o.m_mapHiddenCommands.SetAt(11, TRUE);
  o.m_mapUsedCommands.SetAt(11, TRUE);
  EXPECT_TRUE(o.IsCommandHidden(10));
  EXPECT_FALSE(o.IsCommandHidden(11));
  EXPECT_FALSE(o.IsCommandHidden(12));
}
