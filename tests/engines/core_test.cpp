#include "platform/engines/core.h"

#include <gtest/gtest.h>
#include <mpv/client.h>

namespace {

TEST(FailureText, NamesTheLocationTheCauseAndTheReason) {
  struct Case {
    std::vector<std::string> log;
    const char* expect;
  };
  const std::vector<Case> cases = {
      {{"HTTP error 404 Not Found\n", "Failed to open http://h/x.\n"},
       "Cannot play \"http://h/x\": Loading failed (HTTP error 404 Not Found)."},
      {{"tcp: Connection refused\n", "Failed to recognize file format.\n"},
       "Cannot play \"http://h/x\": Loading failed (tcp: Connection refused)."},
      {{}, "Cannot play \"http://h/x\": Loading failed."},
      {{"Failed to open http://h/x.\n"}, "Cannot play \"http://h/x\": Loading failed."},
      {{"loading failed\n"}, "Cannot play \"http://h/x\": Loading failed."},
  };
  for (const Case& c : cases)
    EXPECT_EQ(qmpv::FailureText("http://h/x", MPV_ERROR_LOADING_FAILED, c.log).toStdString(), c.expect);
}

TEST(MetadataText, KeepsUtf8AndReadsAnythingElseAsLatin1) {
  EXPECT_EQ(qmpv::MetadataText("Caf\xc3\xa9"), QString::fromUtf8("Caf\xc3\xa9"));
  EXPECT_EQ(qmpv::MetadataText("Caf\xe9"), QString::fromUtf8("Caf\xc3\xa9"));
  EXPECT_EQ(qmpv::MetadataText("\xc3"), QString::fromUtf8("\xc3\x83")) << "a cut-off sequence is no UTF-8";
  EXPECT_EQ(qmpv::MetadataText(nullptr), QString());
}

}  // namespace
