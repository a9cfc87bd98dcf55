// The library's stream classes over the simulated card: filters and teletext
// deliver their scripted data on worker threads of their own, the common
// interface its scripted CAM messages.
#include "DVBComnIF.h"
#include "DVBTSFilter.h"
#include "DVBTeletext.h"
#include "SimCard.h"
#include "SimFeeds.h"

namespace {

DVB_ERROR Result(int code) { return static_cast<DVB_ERROR>(code); }

}  // namespace

// ----------------------------------------------------------- CDVBTSFilter

CDVBTSFilter::CDVBTSFilter()
    : m_pFeed(std::make_unique<CSimFilterFeed>([this](BYTE* data, int length) { OnDataArrival(data, length); })) {}

CDVBTSFilter::~CDVBTSFilter() { StopDelivery(); }

void CDVBTSFilter::OnDataArrival(BYTE*, int) {}

void CDVBTSFilter::StopDelivery() { m_pFeed->Stop(); }

DVB_ERROR CDVBTSFilter::SetFilter(FILTERTYPE type, WORD pid, BYTE*, BYTE*, BYTE length) {
  CSimCard& card = CSimCard::Get();
  card.Record("SetFilter %d %u %u", static_cast<int>(type), pid, length);
  m_pFeed->Stop();
  if (type == FILTER_NONE) return DVB_ERR_ARGUMENT;
  if (const int code = card.Fail("SetFilter")) return Result(code);
  std::vector<std::vector<BYTE>> blocks;
  for (const SimStreamFixture& s : card.settings.streams)
    if (s.pid == pid && s.pipe == (type == FILTER_PIPE)) blocks.push_back(s.bytes);
  m_pFeed->Start(std::move(blocks), type == FILTER_PIPE, card.settings.seed + pid);
  m_bSet = true;
  m_wPid = pid;
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBTSFilter::ResetFilter() {
  CSimCard& card = CSimCard::Get();
  m_pFeed->Stop();
  if (!m_bSet) {
    card.Record("ResetFilter");
    return DVB_ERR_STATE;
  }
  card.Record("ResetFilter %u", m_wPid);
  m_bSet = false;
  return Result(card.Fail("ResetFilter"));
}

// ----------------------------------------------------------- CDVBTeletext

CDVBTeletext::CDVBTeletext()
    : m_pFeed(std::make_unique<CSimFilterFeed>([this](BYTE* data, int length) { OnTTXPage(data, length); })) {}

CDVBTeletext::~CDVBTeletext() { StopDelivery(); }

void CDVBTeletext::OnTTXPage(BYTE*, int) {}

void CDVBTeletext::StopDelivery() { m_pFeed->Stop(); }

DVB_ERROR CDVBTeletext::TTXOn(WORD pid) {
  CSimCard& card = CSimCard::Get();
  card.Record("TTXOn %u", pid);
  if (const int code = card.Fail("TTXOn")) return Result(code);
  m_pFeed->Start(card.settings.teletext, false, card.settings.seed);
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBTeletext::TTXOff() {
  CSimCard::Get().Record("TTXOff");
  m_pFeed->Stop();
  return Result(CSimCard::Get().Fail("TTXOff"));
}

DVB_ERROR CDVBTeletext::TTXModifySearchTable(WORD first, WORD second, WORD third, int request) {
  CSimCard::Get().Record("TTXModifySearchTable %04X %04X %04X %d", first, second, third, request);
  return DVB_ERR_NONE;
}

// ------------------------------------------------------------- CDVBComnIF

CDVBComnIF::CDVBComnIF() : m_pLink(std::make_unique<CSimCiLink>(*this)) {}

CDVBComnIF::~CDVBComnIF() { StopDelivery(); }

void CDVBComnIF::StopDelivery() { m_pLink->Stop(); }

void CDVBComnIF::OnSlotStatus(BYTE, BYTE, _typ_SlotInfo*) {}
void CDVBComnIF::OnCAStatus(BYTE, BYTE, WORD) {}
void CDVBComnIF::OnDisplayString(BYTE, char*, WORD) {}
void CDVBComnIF::OnDisplayMenu(BYTE, WORD, char*, WORD) {}
void CDVBComnIF::OnDisplayList(BYTE, WORD, char*, WORD) {}
void CDVBComnIF::OnSwitchOsdOff(BYTE) {}
void CDVBComnIF::OnInputRequest(BYTE, int, BYTE, DWORD) {}
void CDVBComnIF::OnTune(BYTE, WORD, WORD, WORD, WORD) {}
void CDVBComnIF::OnLscConnect(BYTE) {}
void CDVBComnIF::OnLscDisconnect(BYTE) {}

DVB_ERROR CDVBComnIF::Open() {
  CSimCard& card = CSimCard::Get();
  card.Record("CI Open");
  if (!card.settings.ciPresent) return DVB_ERR_NO_DEVICE;
  if (const int code = card.Fail("CIOpen")) return Result(code);
  m_pLink->Start();
  m_pLink->Post(card.CiMessages("open", ""));
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBComnIF::Close() {
  CSimCard::Get().Record("CI Close");
  const bool open = m_pLink->Running();
  m_pLink->Stop();
  return open ? DVB_ERR_NONE : DVB_ERR_STATE;
}

DVB_ERROR CDVBComnIF::ReadPSIFast(WORD serviceId) {
  CSimCard& card = CSimCard::Get();
  card.Record("ReadPSIFast %u", serviceId);
  if (const int code = card.Fail("ReadPSIFast")) return Result(code);
  m_pLink->Post(card.CiMessages("psi", std::to_string(serviceId)));
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBComnIF::EnterModuleMenu(BYTE slot) {
  CSimCard& card = CSimCard::Get();
  card.Record("EnterModuleMenu %u", slot);
  if (const int code = card.Fail("EnterModuleMenu")) return Result(code);
  m_pLink->Post(card.CiMessages("menu", std::to_string(slot)));
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBComnIF::MenuAnswer(BYTE slot, BYTE choice) {
  CSimCard& card = CSimCard::Get();
  card.Record("MenuAnswer %u %u", slot, choice);
  if (const int code = card.Fail("MenuAnswer")) return Result(code);
  m_pLink->Post(card.CiMessages("choice", std::to_string(choice)));
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBComnIF::Answer(BYTE slot, char* text, BYTE length) {
  CSimCard& card = CSimCard::Get();
  const std::string answer = text ? std::string(text, length) : std::string();
  card.Record("Answer %u %u \"%s\"", slot, length, answer.c_str());
  if (const int code = card.Fail("Answer")) return Result(code);
  m_pLink->Post(card.CiMessages("answer", answer));
  return DVB_ERR_NONE;
}

int CDVBComnIF::ConvertCharBuf(CString& text, int length) {
  const int walked = length < text.GetLength() ? length : text.GetLength();
  for (int i = 0; i < walked; ++i) {
    const BYTE c = static_cast<BYTE>(text.GetAt(i));
    if (c == 0x8A) {
      text = text.Left(i);
      return i + 1;
    }
    if (c >= 0x80 && c <= 0x9F) text.SetAt(i, ' ');
  }
  return length;
}
