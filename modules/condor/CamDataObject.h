// The CAM data object: the 1680-byte record that the CAM dialog hands the
// card source's CI interface whole, which the source fills with the CAM's
// menu, list or enquiry and from which it reads the user's choice or answer.
// Little-endian. Its texts and counts come from the CAM: every read here is
// bounded by its field, the choices by the room they have (9) and the
// requested answer length by the answer's buffer. Portable.
#pragma once

#include <WinTypes.h>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

class CCamDataObject {
 public:
  static constexpr size_t kSize = 1680;
  static constexpr size_t kTitle = 0, kSubtitle = 256, kBottom = 512, kTextSize = 256;
  static constexpr size_t kChoices = 768, kChoiceSize = 42;
  static constexpr size_t kChoiceCount = 1148;
  static constexpr size_t kBlind = 1156, kAnswerLength = 1160, kPrompt = 1164;
  static constexpr size_t kSelector = 1420, kAnswer = 1424;
  // The choices that fit between their start and the count field.
  static constexpr int kMaxChoices = static_cast<int>((kChoiceCount - kChoices) / kChoiceSize);
  // The longest answer the answer text holds with its NUL.
  static constexpr int kMaxAnswerLength = static_cast<int>(kTextSize - 1);
  // The selector of an answered enquiry.
  static constexpr int kEnquiryAnswered = 3;

  CCamDataObject() { m_bytes.fill(0); }

  BYTE* Data() { return m_bytes.data(); }
  const BYTE* Data() const { return m_bytes.data(); }

  std::string Title() const { return Text(kTitle, kTextSize); }
  std::string Subtitle() const { return Text(kSubtitle, kTextSize); }
  std::string Bottom() const { return Text(kBottom, kTextSize); }
  std::string Prompt() const { return Text(kPrompt, kTextSize); }
  // The count as the CAM wrote it, and as many as the record holds (0 to 9).
  int RawChoiceCount() const { return static_cast<int>(Dword(kChoiceCount)); }
  int ChoiceCount() const;
  // Choice i (0-based, below ChoiceCount()).
  std::string Choice(int i) const { return Text(kChoices + static_cast<size_t>(i) * kChoiceSize, kChoiceSize); }
  bool Blind() const { return Dword(kBlind) != 0; }
  // The answer length the CAM asks for, bounded by the answer text (0 to 255).
  int RequestedLength() const;
  int Selector() const { return static_cast<int>(Dword(kSelector)); }
  std::string Answer() const { return Text(kAnswer, kTextSize); }

  void SetSelector(int selector) { SetDword(kSelector, static_cast<DWORD>(selector)); }
  void SetRequestedLength(int length) { SetDword(kAnswerLength, static_cast<DWORD>(length)); }
  // The answer text (cut to the buffer, always terminated).
  void SetAnswer(const std::string& answer);
  // Clears the answer text's first length bytes (bounded by the buffer).
  void ClearAnswer(int length);

  // What the dialog's list shows for a menu or list: the title, the
  // subtitle, the choices ("%d. %s" numbered from 1 for a menu, plain for a
  // list) and, for a menu, the bottom text.
  std::vector<std::string> ListLines(int mmiType) const;

 private:
  std::string Text(size_t offset, size_t size) const;
  DWORD Dword(size_t offset) const;
  void SetDword(size_t offset, DWORD value);

  std::array<BYTE, kSize> m_bytes;
};
