// The pause of a PVA recording into a file, packet by packet: what is
// written, with which counters and timestamps.
#include "PesTimestamp.h"
#include "PvaRecordPause.h"
#include "SimPvaComposer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

typedef std::vector<BYTE> Bytes;

Bytes Video(DWORD pts, bool stamped) {
  const BYTE p[4] = {BYTE(pts >> 24), BYTE(pts >> 16), BYTE(pts >> 8), BYTE(pts)};
  const Bytes data(16, 0x11);
  return CSimPvaComposer::Make(1, 99, stamped ? 0x10 : 0, stamped ? p : nullptr, data.data(), data.size());
}

Bytes Audio(DWORD pts, bool stamped) {
  const Bytes frame(32, 0x22);
  if (!stamped) return CSimPvaComposer::Make(2, 99, 0, nullptr, frame.data(), frame.size());
  const Bytes pes = CSimPvaComposer::AudioPes(pts, frame.data(), frame.size());
  return CSimPvaComposer::Make(2, 99, 0x10, nullptr, pes.data(), pes.size());
}

DWORD PtsOf(const Bytes& p) {
  if (p[2] == 1) return (DWORD(p[8]) << 24) | (p[9] << 16) | (p[10] << 8) | p[11];
  return DWORD(pestimestamp::Decode(&p[8 + 9]));
}

}  // namespace

TEST(PvaRecordPauseTest, PausingCutsTheGapOutOfBothStreams) {
  const DWORD t0 = 900000, gap = 10 * 90000;
  struct Row {
    const char* name;
    char stream;  // 'V' or 'A'
    DWORD pts;    // 0: no PTS
    char action;  // 'P' toggle the pause before the packet
    bool written;
    DWORD writtenPts;  // 0: no PTS
    BYTE counter;
  } rows[] = {
      {"audio", 'A', t0, 0, true, t0, 0},
      {"video", 'V', t0 + 3600, 0, true, t0 + 3600, 0},
      {"video runs on", 'V', 0, 0, true, 0, 1},
      {"paused: video runs on unstamped", 'V', 0, 'P', true, 0, 2},
      {"paused: audio runs on unstamped", 'A', 0, 0, true, 0, 1},
      {"paused: stamped video stops its stream", 'V', t0 + 7200, 0, false, 0, 0},
      {"paused: stamped audio stops its stream", 'A', t0 + 3600, 0, false, 0, 0},
      {"paused: video stays stopped", 'V', 0, 0, false, 0, 0},
      {"resumed: unstamped audio waits", 'A', 0, 'P', false, 0, 0},
      {"resumed: stamped video waits for the audio", 'V', t0 + gap + 3600, 0, false, 0, 0},
      {"resumed: stamped audio starts again", 'A', t0 + gap, 0, true, t0 + 9000, 2},
      {"resumed: video follows the audio", 'V', 0, 0, true, 0, 3},
      {"resumed: stamped video on the new timeline", 'V', t0 + gap + 7200, 0, true, t0 + gap + 7200 - (gap - 9000), 4},
      {"on: audio on the new timeline", 'A', t0 + gap + 3600, 0, true, t0 + 9000 + 3600, 3},
  };
  CPvaRecordPause pause;
  pause.Clear();
  for (const Row& row : rows) {
    if (row.action == 'P') pause.Toggle();
    Bytes p = row.stream == 'V' ? Video(row.pts, row.pts != 0) : Audio(row.pts, row.pts != 0);
    ASSERT_EQ(pause.Admit(p.data(), DWORD(p.size())), row.written) << row.name;
    if (!row.written) continue;
    EXPECT_EQ(p[3], row.counter) << row.name;
    if (row.writtenPts) {
      EXPECT_EQ(PtsOf(p), row.writtenPts) << row.name;
    }
  }
}
