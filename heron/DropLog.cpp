#include "DropLog.h"

#include <cstdio>

CDropLog::Row& CDropLog::RowOf(EDropCause cause) {
  Row* row = m_rows;
  while (row->cause != cause) row++;  // every cause has its row
  return *row;
}

bool CDropLog::TakeDueLine(Row& row, const wchar_t* pinName, char (&line)[kLineSize]) {
  if (!row.what || row.cDropped == row.cLogged || (row.cLogged != 0 && row.cDropped - row.cLogged < kLogEvery))
    return false;
  row.cLogged = row.cDropped;
  snprintf(line, kLineSize, "heron: %ls pin dropped %s (%u so far)\n", pinName ? pinName : L"?", row.what,
           static_cast<unsigned>(row.cDropped));
  return true;
}
