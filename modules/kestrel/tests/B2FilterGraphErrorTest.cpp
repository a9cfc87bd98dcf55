// The card graph's error store and its exception: step names cut to fit,
// codes read once, and the messages the module's message boxes show.
#include "B2FilterGraphError.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(B2FilterGraphErrorTest, StoresTheStepCutTo49CharactersAndHandsTheCodeOutOnce) {
  CB2FilterGraphError error;
  EXPECT_STREQ("", error.GetLastErrorText());
  EXPECT_EQ(0u, error.GetLastErrorCode());

  const std::string longStep(60, 'x');
  error.SetLastError(longStep.c_str(), 0x80004005);
  EXPECT_EQ(longStep.substr(0, 49), error.GetLastErrorText());
  EXPECT_EQ(0x80004005u, error.GetLastErrorCode());
  EXPECT_EQ(0u, error.GetLastErrorCode()) << "reading clears the code";
  EXPECT_EQ(longStep.substr(0, 49), error.GetLastErrorText()) << "the text stays";

  error.SetLastError("Run", CB2FilterGraphError::kNotInitialized);
  EXPECT_STREQ("Run", error.GetLastErrorText());
  error.SetLastError(nullptr, 1);
  EXPECT_STREQ("", error.GetLastErrorText());
}

TEST(B2FilterGraphErrorTest, ExceptionMessageNamesTheStepAndCode) {
  struct Case {
    const char* step;
    DWORD code;
    const char* message;
  } cases[] = {
      {"Create Filter Graph", 0x80040154, "Create Filter Graph failed (#80040154)!"},
      {"Internal Error, initialize", 0x90020001, "Internal Error, initialize failed (#90020001)!"},
      {"", 0x90020003, "B2C2 Filter Graph error #90020003!"},
      {nullptr, 0x1, "B2C2 Filter Graph error #1!"},
  };
  for (const Case& c : cases) {
    CB2FilterGraphException* e = new CB2FilterGraphException(c.step, c.code);
    char message[128] = {};
    EXPECT_TRUE(e->GetErrorMessage(message, sizeof(message)));
    EXPECT_STREQ(c.message, message);
    EXPECT_EQ(c.code, e->GetCode());
    EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
    e->Delete();
  }
}

TEST(B2FilterGraphErrorTest, ExceptionMessageIsCutToTheCallersBuffer) {
  CB2FilterGraphException e("Run", 0x80004005);
  char message[8];
  std::memset(message, '#', sizeof(message));
  EXPECT_TRUE(e.GetErrorMessage(message, sizeof(message)));
  EXPECT_STREQ("Run fai", message);
  EXPECT_FALSE(e.GetErrorMessage(message, 0)) << "no room at all";
}

}  // namespace
