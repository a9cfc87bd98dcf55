// The CAM's texts as the menu dialog shows them. A menu or list message is a
// run of zero-terminated strings (title, subtitle, bottom text, then the
// entries); each string is cut into display lines by the device library's
// conversion, and the lines are arranged as the list box shows them: title,
// subtitle, the entries (numbered from 1 in a menu), bottom text.
//
// The messages come from the CAM through the device library and are not
// trusted: a length field too short to hold a text, more entries than the
// dialog holds, or a string that runs past the length drop the message
// (Fault says why); nothing is read past the length.
#pragma once

#include <string>
#include <vector>

#include <WinTypes.h>

class CString;

// The device library's conversion of a CAM text of `length` characters into
// display text; returns how many characters it consumed.
using CamTextConverter = int (*)(CString& text, int length);

enum class CamMenuKind { kMenu, kList };

struct CamMenuLines {
  enum Fault { kNone, kTooShort, kTooManyEntries };
  Fault fault = kNone;
  std::vector<std::string> lines;  // in list-box order
};

// The most entries (choices or list items) the dialog shows.
constexpr int kCamMaxEntries = 64;

CamMenuLines ComposeCamMenu(CamMenuKind kind, WORD count, const char* text, WORD length, CamTextConverter convert);

// A display string's one line (the converted text without its last
// character); empty when there is nothing to show.
std::string ComposeCamString(const char* text, WORD length, CamTextConverter convert);

// The dialog's slot line for a slot state: 0 "No Module", 1 "Detecting
// module...", 2 the module's name; false for any other state (the line stays).
bool CamSlotLine(int state, const std::string& moduleName, std::string* line);

// The name a CAM reports, without trailing blanks.
std::string TrimCamName(const char* name, size_t length);
