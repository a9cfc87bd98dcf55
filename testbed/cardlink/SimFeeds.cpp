#include "SimFeeds.h"

#include <random>

#include "DVBComnIF.h"

namespace {

constexpr DWORD kStopLimitMs = 5000;
constexpr DWORD kCiPollMs = 10;

}  // namespace

void CSimFilterFeed::Start(std::vector<std::vector<BYTE>> blocks, bool chunked, unsigned seed) {
  Stop();
  m_blocks = std::move(blocks);
  m_chunked = chunked;
  m_seed = seed;
  if (!m_blocks.empty()) m_worker.Start(&Run, this);
}

void CSimFilterFeed::Stop() { m_worker.Stop(kStopLimitMs); }

UINT CSimFilterFeed::Run(LPVOID param) {
  auto* self = static_cast<CSimFilterFeed*>(param);
  const CSimCard& card = CSimCard::Get();
  std::mt19937 random(self->m_seed);
  std::uniform_int_distribution<int> size(card.settings.chunkMin, card.settings.chunkMax);
  if (self->m_chunked && card.settings.startDelayMs && self->m_worker.WaitForStop(card.settings.startDelayMs)) return 0;
  for (std::vector<BYTE>& block : self->m_blocks) {
    size_t at = 0;
    while (at < block.size() && !self->m_worker.IsStopRequested()) {
      const size_t n = self->m_chunked ? std::min(block.size() - at, static_cast<size_t>(size(random))) : block.size();
      // The handler gets a copy of its own, as from the card's ring.
      std::vector<BYTE> chunk(block.begin() + at, block.begin() + at + n);
      self->m_handler(chunk.data(), static_cast<int>(n));
      at += n;
      if (card.settings.paceMs && self->m_worker.WaitForStop(card.settings.paceMs)) return 0;
    }
  }
  return 0;
}

void CSimCiLink::Start() {
  if (!m_worker.IsRunning()) m_worker.Start(&Run, this);
}

void CSimCiLink::Stop() {
  m_worker.Stop(kStopLimitMs);
  CSingleLock lock(&m_lock, TRUE);
  m_queue.clear();
}

void CSimCiLink::Post(const std::vector<SimCiMessage>& messages) {
  CSingleLock lock(&m_lock, TRUE);
  m_queue.insert(m_queue.end(), messages.begin(), messages.end());
}

UINT CSimCiLink::Run(LPVOID param) {
  auto* self = static_cast<CSimCiLink*>(param);
  while (!self->m_worker.WaitForStop(kCiPollMs)) {
    for (;;) {
      SimCiMessage m;
      {
        CSingleLock lock(&self->m_lock, TRUE);
        if (self->m_queue.empty()) break;
        m = self->m_queue.front();
        self->m_queue.pop_front();
      }
      self->Deliver(m);
      if (self->m_worker.IsStopRequested()) return 0;
    }
  }
  return 0;
}

// Builds the message as the card hands it on: texts as runs of
// zero-terminated strings, held with a zero after the end.
void CSimCiLink::Deliver(const SimCiMessage& m) {
  std::vector<char> text;
  for (const std::string& line : m.lines) text.insert(text.end(), line.c_str(), line.c_str() + line.size() + 1);
  const WORD length = static_cast<WORD>(text.size());
  const WORD count = static_cast<WORD>(m.lines.size() > 3 ? m.lines.size() - 3 : 0);
  text.push_back(0);
  if (m.kind == "slot") {
    std::vector<WORD> ids = m.caIds;
    std::vector<BYTE> rest(m.text.begin(), m.text.end());
    rest.push_back(0);
    _typ_SlotInfo info = {};
    info.status = static_cast<BYTE>(m.numbers[0]);
    info.pCaIds = ids.data();
    info.wCaIdCount = static_cast<WORD>(ids.size());
    info.pRest = rest.data();
    info.wRestLength = static_cast<WORD>(rest.size() - 1);
    const bool present = info.status == 2 || info.status == 3;
    m_owner.OnSlotStatus(m.slot, info.status, present ? &info : nullptr);
  } else if (m.kind == "castatus") {
    m_owner.OnCAStatus(m.slot, static_cast<BYTE>(m.numbers[0]), static_cast<WORD>(m.numbers[1]));
  } else if (m.kind == "string") {
    std::vector<char> s(m.text.begin(), m.text.end());
    s.push_back(0);
    m_owner.OnDisplayString(m.slot, s.data(), static_cast<WORD>(m.text.size()));
  } else if (m.kind == "menu") {
    m_owner.OnDisplayMenu(m.slot, count, text.data(), length);
  } else if (m.kind == "list") {
    m_owner.OnDisplayList(m.slot, count, text.data(), length);
  } else if (m.kind == "enquiry") {
    m_owner.OnInputRequest(m.slot, m.numbers[0], static_cast<BYTE>(m.numbers[1]), 0);
  } else if (m.kind == "osdoff") {
    m_owner.OnSwitchOsdOff(m.slot);
  } else if (m.kind == "raw") {
    // The length field as scripted; the bytes held are at least that long
    // and zero-terminated, as the card holds every message.
    const WORD field = static_cast<WORD>(m.numbers[0]);
    std::vector<char> held(m.raw.begin(), m.raw.end());
    held.resize(std::max<size_t>(held.size(), field) + 1, 0);
    if (m.text == "menu")
      m_owner.OnDisplayMenu(m.slot, 0xFFFF, held.data(), field);
    else if (m.text == "list")
      m_owner.OnDisplayList(m.slot, 0xFFFF, held.data(), field);
    else
      m_owner.OnDisplayString(m.slot, held.data(), field);
  }
}
