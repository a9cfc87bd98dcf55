#include "IrKeyDecoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace irkeys;

namespace {

// The reports as text: "raw 080C", "press 000C", "release 000C".
class CTextSink : public IKeySink {
 public:
  void OnRawCode(WORD code) override { Add("raw", code); }
  void OnKeyReport(WORD report) override { Add(report & kPressedBit ? "press" : "release", WORD(report & ~kPressedBit)); }
  std::vector<std::string> reports;

 private:
  void Add(const char* what, WORD word) {
    char text[32];
    snprintf(text, sizeof(text), "%s %04X", what, word);
    reports.push_back(text);
  }
};

std::vector<BYTE> Records(std::initializer_list<WORD> codes) {
  std::vector<BYTE> out;
  for (WORD c : codes) {
    out.push_back(BYTE(c));
    out.push_back(BYTE(c >> 8));
    out.push_back(0x5A);  // the record's last two bytes play no part
    out.push_back(0xA5);
  }
  return out;
}

// A step: the records of one read, or (empty) a silence long enough to release.
struct Step {
  std::vector<BYTE> read;
  size_t cut;  // bytes dropped from the end of the read
};

}  // namespace

TEST(IrKeyDecoder, ReportsPressesAndReleases) {
  const Step silence = {{}, 0};
  struct Case {
    const char* name;
    std::vector<Step> steps;
    std::vector<std::string> expected;
  } cases[] = {
      {"held key over several reads", {{Records({0x000C}), 0}, {Records({0x000C, 0x000C}), 0}, silence},
       {"raw 000C", "press 000C", "raw 000C", "raw 000C", "release 000C"}},
      {"toggle bit changes", {{Records({0x000C, 0x080C}), 0}, silence},
       {"raw 000C", "press 000C", "raw 080C", "release 000C", "press 000C", "release 000C"}},
      {"same key and toggle after a release is a new press", {{Records({0x000C}), 0}, silence, {Records({0x000C}), 0}},
       {"raw 000C", "press 000C", "release 000C", "raw 000C", "press 000C"}},
      {"another key", {{Records({0x0150, 0x0151}), 0}},
       {"raw 0150", "press 0150", "raw 0151", "release 0150", "press 0151"}},
      {"bits above the toggle bit are not part of the key", {{Records({0xF00C, 0x000C}), 0}},
       {"raw F00C", "press 000C", "raw 000C"}},
      {"a cut record is ignored", {{Records({0x000C, 0x0150}), 2}}, {"raw 000C", "press 000C"}},
      {"silence with no key held reports nothing", {silence, {Records({}), 0}, {{1, 2, 3}, 0}}, {}},
      {"a first key word of 0 is still a press", {{Records({0x0000}), 0}, silence},
       {"raw 0000", "press 0000", "release 0000"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CKeyDecoder decoder;
    CTextSink sink;
    for (const Step& s : c.steps) {
      if (s.read.empty())
        decoder.Release(sink);
      else
        decoder.Feed(s.read.data(), s.read.size() - s.cut, sink);
    }
    EXPECT_EQ(sink.reports, c.expected);
  }
}
