// One of merlin's two stream filters (video, audio; a third is only ever
// reset): a pipe filter of the card whose data handler, on the card
// library's worker thread, re-assembles the PID's PES packets
// (CPesAssembler) and hands each, under the filter's lock, to the owner.
#pragma once

#include <DVBTSFilter.h>

#include "PesAssembler.h"

// Where the re-assembled packets go: stream code 0 video, 1 audio, 2 the third.
class IPesSink {
 public:
  virtual ~IPesSink() = default;
  virtual void DeliverPes(int code, const BYTE* packet, int length) = 0;
  virtual void ReportPesFault(int code, CPesAssembler::Fault fault, DWORD size) = 0;
};

class CPESFilter : public CDVBTSFilter {
 public:
  CPESFilter(IPesSink& owner, int code) : m_owner(owner), m_code(code) {}
  ~CPESFilter() override { StopDelivery(); }

  // A pipe filter on pid; match and mask are matchLength zero bytes.
  DVB_ERROR Set(CPesAssembler::StreamKind kind, WORD pid, BYTE* zeros, BYTE matchLength, WORD setSize, int priority);
  DVB_ERROR Reset();
  bool IsSet() const { return m_bSet; }

  void OnDataArrival(BYTE* data, int length) override;

 private:
  IPesSink& m_owner;
  const int m_code;
  CCriticalSection m_lock;  // guards m_assembler: delivery against Set and Reset
  CPesAssembler m_assembler;
  int m_nPriority = 0;
  bool m_bPrioritySet = false;  // the worker thread's only
  bool m_bSet = false;          // the host's thread only
};
