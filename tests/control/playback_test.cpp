// The whole path as the player window uses it: the host binding, corvane.so and the
// engine modules, all created by class id from the test's own registry, playing a
// test source to the first picture.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/control/form_player_host.h"
#include "platform/ui.h"
#include "tests/support/test_dir.h"

namespace {

constexpr const char* kTestSource = "av://lavfi:testsrc2=size=320x240";
// The control bar's full height, which OnScreenSize counts even while it is hidden.
constexpr int kBar = 38;

class PlaybackTest : public ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    uiScope_ = std::make_unique<qui::ScopedService>(&ui);
    Register(CORVANE_MODULE);
    // The engines are installed: their files in the system directory, their
    // classes registered at the built modules.
    for (const char* engine : {"wmp.so", "rmoc3260.so"}) {
      Register(std::string(QUILLON_BUILD_SYSTEM_DIR) + "/" + engine);
      TestDir::Write(dir_ / "system/" + engine, "installed");
    }
    window = std::make_unique<QWidget>();
    window->resize(408, 335);
  }
  void TearDown() override {
    window.reset();
    for (const auto& m : ui.messages) ADD_FAILURE() << "error report: " << m.text;
    uiScope_.reset();
    ScratchTest::TearDown();
  }

  static void Register(const std::string& module) {
    void* lib = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    auto reg = reinterpret_cast<HRESULT (*)()>(dlsym(lib, "DllRegisterServer"));
    ASSERT_NE(reg, nullptr) << module;
    ASSERT_EQ(reg(), S_OK) << module;
    dlclose(lib);
  }

  bool Posted(const std::string& msg) const { return std::find(msgs.begin(), msgs.end(), msg) != msgs.end(); }

  qui::ScriptedService ui;
  std::unique_ptr<QWidget> window;
  std::vector<std::string> msgs;
  std::vector<std::pair<LONG, std::string>> errors;
  std::vector<std::pair<int, int>> sizes;

 private:
  std::unique_ptr<qui::ScopedService> uiScope_;
};

TEST_F(PlaybackTest, ATestSourcePlaysThroughTheHostTheControlAndTheEngine) {
  auto* FormPlayer = new TFormPlayer(window.get());
  FormPlayer->SetOnChangeMsg([this](QObject*, BSTR msg) { msgs.push_back(qcom::TextFromBstr(msg)); });
  FormPlayer->SetOnError([this](QObject*, LONG id, BSTR text) { errors.emplace_back(id, qcom::TextFromBstr(text)); });
  FormPlayer->SetOnScreenSize([this](QObject*, int x, int y) { sizes.emplace_back(x, y); });

  // As the player window is made and shown.
  FormPlayer->SetLangFileName("langs/Default.lng");
  FormPlayer->SetShowCtrlBar(false);
  EXPECT_EQ(FormPlayer->Volume(), 50);
  FormPlayer->Activate();
  window->show();
  FormPlayer->SetUIStyle(1, "");
  FormPlayer->SetAppName("Quillon");
  FormPlayer->SetAppURL("http://quillon.example/");
  FormPlayer->SetLangFileName("langs/Default.lng");
  EXPECT_EQ(msgs.front(), "Ferrowin") << "the control set itself up when it was bound";

  msgs.clear();
  FormPlayer->StartPlay(kTestSource);
  ASSERT_GE(msgs.size(), 2u);
  EXPECT_EQ(msgs[0], "Stopped");
  EXPECT_EQ(msgs[1], "Opening ...") << "posted before StartPlay returned";
  ASSERT_TRUE(QTest::qWaitFor([&] { return Posted("Playing ...") && !sizes.empty(); }, 30000))
      << "last status: " << (msgs.empty() ? "" : msgs.back());
  EXPECT_TRUE(errors.empty()) << errors.front().second;
  EXPECT_EQ(sizes.front(), std::make_pair(320, 240 + kBar));

  FormPlayer->SetSize(2);
  EXPECT_EQ(sizes.back(), std::make_pair(640, 480 + kBar));
  FormPlayer->Stop();
  EXPECT_EQ(msgs.back(), "Stopped");
  FormPlayer->UnInit();
  delete FormPlayer;
  EXPECT_TRUE(window->findChildren<QWidget*>().isEmpty()) << "the control took its form along";
}

}  // namespace
