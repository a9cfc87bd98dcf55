// A framework file object as the recording engines see it: the reader's
// file (reads, position, length) and the writer's output. Failures of the
// file object end as short reads and FALSE writes; the cause of the first
// failed write is kept. The file object is not owned.
#pragma once

#include "ProgramStreamWriter.h"
#include "RecordFile.h"

#include <Framework.h>

class CRecordCFile final : public IRecordFile, public IRecordOutput {
 public:
  explicit CRecordCFile(CFile& file) : m_file(file) {}

  DWORD Read(BYTE* buffer, DWORD count) override;
  BOOL Seek(DWORD position) override;
  DWORD Position() override;
  DWORD Length() override;
  BOOL Write(const BYTE* data, DWORD length) override;
  // Cuts the file at its position.
  BOOL Truncate();
  // Closes the file. A close that fails (the system could not write what
  // it held) is kept as a write error; the file is closed all the same.
  BOOL Close();

  // A CFileException cause (diskFull, accessDenied ...), 0 while writes
  // succeed.
  int GetWriteError() const { return m_writeError; }
  void ClearWriteError() { m_writeError = 0; }

 private:
  CFile& m_file;
  int m_writeError = 0;
};
