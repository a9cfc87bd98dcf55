#include "ShortcutManager.h"

CJVKKeyboardLayouts* CJVKShortcutManager::s_pLayouts = nullptr;

namespace {
// The extended-key bit of a key-name request, for Page Up to Help.
const LONG kExtendedKey = 0x1000000;
const int kKeyNameBuffer = 50;

CJVKKeyboardLayouts* Layouts() {
  static CJVKKeyboardLayouts s_system;
  return CJVKShortcutManager::s_pLayouts ? CJVKShortcutManager::s_pLayouts : &s_system;
}

CString NameKey(int nVirtKey, void* pContext) {
  return static_cast<CJVKShortcutManager*>(pContext)->GetKeyName(static_cast<UINT>(nVirtKey));
}
}  // namespace

std::vector<HKL> CJVKKeyboardLayouts::GetLayouts() {
  const int n = ::GetKeyboardLayoutList(0, nullptr);
  std::vector<HKL> layouts(static_cast<size_t>(n > 0 ? n : 0));
  if (n > 0) layouts.resize(static_cast<size_t>(::GetKeyboardLayoutList(n, layouts.data())));
  return layouts;
}

UINT CJVKKeyboardLayouts::MapToChar(UINT nVirtKey) { return ::MapVirtualKeyA(nVirtKey, 2); }

int CJVKKeyboardLayouts::ToAscii(UINT nVirtKey, HKL hLayout, WORD* pChars) {
  BYTE state[256] = {};
  ::GetKeyboardState(state);
  return ::ToAsciiEx(nVirtKey, ::MapVirtualKeyExA(nVirtKey, 0, hLayout), state, pChars, 0, hLayout);
}

CString CJVKKeyboardLayouts::GetSystemKeyName(UINT nVirtKey) {
  LONG lParam = static_cast<LONG>(::MapVirtualKeyExA(nVirtKey, 0, ::GetKeyboardLayout(0))) << 16;
  if (nVirtKey >= 33 && nVirtKey <= 47) lParam |= kExtendedKey;
  char szName[kKeyNameBuffer] = {};
  ::GetKeyNameTextA(lParam, szName, kKeyNameBuffer);
  return szName;
}

CJVKShortcutManager::CJVKShortcutManager(CJVKControlCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {}

CJVKShortcutManager::~CJVKShortcutManager() {
  if (m_hWorkingTable) ::DestroyAcceleratorTable(m_hWorkingTable);
  if (m_hBaseTable) ::DestroyAcceleratorTable(m_hBaseTable);
}

void CJVKShortcutManager::SetBaseTable(HACCEL hTable) {
  if (m_hBaseTable) ::DestroyAcceleratorTable(m_hBaseTable);
  m_hBaseTable = JVKCopyAcceleratorTable(hTable);
  ResetWorkingTable();
}

void CJVKShortcutManager::ResetWorkingTable() {
  if (m_hWorkingTable) ::DestroyAcceleratorTable(m_hWorkingTable);
  m_hWorkingTable = JVKCopyAcceleratorTable(m_hBaseTable);
}

HACCEL CJVKShortcutManager::GetSearchedTable() const {
  if (m_hWorkingTable || m_hBaseTable) return m_hWorkingTable;
  CWnd* pSite = m_pCommandBars ? m_pCommandBars->GetSite() : nullptr;
  auto* pFrame = pSite ? dynamic_cast<CFrameWnd*>(pSite) : nullptr;
  return pFrame ? pFrame->m_hAccelTable : nullptr;
}

BOOL CJVKShortcutManager::FindDefaultAccelerator(int nCmd, CString& strText) {
  HACCEL hTable = GetSearchedTable();
  if (hTable == nullptr) return FALSE;
  const int nCount = ::CopyAcceleratorTableA(hTable, nullptr, 0);
  std::vector<ACCEL> entries(static_cast<size_t>(nCount > 0 ? nCount : 0));
  if (nCount > 0) ::CopyAcceleratorTableA(hTable, entries.data(), nCount);
  std::vector<CString> texts;
  std::vector<int> priorities;
  for (const ACCEL& entry : entries) {
    if (entry.cmd != static_cast<WORD>(nCmd)) continue;
    int nPriority = 0;
    texts.push_back(Format(entry, &nPriority));
    priorities.push_back(nPriority);
  }
  strText = JVKChooseShortcutText(texts, priorities, strText);
  return !texts.empty();
}

CString CJVKShortcutManager::Format(const ACCEL& entry, int* pPriority) {
  const JVKAccelEntry accel = {entry.fVirt, entry.key, entry.cmd};
  int nPriority = 0;
  CString str = JVKFormatAccelerator(accel, nPriority, NameKey, this);
  if (pPriority) *pPriority = nPriority;
  return str;
}

CString CJVKShortcutManager::GetKeyName(UINT nVirtKey) {
  if (const char* pszName = JVKKeyNameFromTable(static_cast<int>(nVirtKey))) return pszName;
  return JVKCapitaliseKeyName(Layouts()->GetSystemKeyName(nVirtKey));
}

BOOL CJVKShortcutManager::IsKeyAllowed(BYTE fVirt, WORD key) const {
  return JVKIsKeyAllowed(fVirt, key, m_bAllowEscapeShortcut);
}

HACCEL JVKCopyAcceleratorTable(HACCEL hTable) {
  if (hTable == nullptr) return nullptr;
  const int nCount = ::CopyAcceleratorTableA(hTable, nullptr, 0);
  if (nCount <= 0) return nullptr;
  std::vector<ACCEL> entries(static_cast<size_t>(nCount));
  ::CopyAcceleratorTableA(hTable, entries.data(), nCount);
  return ::CreateAcceleratorTableA(entries.data(), nCount);
}

TCHAR JVKToUpperChar(TCHAR ch) {
  return static_cast<TCHAR>(reinterpret_cast<UINT_PTR>(
      ::CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(ch))))));
}

BOOL JVKIsMnemonicKey(TCHAR ch, UINT nVirtKey) {
  CJVKKeyboardLayouts* pLayouts = Layouts();
  if (pLayouts->MapToChar(nVirtKey) == 0) return FALSE;
  const TCHAR chUpper = JVKToUpperChar(ch);
  if (nVirtKey == static_cast<unsigned char>(ch) || nVirtKey == static_cast<unsigned char>(chUpper)) return TRUE;
  const std::vector<HKL> layouts = pLayouts->GetLayouts();
  if (layouts.size() <= 1) return FALSE;
  for (HKL hLayout : layouts) {
    WORD chars[2] = {};
    if (pLayouts->ToAscii(nVirtKey, hLayout, chars) != 1) continue;
    const TCHAR chGiven = static_cast<TCHAR>(chars[0]);
    if (chGiven == ch || JVKToUpperChar(chGiven) == chUpper) return TRUE;
  }
  return FALSE;
}
