#include "CamMenuText.h"

#include <cstdio>
#include <cstring>

#include <Framework.h>

namespace {

// Lines 0 to 2 (title, subtitle, bottom text) are appended; line i >= 3 goes
// in at i - 1, before the bottom text.
void PlaceLine(CamMenuKind kind, size_t index, const std::string& text, std::vector<std::string>* lines) {
  if (index < 3) {
    lines->push_back(text);
    return;
  }
  std::string line = text;
  if (kind == CamMenuKind::kMenu) {
    char number[16];
    std::snprintf(number, sizeof(number), "[%u] ", static_cast<unsigned>(index - 2));
    line = number + text;
  }
  const size_t at = std::min(index - 1, lines->size());
  lines->insert(lines->begin() + static_cast<std::ptrdiff_t>(at), line);
}

}  // namespace

CamMenuLines ComposeCamMenu(CamMenuKind kind, WORD count, const char* text, WORD length, CamTextConverter convert) {
  CamMenuLines result;
  if (!text || length < 3) {
    result.fault = CamMenuLines::kTooShort;
    return result;
  }
  if (count > kCamMaxEntries) {
    result.fault = CamMenuLines::kTooManyEntries;
    return result;
  }
  const size_t maxLines = kCamMaxEntries + 3;
  size_t index = 0;
  for (size_t offset = 0; offset < static_cast<size_t>(length - 3);) {
    const char* string = text + offset;
    const size_t size = strnlen(string, length - offset);
    for (size_t at = 0; at < size;) {
      CString piece(string + at, static_cast<int>(size - at));
      const int consumed = convert(piece, static_cast<int>(size - at));
      if (index >= maxLines) {
        result.fault = CamMenuLines::kTooManyEntries;
        result.lines.clear();
        return result;
      }
      std::string line(static_cast<LPCTSTR>(piece), static_cast<size_t>(piece.GetLength()));
      if (!line.empty() && line[0] == 5) line.erase(0, 1);
      PlaceLine(kind, index++, line, &result.lines);
      // A conversion that consumes nothing would never end the string.
      at += consumed > 0 ? static_cast<size_t>(consumed) : size - at;
    }
    offset += size + 1;
  }
  return result;
}

std::string ComposeCamString(const char* text, WORD length, CamTextConverter convert) {
  if (!text || length == 0) return std::string();
  const size_t size = strnlen(text, length);
  CString converted(text, static_cast<int>(size));
  convert(converted, static_cast<int>(size));
  if (converted.GetLength() < 2) return std::string();
  return std::string(static_cast<LPCTSTR>(converted), static_cast<size_t>(converted.GetLength() - 1));
}

bool CamSlotLine(int state, const std::string& moduleName, std::string* line) {
  switch (state) {
    case 0: *line = "No Module"; return true;
    case 1: *line = "Detecting module..."; return true;
    case 2: *line = moduleName; return true;
    default: return false;
  }
}

std::string TrimCamName(const char* name, size_t length) {
  std::string trimmed(name, strnlen(name, length));
  while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t' || trimmed.back() == '\r' ||
                              trimmed.back() == '\n'))
    trimmed.pop_back();
  return trimmed;
}
