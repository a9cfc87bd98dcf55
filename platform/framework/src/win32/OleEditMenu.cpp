// AfxOleSetEditMenu: the Edit menu's entry for the selected OLE item.
#include "framework/Menu.h"
#include "framework/OleClientItem.h"
#include "framework/String.h"

#include <vector>

namespace {

struct Verb {
  LONG lVerb;
  CString strName;
};

CString FromOleString(LPCOLESTR lpsz) {
  if (lpsz == nullptr) return CString();
  int cch = ::WideCharToMultiByte(CP_ACP, 0, lpsz, -1, nullptr, 0, nullptr, nullptr);
  CString str;
  if (cch > 1) {
    ::WideCharToMultiByte(CP_ACP, 0, lpsz, -1, str.GetBuffer(cch), cch, nullptr, nullptr);
    str.ReleaseBuffer();
  }
  return str;
}

// The verbs the object offers for the container's menu, in its order.
std::vector<Verb> MenuVerbs(LPOLEOBJECT lpObject) {
  std::vector<Verb> verbs;
  IEnumOLEVERB* pEnum = nullptr;
  if (FAILED(lpObject->EnumVerbs(&pEnum)) || pEnum == nullptr) return verbs;
  OLEVERB verb;
  ULONG nFetched = 0;
  while (pEnum->Next(1, &verb, &nFetched) == S_OK && nFetched == 1) {
    if (verb.lVerb >= 0 && (verb.grfAttribs & OLEVERBATTRIB_ONCONTAINERMENU))
      verbs.push_back({verb.lVerb, FromOleString(verb.lpszVerbName)});
    ::CoTaskMemFree(verb.lpszVerbName);
  }
  pEnum->Release();
  return verbs;
}

CString ShortTypeName(LPOLEOBJECT lpObject) {
  LPOLESTR lpszType = nullptr;
  if (FAILED(lpObject->GetUserType(USERCLASSTYPE_SHORT, &lpszType))) return CString();
  CString str = FromOleString(lpszType);
  ::CoTaskMemFree(lpszType);
  return str;
}

}  // namespace

void AFXAPI AfxOleSetEditMenu(COleClientItem* pClient, CMenu* pMenu, UINT iMenuItem, UINT nIDVerbMin, UINT nIDVerbMax,
                              UINT nIDConvert) {
  ENSURE_ARG(pMenu != nullptr);
  HMENU hMenu = pMenu->m_hMenu;
  // The entry's old popup goes with it.
  if (iMenuItem < static_cast<UINT>(::GetMenuItemCount(hMenu))) ::DeleteMenu(hMenu, iMenuItem, MF_BYPOSITION);
  LPOLEOBJECT lpObject = pClient != nullptr ? pClient->m_lpObject : nullptr;
  std::vector<Verb> verbs;
  if (lpObject != nullptr) verbs = MenuVerbs(lpObject);
  if (nIDVerbMax >= nIDVerbMin && nIDVerbMax != 0 && verbs.size() > nIDVerbMax - nIDVerbMin + 1)
    verbs.resize(nIDVerbMax - nIDVerbMin + 1);
  if (lpObject == nullptr || (verbs.empty() && nIDConvert == 0)) {
    ::InsertMenuA(hMenu, iMenuItem, MF_BYPOSITION | MF_STRING | MF_GRAYED, nIDVerbMin, "&Object");
    return;
  }
  CString strType = ShortTypeName(lpObject);
  CString strObject = strType.IsEmpty() ? CString("&Object") : strType + " &Object";
  if (verbs.size() == 1 && nIDConvert == 0) {
    CString strEntry = verbs[0].strName + " " + strObject;
    ::InsertMenuA(hMenu, iMenuItem, MF_BYPOSITION | MF_STRING, nIDVerbMin, strEntry);
    return;
  }
  HMENU hPopup = ::CreatePopupMenu();
  for (size_t i = 0; i < verbs.size(); ++i)
    ::AppendMenuA(hPopup, MF_STRING, nIDVerbMin + static_cast<UINT>(i), verbs[i].strName);
  if (nIDConvert != 0) {
    if (!verbs.empty()) ::AppendMenuA(hPopup, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(hPopup, MF_STRING, nIDConvert, "&Convert...");
  }
  ::InsertMenuA(hMenu, iMenuItem, MF_BYPOSITION | MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(hPopup), strObject);
}
