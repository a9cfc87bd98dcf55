// The simulated box's CAM: its script runs step by step on the commands
// that arrive, it sends only while the PC holds the link, it answers the
// link and version commands, refuses requests whose layout is wrong, and
// puts a data block of pieces back together.
#include "SimBox.h"

#include "CiCommands.h"

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

using namespace cicommands;
typedef std::vector<BYTE> Bytes;

namespace {

SimAnswer Send(CSimBox& box, Bytes request) { return box.Command(request.data(), int(request.size())); }

void Step(CSimCam& cam, BYTE command, const std::vector<simcam::Message>& messages) {
  cam.AddStep(command);
  for (const simcam::Message& m : messages) cam.AddStepMessage(m.data(), DWORD(m.size()));
}

}  // namespace

TEST(SimCam, ScriptStepsRunInOrderWhileTheLinkIsOpen) {
  CSimBox box;
  CSimCam& cam = box.Cam();
  const simcam::Message status = simcam::SlotStatus(0, 2, {0x0100});
  const simcam::Message menu = simcam::Menu(0, 1, {"T", "S", "B", "E"});
  const simcam::Message text = simcam::Text(0, "x");
  Step(cam, kGetSlotStatus, {status});
  Step(cam, kEnterMenu, {menu, text});

  EXPECT_TRUE(Send(box, {kEnterMenu, 1}).ok);  // not the next step: nothing
  EXPECT_TRUE(cam.TakeOutgoing().empty());
  EXPECT_TRUE(Send(box, {kGetSlotStatus, 1}).ok);  // the link is closed: taken, not sent
  EXPECT_TRUE(cam.TakeOutgoing().empty());
  EXPECT_EQ(cam.State().droppedClosed, 1);

  SimAnswer open = Send(box, {kOpenLink});
  EXPECT_EQ(open.bytes, Bytes{1});
  EXPECT_TRUE(Send(box, {kCloseMmi, 1}).ok);
  EXPECT_TRUE(Send(box, {kEnterMenu, 1}).ok);
  EXPECT_EQ(cam.TakeOutgoing(), (std::vector<simcam::Message>{menu, text}));
  EXPECT_EQ(cam.State().stepsLeft, 0);
  EXPECT_EQ(cam.State().sent, 2);

  EXPECT_TRUE(Send(box, {kCloseLink}).ok);
  cam.Send(text.data(), DWORD(text.size()));
  EXPECT_TRUE(cam.TakeOutgoing().empty());
}

TEST(SimCam, LinkVersionAndLayouts) {
  CSimBox box;
  CSimCam& cam = box.Cam();
  cam.State().openAnswer = 0;
  EXPECT_EQ(Send(box, {kOpenLink}).bytes, Bytes{0});
  EXPECT_FALSE(cam.State().linkOpen);
  SimAnswer version = Send(box, {kGetVersion});
  ASSERT_EQ(version.bytes.size(), 32u);
  EXPECT_STREQ(reinterpret_cast<const char*>(version.bytes.data()), "CI 1.0|Test CAM 2.3");

  const Bytes bad[] = {
      {kMenuAnswer, 1}, {kSetProgram, 1, 2, 3}, {kOpenLink, 0},   {kAnswer, 1, 3, 'a', 'b'},
      {kAnswer, 1, 31}, {kDataChunk},           {kDataEnd, 1, 2}, {kAskRelease, 1},
  };
  for (const Bytes& b : bad) EXPECT_FALSE(Send(box, b).ok) << int(b[0]) << " " << b.size();
  EXPECT_EQ(cam.State().badRequests, int(std::size(bad)));
  EXPECT_EQ(box.State().badRequests, int(std::size(bad)));
  EXPECT_TRUE(Send(box, {kAnswer, 1, 2, 'a', 'b'}).ok);
  EXPECT_TRUE(Send(box, {kAskRelease}).ok);
}

TEST(SimCam, DataPiecesAreJoinedAndCheckedAgainstTheEnd) {
  CSimBox box;
  const SimCamState& s = box.Cam().State();
  Send(box, {kDataChunk, 0, 1, 2, 3});
  Send(box, {kDataChunk, 3, 4});
  Send(box, {kDataEnd, 2, 7, 4});
  EXPECT_EQ(s.dataLength, 4);
  EXPECT_EQ(Bytes(s.data, s.data + 4), (Bytes{1, 2, 3, 4}));
  EXPECT_EQ(s.dataSlot, 2);
  EXPECT_EQ(s.dataPhase, 7);
  EXPECT_EQ(s.dataErrors, 0);

  Send(box, {kDataChunk, 0, 1});
  Send(box, {kDataChunk, 5, 2});  // a piece missing in between
  Send(box, {kDataEnd, 1, 1, 2});
  EXPECT_EQ(s.dataErrors, 1);
  Send(box, {kDataChunk, 0, 1});
  Send(box, {kDataEnd, 1, 1, 2});  // announced more than arrived
  EXPECT_EQ(s.dataErrors, 2);
  Send(box, {kDataEnd, 1, 1, 0});  // nothing, announced as nothing
  EXPECT_EQ(s.dataErrors, 2);
  EXPECT_EQ(s.dataLength, 0);
}
