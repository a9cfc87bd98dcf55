#include "CamDataObject.h"

#include <algorithm>
#include <cstring>

#include <TwinhanTypes.h>

static_assert(CCamDataObject::kMaxChoices == 9);
static_assert(CCamDataObject::kAnswer + CCamDataObject::kTextSize == CCamDataObject::kSize);

std::string CCamDataObject::Text(size_t offset, size_t size) const {
  const char* text = reinterpret_cast<const char*>(m_bytes.data() + offset);
  const void* end = std::memchr(text, 0, size);
  return std::string(text, end ? static_cast<const char*>(end) - text : size);
}

DWORD CCamDataObject::Dword(size_t offset) const {
  const BYTE* p = m_bytes.data() + offset;
  return static_cast<DWORD>(p[0] | p[1] << 8 | p[2] << 16) | static_cast<DWORD>(p[3]) << 24;
}

void CCamDataObject::SetDword(size_t offset, DWORD value) {
  for (int i = 0; i < 4; ++i) m_bytes[offset + i] = static_cast<BYTE>(value >> (8 * i));
}

int CCamDataObject::ChoiceCount() const { return std::clamp(RawChoiceCount(), 0, kMaxChoices); }

int CCamDataObject::RequestedLength() const {
  return std::clamp(static_cast<int>(Dword(kAnswerLength)), 0, kMaxAnswerLength);
}

void CCamDataObject::SetAnswer(const std::string& answer) {
  const size_t n = std::min(answer.size(), static_cast<size_t>(kMaxAnswerLength));
  std::memset(m_bytes.data() + kAnswer, 0, kTextSize);
  std::memcpy(m_bytes.data() + kAnswer, answer.data(), n);
}

void CCamDataObject::ClearAnswer(int length) {
  std::memset(m_bytes.data() + kAnswer, 0, std::clamp<size_t>(static_cast<size_t>(std::max(length, 0)), 0, kTextSize));
}

std::vector<std::string> CCamDataObject::ListLines(int mmiType) const {
  std::vector<std::string> lines = {Title(), Subtitle()};
  for (int i = 0; i < ChoiceCount(); ++i)
    lines.push_back(mmiType == kMmiMenu ? std::to_string(i + 1) + ". " + Choice(i) : Choice(i));
  if (mmiType == kMmiMenu) lines.push_back(Bottom());
  return lines;
}
