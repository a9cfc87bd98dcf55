// The objects the library makes when a process attaches it: made and
// released as the library does; an owner table that cannot be allocated
// stops the start-up with the user's message, and nothing is left made.
#include "LibraryObjects.h"

#include "DVBSlaveFilterServer.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<std::string, UINT>> g_messages;

int CALLBACK RecordMessage(LPCTSTR text, UINT type, UINT) {
  g_messages.emplace_back(text, type);
  return IDOK;
}

CDVBOwnerTable* OwnerTableOutOfMemory(const char*) { AfxThrowMemoryException(); }

}  // namespace

TEST(LibraryObjects, AnOwnerTableThatCannotBeAllocatedStopsTheStartUpWithAMessage) {
  g_messages.clear();
  AFX_MSGBOX_HOOK oldHook = AfxSetMessageBoxHook(RecordMessage);

  EXPECT_FALSE(MakeLibraryObjects(OwnerTableOutOfMemory));
  EXPECT_EQ(
      g_messages,
      (std::vector<std::pair<std::string, UINT>>{{"Unable to allocate shared memory", UINT(MB_ICONEXCLAMATION)}}));
  EXPECT_EQ(g_pSlaveFilterServer, nullptr);
  EXPECT_EQ(g_pDVBOwnerTable, nullptr);

  g_messages.clear();
  ASSERT_TRUE(MakeLibraryObjects());
  EXPECT_NE(g_pSlaveFilterServer, nullptr);
  EXPECT_NE(g_pDVBOwnerTable, nullptr);
  ReleaseLibraryObjects();
  EXPECT_EQ(g_pSlaveFilterServer, nullptr);
  EXPECT_EQ(g_pDVBOwnerTable, nullptr);
  EXPECT_TRUE(g_messages.empty());

  AfxSetMessageBoxHook(oldHook);
}
