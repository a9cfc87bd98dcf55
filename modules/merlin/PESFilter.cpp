#include "PESFilter.h"

DVB_ERROR CPESFilter::Set(CPesAssembler::StreamKind kind, WORD pid, BYTE* zeros, BYTE matchLength, WORD setSize,
                          int priority) {
  {
    CSingleLock lock(&m_lock, TRUE);
    m_assembler.Init(
        kind, setSize, [this](const BYTE* p, int n) { m_owner.DeliverPes(m_code, p, n); },
        [this](CPesAssembler::Fault fault, DWORD size) { m_owner.ReportPesFault(m_code, fault, size); });
    m_nPriority = priority;
    m_bPrioritySet = false;
  }
  const DVB_ERROR result = SetFilter(FILTER_PIPE, pid, zeros, zeros, matchLength);
  m_bSet = result == DVB_ERR_NONE;
  return result;
}

DVB_ERROR CPESFilter::Reset() {
  const DVB_ERROR result = ResetFilter();
  m_bSet = false;
  CSingleLock lock(&m_lock, TRUE);
  m_assembler.Reset();
  return result;
}

void CPESFilter::OnDataArrival(BYTE* data, int length) {
  if (!m_bPrioritySet) {
    ::SetThreadPriority(::GetCurrentThread(), m_nPriority);
    m_bPrioritySet = true;
  }
  CSingleLock lock(&m_lock, TRUE);
  m_assembler.AddBlock(data, length);
}
