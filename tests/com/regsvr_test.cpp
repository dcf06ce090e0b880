#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>

#include "tests/com/com_fixture.h"

namespace {

struct Outcome {
  int exitCode;
  std::string out;
  std::string err;
};

Outcome Regsvr(const QStringList& args) {
  QProcess p;
  p.start(QCOM_REGSVR, args);
  EXPECT_TRUE(p.waitForFinished(60000));
  return {p.exitCode(), p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

using RegsvrTest = ComTest;

const char* kServerKey = "CLSID\\{6A1C2E3F-5B4D-4E8A-9C7B-1D2E3F4A5B6C}\\InprocServer32";

TEST_F(RegsvrTest, RegistersAndUnregistersAModule) {
  Outcome r = Regsvr({QCOM_TEST_PLAYER});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("DllRegisterServer in"), std::string::npos) << r.out;
  EXPECT_EQ(ClassesValue(kServerKey), QFileInfo(QCOM_TEST_PLAYER).absoluteFilePath().toStdString());
  qcom::ComPtr<ITestPlayer> player = CreatePlayer();
  EXPECT_TRUE(player);
  player.reset();

  r = Regsvr({"-u", QCOM_TEST_PLAYER});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("DllUnregisterServer in"), std::string::npos) << r.out;
  EXPECT_EQ(ClassesValue(kServerKey), "");
}

TEST_F(RegsvrTest, FailuresSayWhatWentWrongAndExitNonZero) {
  TestDir::Write(dir_ / "blocked", "a file where the registry folder should be");
  struct Case {
    QStringList args;
    bool blockRegistry;
    int exitCode;
    const char* says;
  } cases[] = {
      {{}, false, 1, "Usage: regsvr [-u] MODULE"},
      {{"-x", QCOM_TEST_PLAYER}, false, 1, "Usage"},
      {{QString::fromStdString(dir_ / "gone.so")}, false, 3, "The specified module could not be found."},
      {{QCOM_NO_FACTORY}, false, 4, "the entry-point DllRegisterServer was not found"},
      {{QCOM_TEST_PLAYER}, true, 5, "Access is denied."},
  };
  for (const Case& c : cases) {
    if (c.blockRegistry) setenv("QUILLON_REGISTRY_DIR", (dir_ / "blocked").c_str(), 1);
    const Outcome r = Regsvr(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.says;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
}

}  // namespace
