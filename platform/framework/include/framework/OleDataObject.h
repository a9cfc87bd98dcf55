// COleDataObject: reads data that another party offers, from the clipboard
// (AttachClipboard) or from a drop (Attach, as COleDropTarget does).
#pragma once

#include "OleException.h"

class COleDataObject {
 public:
  COleDataObject();
  ~COleDataObject();
  COleDataObject(const COleDataObject&) = delete;
  COleDataObject& operator=(const COleDataObject&) = delete;

  // bAutoRelease: the object releases lpDataObject when it is done with it.
  void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
  LPDATAOBJECT Detach();
  void Release();
  // What is on the clipboard now; FALSE when it cannot be read.
  BOOL AttachClipboard();

  BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
  // The medium is the caller's (ReleaseStgMedium).
  BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
  // A global block the caller owns (GlobalFree), or null.
  HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);

  LPDATAOBJECT m_lpDataObject;
  BOOL m_bAutoRelease;
};
