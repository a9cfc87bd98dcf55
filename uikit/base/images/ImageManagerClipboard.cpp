// One command's icons through the clipboard: the per-set exchange written
// by the archive form of the property exchange into a movable global block.
// The bytes of a paste may come from any process, so they are read only
// through the checked readers, and anything refused pastes nothing.
#include "ImageManager.h"

#include "PropExchangeArchive.h"

CLIPFORMAT JVK_CF_TOOLBAR_IMAGE = static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("Jovix ToolBar Image"));

namespace {

const UINT kMemFileGrowth = 1024;
const UINT kArchiveBufferSize = 4096;

}  // namespace

BOOL CJVKImageManager::CopyIconToClipboard(UINT nCommand) {
  if (GetIconSet(nCommand) == nullptr) return FALSE;
  CMemFile file(kMemFileGrowth);
  try {
    CArchive ar(&file, CArchive::store, kArchiveBufferSize);
    CJVKPropExchangeArchive px(ar);
    DoPropExchange(nCommand, &px);
    ar.Close();
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  }
  const UINT nBytes = static_cast<UINT>(file.GetLength());
  HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, nBytes);
  if (hGlobal == nullptr) return FALSE;
  file.SeekToBegin();
  file.Read(::GlobalLock(hGlobal), nBytes);
  ::GlobalUnlock(hGlobal);
  if (::SetClipboardData(JVK_CF_TOOLBAR_IMAGE, hGlobal) == nullptr) {
    ::GlobalFree(hGlobal);
    return FALSE;
  }
  return TRUE;
}

UINT CJVKImageManager::PasteIconFromClipboard(COleDataObject* pData) {
  HGLOBAL hGlobal = pData->GetGlobalData(JVK_CF_TOOLBAR_IMAGE);
  if (hGlobal == nullptr) return 0;
  CSharedFile file;
  file.SetHandle(hGlobal, FALSE);
  const UINT nID = m_nCustomID + 1;
  try {
    CArchive ar(&file, CArchive::load, kArchiveBufferSize);
    CJVKPropExchangeArchive px(ar);
    m_nCustomID = nID;
    DoPropExchange(nID, &px);
  } catch (CException* e) {
    // Refused: the id is not used.
    e->Delete();
    m_nCustomID = nID - 1;
    return 0;
  }
  return nID;
}
