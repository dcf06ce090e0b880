#include "tests/support/test_dir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>

namespace {

std::string TestName() {
  const auto* info = testing::UnitTest::GetInstance()->current_test_info();
  std::string n = info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
  for (char& c : n)
    if (c == '/') c = '_';
  return n;
}

}  // namespace

TestDir::TestDir() {
  const char* base = std::getenv("TMPDIR");
  QDir root(QString::fromLocal8Bit(base && *base ? base : "/tmp"));
  const QString dir = root.filePath(QString("quillon-%1-%2").arg(QString::fromStdString(TestName())).arg(qint64(std::rand())));
  QDir(dir).removeRecursively();
  QDir().mkpath(dir);
  path_ = dir.toStdString() + "/";
}

TestDir::~TestDir() {
  QDir(QString::fromStdString(path_)).removeRecursively();
}

void TestDir::Write(const std::string& file, const std::string& bytes) {
  QDir().mkpath(QFileInfo(QString::fromStdString(file)).path());
  QFile f(QString::fromStdString(file));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << file;
  f.write(bytes.data(), qint64(bytes.size()));
}

std::string TestDir::Read(const std::string& file) {
  QFile f(QString::fromStdString(file));
  if (!f.open(QIODevice::ReadOnly)) return "<missing>";
  const QByteArray d = f.readAll();
  return std::string(d.constData(), size_t(d.size()));
}

void ScratchTest::SetUp() {
  QDir().mkpath(QString::fromStdString(dir_ / "bin"));
  setenv("QUILLON_EXE_PATH", (dir_ / "bin/zunder").c_str(), 1);
  setenv("QUILLON_REGISTRY_DIR", (dir_ / "registry").c_str(), 1);
  setenv("QUILLON_SYSTEM_DIR", (dir_ / "system").c_str(), 1);
}

void ScratchTest::TearDown() {
  unsetenv("QUILLON_EXE_PATH");
  unsetenv("QUILLON_SYSTEM_DIR");
}
