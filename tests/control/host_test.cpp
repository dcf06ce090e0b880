// The host binding over the fake player control: how the host creates, binds and
// activates the control, the forms its calls take, and which events reach which
// handler.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/control/form_player_host.h"
#include "platform/registry.h"
#include "platform/ui.h"
#include "tests/control/fake_player.h"
#include "tests/support/test_dir.h"

namespace {

using Lines = std::vector<std::string>;

class HostTest : public ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    uiScope_ = std::make_unique<qui::ScopedService>(&ui);
    // Held for the whole test, so the record survives the runtime letting it go.
    lib_ = dlopen(FAKE_PLAYER_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_TRUE(lib_) << dlerror();
    start_ = reinterpret_cast<FakeStartFn>(dlsym(lib_, kFakeStart));
    calls_ = reinterpret_cast<FakeCallsFn>(dlsym(lib_, kFakeCalls));
    raise_ = reinterpret_cast<FakeRaiseFn>(dlsym(lib_, kFakeRaise));
    ASSERT_TRUE(start_ && calls_ && raise_);
    start_(kFakeNormal);
    RegisterAt(FAKE_PLAYER_MODULE);
    window = std::make_unique<QWidget>();
    window->resize(408, 335);
  }
  void TearDown() override {
    window.reset();
    CoFreeUnusedLibraries();
    EXPECT_TRUE(qcom::LoadedModules().empty()) << "the host kept a reference to the control";
    if (lib_) dlclose(lib_);
    uiScope_.reset();
    ScratchTest::TearDown();
  }

  static void RegisterAt(const std::string& module) {
    auto key = qreg::Key::Open(qreg::Root::ClassesRoot,
                               "CLSID\\" + qcom::FormatGuid(CLSID_FormPlayer) + "\\InprocServer32");
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->WriteString("", module));
  }
  static void Unregister() {
    qreg::DeleteKey(qreg::Root::ClassesRoot, "CLSID\\" + qcom::FormatGuid(CLSID_FormPlayer));
  }

  // The fake's record since the test began, without the stored state it loaded.
  Lines Calls(bool withLoad = false) const {
    Lines lines;
    std::istringstream in(calls_());
    for (std::string line; std::getline(in, line);)
      if (withLoad || !line.starts_with("Load ")) lines.push_back(line);
    return lines;
  }
  LONG Raise(DISPID id, LONG n = 0, LONG m = 0, const char* text = "", int args = -1) const {
    return raise_(id, n, m, text, args);
  }

  // Binds every handler slot to a recorder of what it heard.
  void BindAll(TFormPlayer* host) {
    auto note = [this, host](const char* name) {
      return [this, host, name](QObject* sender) {
        EXPECT_EQ(sender, host) << name;
        heard.push_back(name);
      };
    };
    host->SetOnActivate(note("OnActivate"));
    host->SetOnClick(note("OnClick"));
    host->SetOnCreate(note("OnCreate"));
    host->SetOnDblClick(note("OnDblClick"));
    host->SetOnDestroy(note("OnDestroy"));
    host->SetOnDeactivate(note("OnDeactivate"));
    host->SetOnPaint(note("OnPaint"));
    host->SetOnScreenC(note("OnScreenC"));
    host->SetOnKeyPress([this](QObject*, SHORT* key) {
      heard.push_back("OnKeyPress " + std::to_string(*key));
      *key = 'b';
    });
    BindPlayerWindowHandlers(host);
  }
  // The three the player window binds.
  void BindPlayerWindowHandlers(TFormPlayer* host) {
    host->SetOnError([this](QObject*, LONG id, BSTR text) {
      heard.push_back("OnError " + std::to_string(id) + " " + qcom::TextFromBstr(text));
    });
    host->SetOnChangeMsg([this](QObject*, BSTR msg) { heard.push_back("OnChangeMsg " + qcom::TextFromBstr(msg)); });
    host->SetOnScreenSize([this](QObject*, int x, int y) {
      heard.push_back("OnScreenSize " + std::to_string(x) + " " + std::to_string(y));
    });
  }

  qui::ScriptedService ui;
  std::unique_ptr<QWidget> window;
  Lines heard;

 private:
  std::unique_ptr<qui::ScopedService> uiScope_;
  void* lib_ = nullptr;
  FakeStartFn start_ = nullptr;
  FakeCallsFn calls_ = nullptr;
  FakeRaiseFn raise_ = nullptr;

 protected:
  void Start(FakeMode mode) { start_(mode); }
};

TEST_F(HostTest, TheControlIsBoundOnFirstUseWithTheStoredState) {
  auto* host = new TFormPlayer(window.get());
  EXPECT_EQ(host->parentWidget(), window.get());
  EXPECT_EQ(host->geometry(), QRect(0, 20, 408, 287));
  EXPECT_EQ(Calls(true), Lines{}) << "created and sited, not yet bound";

  BindAll(host);
  EXPECT_EQ(host->Volume(), 50);
  EXPECT_EQ(heard, Lines{"OnCreate"}) << "binding connects the sink, and the control says it was created";
  EXPECT_EQ(Calls(true), (Lines{"Load Left=0", "Load Top=20", "Load Width=408", "Load Height=287", "Load Cursor=-11",
                                "Load ActiveControl=imgbtnRight", "Load AxBorderStyle=0", "Load Caption=FormPlayer",
                                "Load Color=0x8000000F", "Load Font.Name=MS Sans Serif", "Load Font.Height=-11",
                                "Load PixelsPerInch=96", "get Volume"}));

  host->SetVolume(60);
  host->Stop();
  host->Activate();
  EXPECT_EQ(heard, Lines{"OnCreate"}) << "bound once";
  EXPECT_EQ(Calls(), (Lines{"get Volume", "put Volume 60", "Stop"}));

  auto* fresh = new TFormPlayer(window.get(), {});
  fresh->Pause();
  EXPECT_EQ(Calls().back(), "Pause");
  EXPECT_EQ(Calls(true).at(Calls(true).size() - 2), "InitNew") << "no stored state: the control starts new";
}

TEST_F(HostTest, MethodsGoThroughTheVtableWithTheirArgumentForms) {
  auto* host = new TFormPlayer(window.get());
  // The fake fails every method: the host drops the results.
  host->StartPlay("");
  host->StartPlay("http://host/live stream");
  host->Mute(true);
  host->Mute(false);
  host->SetSize(4);
  host->ShowCtrBar(true);
  host->ShowCtrBar(false);
  host->Stop();
  host->Pause();
  host->SetUIStyle(3, "");
  host->SetUIStyle(-1, "/skins/blue.sui");
  host->UnInit();
  host->SetLangFile("langs/Default.lng");
  EXPECT_EQ(Calls(), (Lines{"StartPlay \"\"", "StartPlay \"http://host/live stream\"", "Mute 1", "Mute 0", "SetSize 4",
                            "ShowCtrBar 1", "ShowCtrBar 0", "Stop", "Pause", "SetUIStyle 3 \"\"",
                            "SetUIStyle -1 \"/skins/blue.sui\"", "UnInit", "SetLangFile \"langs/Default.lng\""}));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(HostTest, PropertiesGoThroughDispatchAndFailWithTheControlsDescription) {
  auto* host = new TFormPlayer(window.get());
  host->SetVolume(70);
  EXPECT_EQ(host->Volume(), 70);
  host->SetShowCtrlBar(false);
  EXPECT_FALSE(host->ShowCtrlBar());
  host->SetLangFileName("langs/Français.lng");
  EXPECT_EQ(host->LangFileName(), "langs/Français.lng");
  host->SetAppName("Quillon");
  EXPECT_EQ(host->AppName(), "Quillon");
  host->SetAppURL("http://quillon.example/");
  EXPECT_EQ(host->AppURL(), "http://quillon.example/");
  EXPECT_EQ(Calls(), (Lines{"put Volume 70", "get Volume", "put ShowCtrlBar bool 0", "get ShowCtrlBar",
                            "put LangFileName \"langs/Français.lng\"", "get LangFileName", "put AppName \"Quillon\"",
                            "get AppName", "put AppURL \"http://quillon.example/\"", "get AppURL"}));

  try {
    host->SetVolume(kFakeRefusedVolume);
    FAIL() << "a refused put passed";
  } catch (const qcom::ComError& e) {
    EXPECT_STREQ(e.what(), kFakeRefusal);
  }
  EXPECT_EQ(host->Volume(), 70) << "the control stays usable";
}

TEST_F(HostTest, EventsReachTheirTypedHandlersWithTheSenderAndArguments) {
  auto* host = new TFormPlayer(window.get());
  BindAll(host);
  host->Activate();
  heard.clear();

  struct Case {
    DISPID id;
    LONG n, m;
    const char* text;
    const char* heard;
  } cases[] = {
      {1, 0, 0, "", "OnActivate"},
      {2, 0, 0, "", "OnClick"},
      {3, 0, 0, "", "OnCreate"},
      {5, 0, 0, "", "OnDblClick"},
      {6, 0, 0, "", "OnDestroy"},
      {7, 0, 0, "", "OnDeactivate"},
      {11, 'a', 0, "", "OnKeyPress 97"},
      {16, 0, 0, "", "OnPaint"},
      {9, 2, 0, "No engine at all", "OnError 2 No engine at all"},
      {4, 0, 0, "Lecture élevée ...", "OnChangeMsg Lecture élevée ..."},
      {4, 0, 0, "", "OnChangeMsg "},
      {8, 640, 518, "", "OnScreenSize 640 518"},
      {10, 0, 0, "", "OnScreenC"},
  };
  for (const Case& c : cases) {
    heard.clear();
    Raise(c.id, c.n, c.m, c.text);
    EXPECT_EQ(heard, Lines{c.heard}) << c.id;
  }
  EXPECT_EQ(Raise(corvane::kEventOnKeyPress, 'q'), 'b') << "the key the handler leaves replaces the one pressed";
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(HostTest, EventsOutsideTheTableOrOfAnUnboundSlotChangeNothing) {
  auto* host = new TFormPlayer(window.get());
  BindPlayerWindowHandlers(host);
  host->Activate();
  QSignalSpy standard(host, &TFormPlayer::StandardEvent);
  const QRect place = host->geometry();
  heard.clear();

  for (DISPID id : {0, 12, 13, 17, 99, -1, -599, -608, 1, 2, 3, 5, 6, 7, 10, 16}) Raise(id);
  EXPECT_EQ(Raise(corvane::kEventOnKeyPress, 'q'), 'q') << "an unbound OnKeyPress leaves the key alone";
  // Events that do not carry what their declaration says.
  Raise(corvane::kEventOnError, 0, 0, "", 0);
  Raise(corvane::kEventOnChangeMsg, 0, 0, "", 1);
  Raise(corvane::kEventOnScreenSize, 0, 0, "", 1);
  EXPECT_EQ(heard, Lines{});
  EXPECT_EQ(standard.count(), 0);
  EXPECT_EQ(host->geometry(), place);
  EXPECT_TRUE(ui.messages.empty());

  for (DISPID id = -607; id <= -600; ++id) Raise(id);
  ASSERT_EQ(standard.count(), 8) << "the standard mouse and keyboard events are the widget's own";
  EXPECT_EQ(standard.first().at(0).toInt(), -607);
  EXPECT_EQ(heard, Lines{});
}

TEST_F(HostTest, AFailingHandlerReachesTheDefaultErrorReportAndTheNextEventStillArrives) {
  auto* host = new TFormPlayer(window.get());
  BindPlayerWindowHandlers(host);
  host->SetOnChangeMsg([](QObject*, BSTR) { throw std::runtime_error("The status label is gone."); });
  host->Activate();
  Raise(corvane::kEventOnChangeMsg, 0, 0, "Opening ...");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "The status label is gone.");
  Raise(corvane::kEventOnError, 3, 0, "Open the media file failed!");
  EXPECT_EQ(heard, Lines{"OnError 3 Open the media file failed!"});
}

TEST_F(HostTest, ActivationPutsTheControlIntoTheWidgetAndKeepsItFilled) {
  auto* host = new TFormPlayer(window.get());
  EXPECT_EQ(host->ControlWidget(), nullptr);
  BindAll(host);
  host->Activate();
  QWidget* control = host->ControlWidget();
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->parentWidget(), host);
  EXPECT_EQ(control->geometry(), QRect(0, 0, 408, 287));
  EXPECT_EQ(heard, Lines{"OnCreate"}) << "activation binds first";
  window->show();
  host->resize(640, 480);
  EXPECT_EQ(control->geometry(), QRect(0, 0, 640, 480));

  auto* shownOnly = new TFormPlayer(window.get());
  shownOnly->show();
  ASSERT_NE(shownOnly->ControlWidget(), nullptr) << "showing activates a control nobody activated";
  EXPECT_EQ(shownOnly->ControlWidget()->parentWidget(), shownOnly);
  delete shownOnly;
  EXPECT_EQ(window->findChildren<TFormPlayer*>().size(), 1);
}

TEST_F(HostTest, AControlThatCannotBeCreatedFailsTheConstructionWithTheSystemText) {
  const std::string notAModule = dir_ / "bin/corvane.so";
  TestDir::Write(notAModule, "not a module");
  struct Case {
    std::string module;  // "" for no registration at all
    std::string text;
  } cases[] = {
      {"", "Class not registered"},
      {dir_ / "bin/missing.so", qcom::ErrorText(HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND))},
      {notAModule, qcom::ErrorText(HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT))},
  };
  for (const Case& c : cases) {
    if (c.module.empty())
      Unregister();
    else
      RegisterAt(c.module);
    ui.messages.clear();
    // As the play command runs it: twice, each attempt on its own.
    for (int attempt = 0; attempt < 2; ++attempt) {
      EXPECT_FALSE(qui::Guard([&] { new TFormPlayer(window.get()); }));
      EXPECT_TRUE(window->findChildren<QObject*>().isEmpty()) << c.text << ": something of the host stayed";
    }
    ASSERT_EQ(ui.messages.size(), 2u) << c.text;
    EXPECT_EQ(ui.messages[0].text, c.text);
    EXPECT_EQ(ui.messages[1].text, c.text);
  }
}

TEST_F(HostTest, AControlWithoutIFormPlayerFailsItsMethodsButNotItsProperties) {
  Start(kFakeNoFormPlayer);
  auto* host = new TFormPlayer(window.get());
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      host->StartPlay("http://host/a.asf");
      FAIL() << "a method reached a control without IFormPlayer";
    } catch (const qcom::ComError& e) {
      EXPECT_EQ(e.code(), E_NOINTERFACE);
      EXPECT_EQ(e.what(), qcom::ErrorText(E_NOINTERFACE));
    }
  }
  EXPECT_EQ(host->Volume(), 50);
  EXPECT_EQ(Calls(), Lines{"get Volume"});
}

TEST_F(HostTest, AFailedBindingIsReportedAtEveryUseAndNeverRetried) {
  Start(kFakeNoEvents);
  auto* host = new TFormPlayer(window.get());
  std::vector<std::string> failures;
  for (auto use : std::vector<std::function<void()>>{[&] { host->Volume(); }, [&] { host->Stop(); },
                                                      [&] { host->Activate(); }}) {
    try {
      use();
      ADD_FAILURE() << "a control without its event point was bound";
    } catch (const qcom::ComError& e) {
      failures.push_back(e.what());
    }
  }
  const std::string text = qcom::ErrorText(CONNECT_E_NOCONNECTION);
  EXPECT_EQ(failures, (Lines{text, text, text}));
  int loads = 0;
  for (const std::string& line : Calls(true)) loads += line.starts_with("Load Left=");
  EXPECT_EQ(loads, 1) << "the state went in once";
  EXPECT_EQ(host->ControlWidget(), nullptr);
}

}  // namespace
