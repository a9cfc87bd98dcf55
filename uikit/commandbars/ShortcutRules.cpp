#include "ShortcutRules.h"

#include <cctype>

namespace {
struct KeyName {
  int nKey;
  const char* pszName;
};

// Keys named by their own character (0-9, A-Z) are not listed.
const KeyName kKeyNames[] = {
    {1, "Left Button"},   {2, "Right Button"},   {3, "Ctrl+Break"},   {4, "Middle Button"}, {8, "Backspace"},
    {9, "Tab"},           {12, "Clear"},         {13, "Enter"},       {16, "Shift"},        {17, "Ctrl"},
    {18, "Alt"},          {19, "Pause"},         {20, "Caps Lock"},   {27, "Esc"},          {32, "Space"},
    {33, "Page Up"},      {34, "Page Down"},     {35, "End"},         {36, "Home"},         {37, "Left Arrow"},
    {38, "Up Arrow"},     {39, "Right Arrow"},   {40, "Down Arrow"},  {41, "Select"},       {42, "Print"},
    {43, "Execute"},      {44, "Snapshot"},      {45, "Ins"},         {46, "Del"},          {47, "Help"},
    {91, "Left Windows"}, {92, "Right Windows"}, {93, "Application"}, {96, "Num 0"},        {97, "Num 1"},
    {98, "Num 2"},        {99, "Num 3"},         {100, "Num 4"},      {101, "Num 5"},       {102, "Num 6"},
    {103, "Num 7"},       {104, "Num 8"},        {105, "Num 9"},      {106, "Num *"},       {107, "Num +"},
    {108, "Separator"},   {109, "Num -"},        {110, "Num ."},      {111, "Num /"},       {112, "F1"},
    {113, "F2"},          {114, "F3"},           {115, "F4"},         {116, "F5"},          {117, "F6"},
    {118, "F7"},          {119, "F8"},           {120, "F9"},         {121, "F10"},         {122, "F11"},
    {123, "F12"},         {144, "Num Lock"},     {145, "Scrl Lock"},  {246, "Attn"},        {247, "Crsel"},
    {248, "Exsel"},       {249, "Ereof"},        {250, "Play"},       {251, "Zoom"},        {252, "No Name"},
    {253, "Pa1"},         {254, "Oem Clear"},
};

// Digits and letters name themselves.
const char kCharacterNames[36][2] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B",
                                     "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N",
                                     "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
const int kVkCtrl = 17, kVkShift = 16, kVkAlt = 18, kVkBreak = 3, kVkEscape = 27, kVkTab = 9;
}  // namespace

const char* JVKKeyNameFromTable(int nVirtKey) {
  if (nVirtKey >= '0' && nVirtKey <= '9') return kCharacterNames[nVirtKey - '0'];
  if (nVirtKey >= 'A' && nVirtKey <= 'Z') return kCharacterNames[nVirtKey - 'A' + 10];
  for (const KeyName& k : kKeyNames)
    if (k.nKey == nVirtKey) return k.pszName;
  return nullptr;
}

CString JVKCapitaliseKeyName(const CString& strSystemName) {
  CString str = strSystemName;
  str.MakeLower();
  for (int i = 0; i < str.GetLength(); ++i) {
    const unsigned char c = static_cast<unsigned char>(str[i]);
    if (std::islower(c)) {
      str.SetAt(i, static_cast<char>(std::toupper(c)));
      break;
    }
  }
  return str;
}

CString JVKFormatAccelerator(const JVKAccelEntry& entry, int& nPriority, JVKKeyNamer pfnName, void* pContext) {
  CString str;
  // Ctrl+Break carries its modifier in its name.
  if (entry.key != kVkBreak) {
    if (entry.fVirt & JVK_FCONTROL) str += pfnName(kVkCtrl, pContext) + "+";
    if (entry.fVirt & JVK_FSHIFT) str += pfnName(kVkShift, pContext) + "+";
    if (entry.fVirt & JVK_FALT) str += pfnName(kVkAlt, pContext) + "+";
  }
  if (entry.key == 0) {
    if (!str.IsEmpty() && str[str.GetLength() - 1] == '+') str = str.Left(str.GetLength() - 1);
  } else if (entry.fVirt & JVK_FVIRTKEY) {
    str += pfnName(entry.key, pContext);
  } else if (entry.key != kVkEscape && entry.key != kVkTab) {
    str += static_cast<char>(entry.key);
  }
  nPriority = (entry.fVirt & JVK_FCONTROL) ? 3 : (entry.fVirt & JVK_FALT) ? 2 : (entry.fVirt & JVK_FSHIFT) ? 1 : 4;
  return str;
}

CString JVKChooseShortcutText(const std::vector<CString>& texts, const std::vector<int>& priorities,
                              const CString& strCurrent) {
  int nBest = -1;
  for (size_t i = 0; i < texts.size(); ++i) {
    if (texts[i] == strCurrent) return strCurrent;
    if (nBest < 0 || priorities[i] > priorities[static_cast<size_t>(nBest)]) nBest = static_cast<int>(i);
  }
  return nBest < 0 ? CString() : texts[static_cast<size_t>(nBest)];
}

BOOL JVKIsKeyAllowed(BYTE fVirt, WORD key, BOOL bEscapeAllowed) {
  const BOOL bPlainEscape =
      (fVirt & (JVK_FSHIFT | JVK_FCONTROL | JVK_FALT)) == 0 && (fVirt & JVK_FVIRTKEY) && key == kVkEscape;
  return !bPlainEscape || bEscapeAllowed;
}
