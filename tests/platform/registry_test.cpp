#include <gtest/gtest.h>

#include "platform/registry.h"
#include "tests/support/test_dir.h"

using qreg::Key;
using qreg::Root;

class RegistryTest : public ScratchTest {};

TEST_F(RegistryTest, ValuesPersistAcrossOpens) {
  {
    auto key = Key::Open(Root::LocalMachine, "SOFTWARE\\Quillon\\Search");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadString("Search0"), "");
    EXPECT_FALSE(key->ValueExists("Search0"));
    ASSERT_TRUE(key->WriteString("Search0", "news"));
    ASSERT_TRUE(key->WriteString("", "default value"));
  }
  auto again = Key::Open(Root::LocalMachine, "SOFTWARE/Quillon/Search/");
  ASSERT_TRUE(again);
  EXPECT_EQ(again->ReadString("Search0"), "news");
  EXPECT_EQ(again->ReadString(""), "default value");
  // The roots are separate stores.
  EXPECT_EQ(Key::Open(Root::ClassesRoot, "SOFTWARE\\Quillon\\Search")->ReadString("Search0"), "");
}

TEST_F(RegistryTest, DeleteKeyTakesItsSubkeys) {
  Key::Open(Root::ClassesRoot, "CLSID\\{1}\\InprocServer32")->WriteString("", "/x.so");
  Key::Open(Root::ClassesRoot, "CLSID\\{2}")->WriteString("", "other");
  ASSERT_TRUE(qreg::DeleteKey(Root::ClassesRoot, "CLSID\\{1}"));
  EXPECT_EQ(Key::Open(Root::ClassesRoot, "CLSID\\{1}\\InprocServer32")->ReadString(""), "");
  EXPECT_EQ(Key::Open(Root::ClassesRoot, "CLSID\\{2}")->ReadString(""), "other");
}

TEST_F(RegistryTest, AStoreThatCannotBeWrittenRefusesTheOpen) {
  TestDir::Write(dir_ / "blocked", "a file where the registry folder should be");
  setenv("QUILLON_REGISTRY_DIR", (dir_ / "blocked").c_str(), 1);
  EXPECT_EQ(Key::Open(Root::LocalMachine, "SOFTWARE\\Quillon"), nullptr);
}
