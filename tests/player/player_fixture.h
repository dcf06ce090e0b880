#pragma once
// A player control form over the scripted engine module, registered under both engines'
// class ids in the test's own registry, shown offscreen, with its host's events and the
// default error report recorded.
#include <gtest/gtest.h>

#include <QWidget>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui.h"
#include "player/form_player.h"
#include "tests/player/scripted_module.h"
#include "tests/support/test_dir.h"

// What the host hears, in order.
class Recorder : public FormPlayerEvents {
 public:
  void OnChangeMsg(const std::string& msg) override {
    msgs.push_back(msg);
    log.push_back("msg " + msg);
  }
  void OnError(int id, const std::string& text) override {
    errors.emplace_back(id, text);
    log.push_back("error " + std::to_string(id));
  }
  void OnScreenSize(int x, int y) override {
    sizes.emplace_back(x, y);
    log.push_back("size " + std::to_string(x) + "x" + std::to_string(y));
  }
  void Clear() {
    msgs.clear();
    errors.clear();
    sizes.clear();
    log.clear();
  }
  std::vector<int> ErrorIds() const {
    std::vector<int> ids;
    for (const auto& e : errors) ids.push_back(e.first);
    return ids;
  }

  std::vector<std::string> msgs;
  std::vector<std::pair<int, std::string>> errors;
  std::vector<std::pair<int, int>> sizes;
  std::vector<std::string> log;
};

// The scripted engine module, loaded once for the process; its table is reset by
// every test.
ScriptedModule& ScriptedEngines();

class PlayerTest : public ScratchTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A form of its own, connected, set up and shown at 408 x 287, over the engines the
  // table says are installed.
  void MakeForm();
  // Puts the engines the table says are installed into the system directory and the
  // registry, and takes the others out.
  void InstallEngines();
  template <class T = QWidget>
  T* Child(const char* name) const {
    T* c = form->findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  QWidget* Widget(const char* name) const { return Child<QWidget>(name); }
  bool Enabled(const char* name) const;
  // Copies a shipped file beside the scratch executable.
  void ShipBesideExe(const std::string& name);

  qui::ScriptedService ui;
  std::unique_ptr<qui::ScopedService> uiScope;
  ScriptedModule& engines = ScriptedEngines();
  Recorder events;
  std::unique_ptr<TFormPlayer> form;
  int barHeight = 38;
};
