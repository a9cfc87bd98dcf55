// Section and pipe filters through boxlink.dll: the box's sections of the
// ffmpeg transport stream and synthetic ones reach the handler and a file
// byte for byte, match and mask choose them, long sections arrive whole
// however the stream is cut, and the box's faults and the 63 stream slots
// are handled.
#include "StreamBoxFixture.h"

#include "AdapterKey.h"
#include "BoxCommands.h"
#include "DVBFilterToFile.h"
#include "DVBTSFilter.h"
#include "NetAdapterIoctl.h"
#include "SimFilterOutput.h"
#include "TestData.h"

#include <cstdio>

namespace {

class CRecordingFilter : public CDVBTSFilter {
 public:
  explicit CRecordingFilter(CReceived& received, DWORD ring = 256000) : CDVBTSFilter(ring), m_received(received) {}
  void OnDataArrival(BYTE* data, int length) override { m_received.Add(data, length); }

 private:
  CReceived& m_received;
};

Bytes ReadFile(const std::string& path) {
  Bytes out;
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return out;
  int c;
  while ((c = fgetc(f)) != EOF) out.push_back(BYTE(c));
  fclose(f);
  return out;
}

Bytes Joined(const std::vector<SimSection>& sections) {
  Bytes out;
  for (const SimSection& s : sections) out.insert(out.end(), s.begin(), s.end());
  return out;
}

const CDVBTSFilter::FILTERTYPE kSection = CDVBTSFilter::FILTER_SECTION;

}  // namespace

class SectionFilterTest : public StreamBoxTest {
 protected:
  // The box's filters' output for sections on a PID, sent.
  void SendSections(WORD pid, const std::vector<SimSection>& sections, size_t groupSize = 8, size_t piece = 8192) {
    Send(SimSectionOutput(State(), pid, sections), groupSize, piece);
  }
};

TEST_F(SectionFilterTest, PatReachesTheHandlerAndAFileByteForByte) {
  auto ts = ReadTestData("stream.ts");
  ASSERT_FALSE(ts.empty()) << "scripts/make-fixtures makes stream.ts";
  auto pats = SimSectionsOfPid(ts.data(), ts.size(), 0);
  ASSERT_GT(pats.size(), 10u);
  CReceived received;
  CRecordingFilter filter(received);
  BYTE table[1] = {0x00}, full[1] = {0xFF};
  ASSERT_EQ(filter.SetFilter(kSection, 0, table, full, 1), DVB_ERR_NONE);
  EXPECT_EQ(filter.GetFilterID(), 1);
  CDVBFilterToFile file;
  std::string path = TempPath("quillon-pat.bin");
  file.SetFileParams(path.c_str(), CFile::modeCreate | CFile::modeWrite);
  ASSERT_EQ(file.StartFilter(kSection, 0, nullptr, nullptr, 0), DVB_ERR_NONE);
  EXPECT_EQ(file.GetFilterID(), 2);
  EXPECT_EQ(State().filters[1].mode, 1);

  SendSections(0, pats);
  ASSERT_TRUE(WaitFor([&] { return received.Count() == pats.size(); }));
  EXPECT_EQ(received.Got(), pats);
  Bytes all = Joined(pats);
  ASSERT_TRUE(WaitFor([&] { return file.GetFileLen() == all.size(); }));
  EXPECT_EQ(file.StopFilter(), DVB_ERR_NONE);
  EXPECT_EQ(file.GetFileLen(), 0u);
  EXPECT_EQ(ReadFile(path), all);
  EXPECT_EQ(file.GetFileError(), 0);
  DWORD counts[3] = {9, 9, 9};
  EXPECT_EQ(CDVBTSFilter::GetFiltersByteCount(counts, 3), DVB_ERR_NONE);
  EXPECT_EQ(counts[0], 0u);
  EXPECT_EQ(counts[1], all.size());
  EXPECT_EQ(counts[2], 0u);  // the file's filter went with StopFilter
  EXPECT_EQ(filter.GetByteCount(), all.size());
  remove(path.c_str());
}

TEST_F(SectionFilterTest, MatchAndMaskChooseTheSections) {
  std::vector<SimSection> sections;
  for (BYTE table : {0x42, 0x46, 0x4A})
    for (WORD extension = 1; extension <= 3; ++extension)
      sections.push_back(SimSectionWithCrc(table, extension, {table, BYTE(extension)}));
  CReceived any, sdtActual, extension2;
  CRecordingFilter all(any), byTable(sdtActual), byExtension(extension2);
  const BYTE table42[1] = {0x42}, full[1] = {0xFF};
  // Tables 0x42 and 0x46 (bit 2 masked out), extension 2 in bytes 3-4.
  BYTE ext[5] = {0x42, 0xEE, 0xEE, 0x00, 0x02}, extMask[5] = {0xFB, 0xFF, 0xFF, 0xFF, 0xFF};
  ASSERT_EQ(all.SetFilter(kSection, 0x11, nullptr, nullptr, 0), DVB_ERR_NONE);
  ASSERT_EQ(byTable.SetFilter(kSection, 0x11, const_cast<BYTE*>(table42), const_cast<BYTE*>(full), 1), DVB_ERR_NONE);
  ASSERT_EQ(byExtension.SetFilter(kSection, 0x11, ext, extMask, 5), DVB_ERR_NONE);
  SendSections(0x11, sections);
  auto pick = [&](std::initializer_list<int> indexes) {
    std::vector<Bytes> out;
    for (int i : indexes) out.push_back(sections[size_t(i)]);
    return out;
  };
  ASSERT_TRUE(WaitFor([&] { return any.Count() == 9 && sdtActual.Count() == 3 && extension2.Count() == 2; }));
  EXPECT_EQ(any.Got(), sections);
  EXPECT_EQ(sdtActual.Got(), pick({0, 1, 2}));
  EXPECT_EQ(extension2.Got(), pick({1, 4}));
}

TEST_F(SectionFilterTest, LongSectionsArriveWholeHoweverTheStreamIsCut) {
  std::vector<SimSection> sections;
  for (size_t n : {4084u, 1u, 183u, 2000u}) {
    Bytes payload(n);
    for (size_t i = 0; i < n; ++i) payload[i] = BYTE(i * 13 + n);
    sections.push_back(SimSectionWithCrc(0x50, WORD(n), payload));
  }
  // The box reassembles them from transport packets.
  Bytes ts;
  BYTE counter = 0;
  for (const SimSection& s : sections) {
    Bytes p = SimPacketsOfSection(s, 0x12, counter);
    ts.insert(ts.end(), p.begin(), p.end());
  }
  auto found = SimSectionsOfPid(ts.data(), ts.size(), 0x12);
  ASSERT_EQ(found, sections);
  CReceived received;
  CRecordingFilter filter(received);
  ASSERT_EQ(filter.SetFilter(kSection, 0x12, nullptr, nullptr, 0), DVB_ERR_NONE);
  SendSections(0x12, found, 2, 97);  // pieces that cut every packet
  ASSERT_TRUE(WaitFor([&] { return received.Count() == sections.size(); }));
  EXPECT_EQ(received.Got(), sections);
}

TEST_F(SectionFilterTest, AStreamCutMidSectionDeliversNoPartAndGoesOn) {
  CReceived received;
  CRecordingFilter filter(received);
  ASSERT_EQ(filter.SetFilter(kSection, 0x12, nullptr, nullptr, 0), DVB_ERR_NONE);
  std::vector<SimSection> sections;
  for (BYTE i = 0; i < 3; ++i) sections.push_back(SimSectionWithCrc(0x50, i, Bytes(600, i)));
  auto packets = SimSectionOutput(State(), 0x12, sections);
  // The box sends the first section and half of the second, then starts a
  // new group from the packet it did not finish (as after a resend
  // request).
  WORD cutAt = 0;
  Bytes s;
  Composer().Group({packets[0], packets[1], packets[2]}, s);
  size_t cut = s.size() - (packets[2].body.size() + 4) - 300;
  s.resize(cut);
  cutAt = WORD(Composer().NextSequence() - 2);
  Composer().SetSequence(cutAt);
  Composer().Group({packets[1], packets[2]}, s);
  SendBytes(s, 256);
  ASSERT_TRUE(WaitFor([&] { return received.Count() >= 3; }));
  EXPECT_EQ(received.Got(), sections);
}

TEST_F(SectionFilterTest, ArgumentsAndRefusals) {
  CReceived received;
  CRecordingFilter filter(received);
  BYTE d[16] = {}, m[16] = {};
  struct Case {
    int type;
    WORD pid;
    BYTE* data;
    BYTE* mask;
    BYTE length;
    DVB_ERROR result;
  } cases[] = {
      {0, 0x10, d, m, 1, DVB_ERR_ARGUMENT},  {2, 0x2000, d, m, 1, DVB_ERR_ARGUMENT},
      {2, 0x10, d, m, 17, DVB_ERR_ARGUMENT}, {2, 0x10, nullptr, m, 1, DVB_ERR_ARGUMENT},
      {2, 0x10, d, m, 13, DVB_ERR_REFUSED},  // more than the box takes
  };
  for (const Case& c : cases) {
    EXPECT_EQ(filter.SetFilter(CDVBTSFilter::FILTERTYPE(c.type), c.pid, c.data, c.mask, c.length), c.result)
        << c.type << " " << c.pid << " " << int(c.length);
    EXPECT_EQ(filter.GetFilterID(), 0);
  }
  EXPECT_EQ(Commands(boxcommands::kAddSectionFilter).size(), 0u);
  EXPECT_EQ(filter.ResetFilter(), DVB_ERR_STATE);

  Fault(SimFault::kFail, driverioctl::kCommandChannel, boxcommands::kAddSectionFilter, 0, 1);
  EXPECT_EQ(filter.SetFilter(CDVBTSFilter::FILTER_SECTION, 0x10, d, m, 1), DVB_ERR_REFUSED);
  // A second SetFilter replaces the first: one box filter stays.
  ASSERT_EQ(filter.SetFilter(CDVBTSFilter::FILTER_SECTION, 0x10, d, m, 1), DVB_ERR_NONE);
  ASSERT_EQ(filter.SetFilter(CDVBTSFilter::FILTER_PIPE, 0x11, nullptr, nullptr, 8), DVB_ERR_NONE);
  SimBoxState s = State();
  int used = 0;
  for (const auto& f : s.filters) used += f.used;
  EXPECT_EQ(used, 1);
  EXPECT_EQ(s.filters[0].pid, 0x11);
  EXPECT_EQ(s.filters[0].value, 8);
  // The box cannot delete it: the filter stays set.
  Fault(SimFault::kFail, driverioctl::kCommandChannel, boxcommands::kDelFilter, 0, 1);
  EXPECT_EQ(filter.ResetFilter(), DVB_ERR_ARGUMENT);
  EXPECT_EQ(filter.GetFilterID(), 1);
  EXPECT_EQ(filter.ResetFilter(), DVB_ERR_NONE);
  EXPECT_EQ(filter.GetFilterID(), 0);

  CDVBCommon::CloseDevice();
  EXPECT_EQ(filter.SetFilter(CDVBTSFilter::FILTER_SECTION, 0x10, d, m, 1), DVB_ERR_NO_DEVICE);
}

TEST_F(SectionFilterTest, FullBoxAndFilterNumbersBeyondTheSlots) {
  BYTE d[1] = {0}, m[1] = {0};
  SimBoxState s = State();
  s.filterLimit = 1;
  s.filterNumberBase = 62;  // the first filter goes to slot 63, the last there is
  sim->SetState(s);
  CReceived r1, r2;
  CRecordingFilter first(r1), second(r2);
  ASSERT_EQ(first.SetFilter(kSection, 0x10, d, m, 1), DVB_ERR_NONE);
  EXPECT_EQ(first.GetFilterID(), 63);
  EXPECT_EQ(second.SetFilter(kSection, 0x10, d, m, 1), DVB_ERR_REFUSED);  // the box is full
  EXPECT_EQ(second.GetFilterID(), 0);

  // Filter numbers 63 (slot 64) and 255 (slot 0 as a byte) have no stream
  // slot: the box filter is deleted again rather than left behind.
  for (WORD base : {WORD(63), WORD(255)}) {
    ASSERT_EQ(first.ResetFilter(), DVB_ERR_NONE);
    s = State();
    s.filterNumberBase = base;
    sim->SetState(s);
    EXPECT_EQ(first.SetFilter(kSection, 0x10, d, m, 1), DVB_ERR_ARGUMENT) << base;
    EXPECT_EQ(first.GetFilterID(), 0);
    EXPECT_FALSE(State().filters[0].used) << base;
    EXPECT_EQ(first.ResetFilter(), DVB_ERR_STATE);
    s.filterNumberBase = 62;
    sim->SetState(s);
    ASSERT_EQ(first.SetFilter(kSection, 0x10, d, m, 1), DVB_ERR_NONE);
  }
  SendSections(0x10, {SimSectionWithCrc(0x42, 1, {1})});
  EXPECT_TRUE(WaitFor([&] { return r1.Count() == 1; }));
}

TEST_F(SectionFilterTest, PipeDataReachTheHandler) {
  CReceived received;
  CRecordingFilter pipe(received);
  ASSERT_EQ(pipe.SetFilter(CDVBTSFilter::FILTER_PIPE, 0x200, nullptr, nullptr, 16), DVB_ERR_NONE);
  std::vector<SimStreamPacket> packets;
  std::vector<Bytes> sent;
  for (int i = 0; i < 20; ++i) {
    Bytes block(size_t(100 + 37 * i), BYTE(i));
    auto out = SimPipeOutput(State(), 0x200, block.data(), block.size());
    packets.insert(packets.end(), out.begin(), out.end());
    sent.push_back(block);
  }
  Send(packets);
  ASSERT_TRUE(WaitFor([&] { return received.Count() == sent.size(); }));
  EXPECT_EQ(received.Got(), sent);
}

TEST_F(SectionFilterTest, FileFilterStartsStopsAndSurvivesAFailedWrite) {
  CDVBFilterToFile file;
  std::string path = TempPath("quillon-filter.bin");
  remove(path.c_str());
  file.SetFileParams((path + "\\no-such-folder\\x.bin").c_str(), CFile::modeCreate | CFile::modeWrite);
  EXPECT_EQ(file.StartFilter(kSection, 0x10, nullptr, nullptr, 0), DVB_ERR_NO_ANSWER);
  file.SetFileParams(path.c_str(), CFile::modeCreate | CFile::modeWrite);
  EXPECT_EQ(file.StartFilter(kSection, 0x2000, nullptr, nullptr, 0), DVB_ERR_ARGUMENT);
  EXPECT_EQ(file.GetFileLen(), 0u);  // closed again: it can be retried
  ASSERT_EQ(file.StartFilter(kSection, 0x10, nullptr, nullptr, 0), DVB_ERR_NONE);
  EXPECT_EQ(file.StartFilter(kSection, 0x10, nullptr, nullptr, 0), DVB_ERR_STATE);
  EXPECT_EQ(file.StopFilter(), DVB_ERR_NONE);
  EXPECT_EQ(file.StopFilter(), DVB_ERR_NONE);

  // A file whose writes fail (as on a full disk): its output ends with the
  // cause kept; the process and the other filters go on.
  file.SetFileParams(path.c_str(), CFile::modeCreate | CFile::modeRead);
  ASSERT_EQ(file.StartFilter(kSection, 0x10, nullptr, nullptr, 0), DVB_ERR_NONE);
  CReceived received;
  CRecordingFilter other(received);
  ASSERT_EQ(other.SetFilter(kSection, 0x10, nullptr, nullptr, 0), DVB_ERR_NONE);
  std::vector<SimSection> sections = {SimSectionWithCrc(0x42, 1, {1}), SimSectionWithCrc(0x42, 2, {2})};
  SendSections(0x10, sections);
  ASSERT_TRUE(WaitFor([&] { return file.GetFileError() != 0; }));
  EXPECT_TRUE(WaitFor([&] { return received.Count() == 2; }));
  EXPECT_EQ(file.GetFileLen(), 0u);  // the output was closed
  EXPECT_NE(file.GetFilterID(), 0);  // the filter itself stays
  SendSections(0x10, sections);
  EXPECT_TRUE(WaitFor([&] { return received.Count() == 4; }));
  EXPECT_EQ(file.StopFilter(), DVB_ERR_NONE);
  remove(path.c_str());
}

TEST_F(SectionFilterTest, DestroyedWhileDataFlowLeavesNoSlot) {
  CReceived received, later;
  std::vector<SimSection> sections;
  for (int i = 0; i < 200; ++i) sections.push_back(SimSectionWithCrc(0x42, WORD(i), Bytes(300, BYTE(i))));
  auto* filter = new CRecordingFilter(received);
  ASSERT_EQ(filter->SetFilter(kSection, 0x10, nullptr, nullptr, 0), DVB_ERR_NONE);
  auto* toFile = new CDVBFilterToFile;
  std::string path = TempPath("quillon-destroyed.bin");
  toFile->SetFileParams(path.c_str(), CFile::modeCreate | CFile::modeWrite);
  ASSERT_EQ(toFile->StartFilter(kSection, 0x10, nullptr, nullptr, 0), DVB_ERR_NONE);
  SendSections(0x10, sections, 8, 1024);
  ASSERT_TRUE(WaitFor([&] { return received.Count() > 10; }));
  delete filter;
  delete toFile;
  EXPECT_EQ(State().filters[0].used, 0);
  EXPECT_EQ(State().filters[1].used, 0);
  DWORD counts[3] = {};
  CDVBTSFilter::GetFiltersByteCount(counts, 3);
  EXPECT_EQ(counts[1], 0u);
  EXPECT_EQ(counts[2], 0u);

  // Destroyed with the box closed: the slot goes all the same, so the data
  // the box sends for that filter number later reach nobody.
  CRecordingFilter marker(later);
  auto* orphan = new CRecordingFilter(received);
  ASSERT_EQ(orphan->SetFilter(kSection, 0x20, nullptr, nullptr, 0), DVB_ERR_NONE);
  BYTE orphanSlot = orphan->GetFilterID();
  ASSERT_EQ(board.EnableIsoStream(0), DVB_ERR_NONE);
  CDVBCommon::CloseDevice();
  delete orphan;
  ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
  ASSERT_EQ(board.EnableIsoStream(8), DVB_ERR_NONE);
  ASSERT_EQ(marker.SetFilter(kSection, 0x21, nullptr, nullptr, 0), DVB_ERR_NONE);
  ASSERT_NE(marker.GetFilterID(), orphanSlot);
  SimSection section = SimSectionWithCrc(0x42, 1, {1});
  // Everything sent before the marker's section was dispatched before it.
  Send({CSimStreamComposer::Section(BYTE(orphanSlot - 1), section.data(), section.size()),
        CSimStreamComposer::Section(BYTE(marker.GetFilterID() - 1), section.data(), section.size())});
  ASSERT_TRUE(WaitFor([&] { return later.Count() == 1; }));
  counts[0] = 0;
  DWORD all[64] = {};
  CDVBTSFilter::GetFiltersByteCount(all, 64);
  EXPECT_EQ(all[orphanSlot], 0u);
  remove(path.c_str());
}

TEST_F(SectionFilterTest, NetworkFiltersForwardToTheAdapter) {
  ISimNetAdapter* net = NetSimulator();
  ASSERT_NE(net, nullptr);
  const BYTE boxMac[6] = {0x02, 0xA7, 0xE3, 0x1A, 0x2B, 0x3C};
  net->SetPresent(1);
  WriteAdapterValue(*net, 0, "NetworkAddress", "02A7E31A2B3C");
  WriteAdapterValue(*net, 0, "DVBBasePort", "5000");
  net->AddHostAdapter(HostAdapter(boxMac, "192.168.7.1", "255.255.255.0"));
  ASSERT_EQ(board.EnableIsoStream(0), DVB_ERR_NONE);
  CDVBCommon::CloseDevice();
  ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, FALSE));
  ASSERT_EQ(board.EnableIsoStream(8), DVB_ERR_NONE);

  CDVBTSFilter block, tagged;
  ASSERT_EQ(block.SetFilter(CDVBTSFilter::FILTER_NET_SECTION, 0x10, nullptr, nullptr, 0), DVB_ERR_NONE);
  EXPECT_EQ(State().filters[0].mode, 13);
  ASSERT_EQ(tagged.SetWinSockFilter(kSection, 0x10, nullptr, nullptr, 0), DVB_ERR_NONE);
  SimSection section = SimSectionWithCrc(0x42, 7, {1, 2, 3});
  SendSections(0x10, {section});
  ASSERT_TRUE(WaitFor([&] { return net->SentCount() == 2; }));
  // The two workers run apart: find each by its control code.
  for (int i = 0; i < 2; ++i) {
    SimNetPacket p;
    ASSERT_TRUE(net->GetSent(i, &p));
    Bytes sent(p.data, p.data + std::min<DWORD>(p.length, sizeof(p.data)));
    if (p.code == netadapterioctl::kSendBlock) {
      EXPECT_EQ(p.length, section.size());
      EXPECT_EQ(sent, Bytes(section.begin(), section.begin() + sent.size()));
    } else {
      ASSERT_EQ(p.code, netadapterioctl::kSendSection);
      EXPECT_EQ(p.length, section.size() + 1);
      EXPECT_EQ(sent[0], tagged.GetFilterID());
      EXPECT_EQ(Bytes(sent.begin() + 1, sent.end()), Bytes(section.begin(), section.begin() + sent.size() - 1));
    }
  }
  EXPECT_EQ(tagged.ResetFilter(), DVB_ERR_NONE);
  RemoveAdapterKey(*net, 0);
}
