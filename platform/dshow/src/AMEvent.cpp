#include "AMEvent.h"

CAMEvent::CAMEvent(BOOL fManualReset, HRESULT* phr) : m_hEvent(CreateEventA(nullptr, fManualReset, FALSE, nullptr)) {
  if (phr && !m_hEvent) *phr = E_OUTOFMEMORY;
}

CAMEvent::~CAMEvent() {
  if (m_hEvent) CloseHandle(m_hEvent);
}
