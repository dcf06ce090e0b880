#include "tests/app/player_fixture.h"

#include <dlfcn.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTest>

#include "app/frm_play.h"
#include "platform/com/types.h"
#include "platform/registry.h"
#include "skin/controls.h"

namespace {

// Registering a module rewrites the registry once a value, so the three modules are
// registered once, into a folder of this process, and each test takes a copy.
class RegisteredModules {
 public:
  RegisteredModules() : dir_(QDir::tempPath() + QString("/quillon-player-registry-%1").arg(getpid())) {
    QDir(dir_).removeRecursively();
    const std::string before = qreg::StoreDir();
    setenv("QUILLON_REGISTRY_DIR", dir_.toLocal8Bit().constData(), 1);
    for (const std::string& module : {std::string(CORVANE_MODULE), std::string(QUILLON_BUILD_SYSTEM_DIR) + "/wmp.so",
                                      std::string(QUILLON_BUILD_SYSTEM_DIR) + "/rmoc3260.so"})
      failure_ += Register(module);
    setenv("QUILLON_REGISTRY_DIR", before.c_str(), 1);
  }
  ~RegisteredModules() { QDir(dir_).removeRecursively(); }

  // "" when every module registered.
  const std::string& Failure() const { return failure_; }

  void CopyTo(const std::string& registry) const {
    QDir().mkpath(QString::fromStdString(registry));
    for (const QString& file : QDir(dir_).entryList(QDir::Files))
      QFile::copy(dir_ + "/" + file, QString::fromStdString(registry) + "/" + file);
  }

 private:
  static std::string Register(const std::string& module) {
    void* lib = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!lib) return std::string(dlerror()) + "\n";
    auto reg = reinterpret_cast<HRESULT (*)()>(dlsym(lib, "DllRegisterServer"));
    const HRESULT hr = reg ? reg() : -1;
    dlclose(lib);
    return hr == 0 ? "" : "cannot register " + module + "\n";
  }

  QString dir_;
  std::string failure_;
};

const RegisteredModules& Modules() {
  static const RegisteredModules modules;
  return modules;
}

}  // namespace

void PlayerTest::SetUp() {
  MainWindowTest::SetUp();
  opener_ = std::make_unique<qshell::ScopedOpener>(&shell);
  ASSERT_EQ(Modules().Failure(), "");
  Modules().CopyTo(dir_ / "registry");
}

void PlayerTest::TearDown() {
  MainWindowTest::TearDown();
  opener_.reset();
}

void PlayerTest::InstallEngines() {
  for (const char* engine : {"wmp.so", "rmoc3260.so"}) TestDir::Write(dir_ / "system/" + engine, "installed");
}

void PlayerTest::UnregisterControl() {
  ASSERT_TRUE(qreg::DeleteKey(qreg::Root::ClassesRoot, "CLSID\\{18E6ED0D-08D1-4ED5-8771-E72B4E6EFFD8}"));
}

bool PlayerTest::WaitFor(const std::function<bool()>& done, int ms) { return QTest::qWaitFor(done, ms); }

bool PlayerTest::WaitPlaying(const TfrmPlay& window) {
  return WaitFor([&] { return window.lblMsg->text() == "Playing ..."; });
}

std::vector<std::string> PlayerTest::Texts() const {
  std::vector<std::string> texts;
  for (const auto& m : script.messages) texts.push_back(m.text);
  return texts;
}
