// The box's common-interface messages as arbitrary bytes: every handler
// call must stay inside the message (texts, CA system list, the bytes after
// it, data blocks), a dropped message calls nothing, and the texts and the
// version reply go through the text helpers.
#include "CiMessage.h"
#include "CiText.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using namespace cimessage;

namespace {

class CBoundsCheck final : public ICiMessageHandler {
 public:
  CBoundsCheck(const BYTE* begin, const BYTE* end) : m_begin(begin), m_end(end) {}

  void OnSlotStatus(BYTE, BYTE status, _typ_SlotInfo* info) override {
    ++calls;
    if (!info) return;
    if (info->status != status) __builtin_trap();
    Inside(info->pCaIds, 2 * size_t(info->wCaIdCount));
    Inside(info->pRest, info->wRestLength);
    if (info->pRest + info->wRestLength != m_end) __builtin_trap();
  }
  void OnCAStatus(BYTE, BYTE, WORD) override { ++calls; }
  void OnDisplayString(BYTE, char* text, WORD length) override { Text(text, length); }
  void OnDisplayMenu(BYTE, WORD, char* text, WORD length) override { Text(text, length); }
  void OnDisplayList(BYTE, WORD, char* text, WORD length) override { Text(text, length); }
  void OnSwitchOsdOff(BYTE) override { ++calls; }
  void OnInputRequest(BYTE, int, BYTE, DWORD keys) override {
    ++calls;
    if (keys != kAnyKey) __builtin_trap();
  }
  void OnLscSetDescriptor(BYTE, _typ_ConnectionDesc* d) override {
    ++calls;
    // No string can be longer than the message it came from.
    const int most = int(m_end - m_begin);
    if (d->number.GetLength() > most) __builtin_trap();
    for (const CString& s : d->further)
      if (s.GetLength() > most) __builtin_trap();
  }
  void OnLscConnect(BYTE) override { ++calls; }
  void OnLscDisconnect(BYTE) override { ++calls; }
  void OnLscSetParams(BYTE, BYTE, BYTE) override { ++calls; }
  void OnLscEnquireStatus(BYTE) override { ++calls; }
  void OnLscGetNextBuffer(BYTE, BYTE) override { ++calls; }
  void OnLscTransmitBuffer(BYTE, BYTE, BYTE* data, WORD length) override {
    ++calls;
    Inside(data, length);
  }

  int calls = 0;

 private:
  void Inside(const void* p, size_t n) {
    const BYTE* b = static_cast<const BYTE*>(p);
    if (!b || b < m_begin || b > m_end || n > size_t(m_end - b)) __builtin_trap();
  }
  void Text(char* text, WORD length) {
    ++calls;
    Inside(text, length);
    // An application takes the lines one after the other.
    CString rest(text, length);
    for (int guard = 0; guard <= length && !rest.IsEmpty(); ++guard) {
      CString line = rest;
      int next = citext::ConvertCharBuf(line, rest.GetLength());
      if (next < 1 || next > rest.GetLength()) break;
      rest = rest.Mid(next);
    }
  }

  const BYTE* m_begin;
  const BYTE* m_end;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 8192) return 0;
  std::vector<BYTE> message(data, data + size);  // exact size: ASan sees over-reads
  CBoundsCheck check(message.data(), message.data() + message.size());
  Outcome outcome = ParseCiMessage(message.data(), int(message.size()), check);
  if (outcome != kHandled && check.calls) __builtin_trap();

  if (size >= size_t(citext::kVersionReply)) {
    CString first, second;
    citext::SplitVersion(data, first, second);
    if (first.GetLength() + second.GetLength() > citext::kVersionReply) __builtin_trap();
  }
  return 0;
}
