#include "framework/OleDataObject.h"

namespace {
FORMATETC RequestFor(CLIPFORMAT cfFormat, DWORD tymed, LPFORMATETC lpFormatEtc) {
  if (lpFormatEtc != nullptr) {
    FORMATETC formatEtc = *lpFormatEtc;
    formatEtc.cfFormat = cfFormat;
    return formatEtc;
  }
  return FORMATETC{cfFormat, nullptr, DVASPECT_CONTENT, -1, tymed};
}
}  // namespace

COleDataObject::COleDataObject() : m_lpDataObject(nullptr), m_bAutoRelease(TRUE) {}

COleDataObject::~COleDataObject() { Release(); }

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease) {
  Release();
  m_lpDataObject = lpDataObject;
  m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach() {
  LPDATAOBJECT lpDataObject = m_lpDataObject;
  m_lpDataObject = nullptr;
  return lpDataObject;
}

void COleDataObject::Release() {
  if (m_lpDataObject != nullptr && m_bAutoRelease) m_lpDataObject->Release();
  m_lpDataObject = nullptr;
}

BOOL COleDataObject::AttachClipboard() {
  LPDATAOBJECT lpDataObject = nullptr;
  if (FAILED(::OleGetClipboard(&lpDataObject)) || lpDataObject == nullptr) return FALSE;
  Attach(lpDataObject, TRUE);
  return TRUE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  if (m_lpDataObject == nullptr) return FALSE;
  FORMATETC formatEtc = RequestFor(cfFormat, TYMED_HGLOBAL | TYMED_GDI | TYMED_ISTREAM, lpFormatEtc);
  return m_lpDataObject->QueryGetData(&formatEtc) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc) {
  ENSURE_ARG(lpStgMedium != nullptr);
  if (m_lpDataObject == nullptr) return FALSE;
  FORMATETC formatEtc = RequestFor(cfFormat, TYMED_HGLOBAL | TYMED_GDI | TYMED_ISTREAM, lpFormatEtc);
  memset(lpStgMedium, 0, sizeof(*lpStgMedium));
  return SUCCEEDED(m_lpDataObject->GetData(&formatEtc, lpStgMedium));
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  if (m_lpDataObject == nullptr) return nullptr;
  FORMATETC formatEtc = RequestFor(cfFormat, TYMED_HGLOBAL, lpFormatEtc);
  formatEtc.tymed = TYMED_HGLOBAL;
  STGMEDIUM stgMedium = {};
  if (FAILED(m_lpDataObject->GetData(&formatEtc, &stgMedium))) return nullptr;
  if (stgMedium.tymed != TYMED_HGLOBAL) {
    ::ReleaseStgMedium(&stgMedium);
    return nullptr;
  }
  if (stgMedium.pUnkForRelease == nullptr) return stgMedium.hGlobal;  // ours already
  // The block still belongs to its provider: take a copy.
  HGLOBAL hCopy = static_cast<HGLOBAL>(::OleDuplicateData(stgMedium.hGlobal, cfFormat, GMEM_MOVEABLE));
  ::ReleaseStgMedium(&stgMedium);
  return hCopy;
}
