#include <gtest/gtest.h>

#include "platform/paths.h"
#include "tests/support/test_dir.h"

class PathsTest : public ScratchTest {};

TEST_F(PathsTest, FoldersFollowTheExecutable) {
  EXPECT_EQ(qpaths::ExePath(), dir_ / "bin/zunder");
  EXPECT_EQ(qpaths::ExeDir(), dir_ / "bin/");
  EXPECT_EQ(qpaths::SystemDir(), dir_ / "system/");
  unsetenv("QUILLON_SYSTEM_DIR");
  unsetenv("QUILLON_WINDOWS_DIR");
  EXPECT_EQ(qpaths::SystemDir(), dir_ / "lib/quillon/system/");
  EXPECT_EQ(qpaths::WindowsDir(), dir_ / "share/quillon/");
  TestDir::Write(dir_ / "CMakeCache.txt", "");  // a build tree
  EXPECT_EQ(qpaths::SystemDir(), dir_ / "system/");
}

TEST(Paths, PartsOfAPath) {
  EXPECT_EQ(qpaths::DirPart("/a/b/c.lng"), "/a/b/");
  EXPECT_EQ(qpaths::DirPart("c.lng"), "");
  EXPECT_EQ(qpaths::NamePart("/a/b/c.lng"), "c.lng");
  EXPECT_EQ(qpaths::NamePart("/a/b/"), "");
}
