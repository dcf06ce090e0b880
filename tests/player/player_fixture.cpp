#include "tests/player/player_fixture.h"

#include <dlfcn.h>

#include <QAction>
#include <QFile>
#include <stdexcept>

#include "platform/engines/real_audio.h"
#include "platform/engines/wmp_player.h"
#include "platform/registry.h"

ScriptedModule& ScriptedEngines() {
  // Kept loaded: the runtime's own load of the same file shares this one.
  static ScriptedModule* table = [] {
    void* module = dlopen(QUILLON_SCRIPTED_MODULE, RTLD_NOW | RTLD_LOCAL);
    if (!module) throw std::runtime_error(dlerror());
    auto entry = reinterpret_cast<ScriptedModuleEntry>(dlsym(module, kScriptedModuleEntry));
    if (!entry) throw std::runtime_error("the scripted engine module has no table");
    return entry();
  }();
  return *table;
}

void PlayerTest::SetUp() {
  ScratchTest::SetUp();
  engines = ScriptedModule();
  uiScope = std::make_unique<qui::ScopedService>(&ui);
}

void PlayerTest::TearDown() {
  form.reset();
  uiScope.reset();
  // A failure inside a handler of the form reaches the default error report.
  for (const auto& m : ui.messages) ADD_FAILURE() << "error report: " << m.text;
  ScratchTest::TearDown();
}

void PlayerTest::InstallEngines() {
  const struct {
    bool present;
    const char* file;
    CLSID clsid;
  } installs[] = {{engines.realPresent, real::kModuleName, CLSID_RealAudio},
                  {engines.mediaPresent, wmp::kModuleName, CLSID_WindowsMediaPlayer}};
  for (const auto& i : installs) {
    const std::string file = dir_ / "system/" + i.file;
    const std::string key = "CLSID\\" + qcom::FormatGuid(i.clsid);
    if (!i.present) {
      QFile::remove(QString::fromStdString(file));
      qreg::DeleteKey(qreg::Root::ClassesRoot, key);
      continue;
    }
    TestDir::Write(file, "engine");
    auto server = qreg::Key::Open(qreg::Root::ClassesRoot, key + "\\InprocServer32");
    ASSERT_TRUE(server);
    ASSERT_TRUE(server->WriteString("", QUILLON_SCRIPTED_MODULE));
    ASSERT_TRUE(server->WriteString("ThreadingModel", "Apartment"));
  }
}

void PlayerTest::MakeForm() {
  InstallEngines();
  form = std::make_unique<TFormPlayer>();
  form->SetEvents(&events);
  form->SetUp();
  form->resize(408, 287);
  form->show();
  events.Clear();
}

bool PlayerTest::Enabled(const char* name) const {
  if (QObject* o = form->findChild<QObject*>(name)) {
    if (auto* w = qobject_cast<QWidget*>(o)) return w->isEnabled();
    if (auto* a = qobject_cast<QAction*>(o)) return a->isEnabled();
  }
  ADD_FAILURE() << "no component " << name;
  return false;
}

void PlayerTest::ShipBesideExe(const std::string& name) {
  const std::string from = std::string(QUILLON_SOURCE_DIR) + "/data/" + name;
  ASSERT_TRUE(QFile::copy(QString::fromStdString(from), QString::fromStdString(BinDir() + name))) << from;
}
