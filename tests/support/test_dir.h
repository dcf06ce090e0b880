#pragma once
// A fresh scratch folder for one test, standing in for the installation: the
// executable's path, the registry folder and the system folder all point inside it.
#include <gtest/gtest.h>

#include <string>

class TestDir {
 public:
  TestDir();
  ~TestDir();
  // The folder, with a trailing '/'.
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

  // Writes and reads whole files.
  static void Write(const std::string& file, const std::string& bytes);
  static std::string Read(const std::string& file);

 private:
  std::string path_;
};

// Gives the test its own TestDir and points QUILLON_EXE_PATH at <dir>/bin/zunder,
// QUILLON_REGISTRY_DIR at <dir>/registry and QUILLON_SYSTEM_DIR at <dir>/system.
class ScratchTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string BinDir() const { return dir_ / "bin/"; }
  TestDir dir_;
};
