// A filter that writes everything it receives to a file. A write that
// fails on the worker (a full disk) ends this filter's file output only:
// the file is closed, the cause kept for GetFileError, and the filter and
// everything else keep running.
#pragma once

#include "DVBTSFilter.h"

class AFX_EXT_CLASS CDVBFilterToFile : public CDVBTSFilter {
 public:
  CDVBFilterToFile();
  ~CDVBFilterToFile() override;

  void OnDataArrival(BYTE* data, int length) override;

  // The file and the framework's open flags for the next start.
  void SetFileParams(const CString& name, UINT openFlags);
  // 5 while a file is open, 7 when it cannot be opened, else SetFilter's
  // result (the file is closed again when that fails).
  DVB_ERROR StartFilter(FILTERTYPE type, WORD pid, BYTE* data, BYTE* mask, BYTE length);
  // Removes the filter and closes the file; always 0.
  DVB_ERROR StopFilter();
  // The open file's length, 0 when none is open.
  DWORD GetFileLen();
  // The file-exception cause of the write that ended the file output since
  // the last start, 0 when none failed.
  int GetFileError();

 private:
  void CloseFile();

  CString m_strFileName;
  CFile m_File;
  UINT m_nOpenFlags;
  CCriticalSection m_FileLock;  // the file, between the worker and the caller
  int m_nFileError;
};
