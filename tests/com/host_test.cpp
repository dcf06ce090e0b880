#include <gtest/gtest.h>

#include <QWidget>
#include <memory>

#include "tests/com/com_fixture.h"

namespace {

class HostTest : public ComTest {
 protected:
  void SetUp() override {
    ComTest::SetUp();
    RegisterPlayer();
  }
  struct Heard {
    DISPID id;
    LONG value;
  };
  // Records the events; answers a key press with 'x'.
  qcom::ControlHost::EventHandler Recorder() {
    return [this](DISPID id, const qcom::DispArgs& args) {
      if (id == kEventKeyPress) {
        heard_.push_back({id, *args.ShortRef(0)});
        *args.ShortRef(0) = 'x';
      } else {
        heard_.push_back({id, args.Long(0)});
      }
    };
  }
  std::vector<Heard> heard_;
};

TEST_F(HostTest, HostCreatesBindsActivatesAndCallsTheControl) {
  QWidget window;
  window.resize(500, 400);
  std::vector<DISPID> changed;
  {
    qcom::ControlHost host(CLSID_TestPlayer, DIID_ITestPlayerEvents);
    EXPECT_EQ(host.MiscStatus(), kTestMiscStatus);
    host.Bind({{"Caption", "FormPlayer"}, {"Title", "Stored title"}}, Recorder(),
              [&](DISPID id) { changed.push_back(id); });
    EXPECT_EQ(host.Get(kDispTitle).ToText(), "Stored title") << "the stored state reached the control";

    QWidget* w = host.Activate(&window, QRect(0, 20, 408, 287));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->parentWidget(), &window);
    EXPECT_EQ(w->geometry(), QRect(0, 20, 408, 287));
    EXPECT_FALSE(w->isHidden());

    qcom::ComPtr<ITestPlayer> player = host.Query<ITestPlayer>();
    ASSERT_TRUE(player);
    player->Add(4);
    SHORT key = 0;
    player->PressKey('a', &key);
    EXPECT_EQ(key, 'x');
    host.Put(kDispTotal, qcom::Variant::I4(50));
    EXPECT_EQ(host.Get(kDispTotal).ToLong(), 50);
    host.Put(kDispTitle, qcom::Variant::Text("News"));
    EXPECT_EQ(host.Call(kDispPressKey, {qcom::Variant::I2('b')}).ToLong(), 'x');
  }
  ASSERT_EQ(heard_.size(), 3u);
  EXPECT_EQ(heard_[0].id, kEventTotal);
  EXPECT_EQ(heard_[0].value, 4);
  EXPECT_EQ(heard_[1].id, kEventKeyPress);
  EXPECT_EQ(heard_[1].value, 'a');
  EXPECT_EQ(heard_[2].value, 'b');
  EXPECT_EQ(changed, std::vector<DISPID>{kDispTitle});
  EXPECT_TRUE(window.findChildren<QWidget*>().isEmpty()) << "the control took its widget along";
}

TEST_F(HostTest, WithoutStoredStateTheControlStartsNew) {
  qcom::ControlHost host(CLSID_TestPlayer, DIID_ITestPlayerEvents);
  host.Bind({}, Recorder());
  EXPECT_EQ(host.Get(kDispTitle).ToText(), "");
  EXPECT_EQ(host.widget(), nullptr) << "not active yet";
}

TEST_F(HostTest, FailuresCarryTheTextTheUserSees) {
  try {
    qcom::ControlHost host(qcom::Guid("{0B0E2A51-7C3D-4F6E-8A9B-0C1D2E3F4A5B}"), DIID_ITestPlayerEvents);
    FAIL() << "an unregistered class was created";
  } catch (const qcom::ComError& e) {
    EXPECT_EQ(e.code(), REGDB_E_CLASSNOTREG);
    EXPECT_STREQ(e.what(), "Class not registered");
  }
  qcom::ControlHost host(CLSID_TestPlayer, DIID_ITestPlayerEvents);
  host.Bind({}, Recorder());
  struct Case {
    std::function<void()> call;
    const char* text;
  } cases[] = {
      {[&] { host.Call(kDispFail); }, kFailText},
      {[&] { host.Get(77); }, "Member not found."},
      {[&] { host.Put(kDispTotal, qcom::Variant::Text("many")); }, "Type mismatch."},
  };
  for (const Case& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << c.text;
    } catch (const qcom::ComError& e) {
      EXPECT_STREQ(e.what(), c.text);
    }
  }
}

TEST_F(HostTest, AWindowThatGoesFirstTakesTheWidgetWithoutHarm) {
  auto window = std::make_unique<QWidget>();
  qcom::ControlHost host(CLSID_TestPlayer, DIID_ITestPlayerEvents);
  host.Bind({}, Recorder());
  ASSERT_NE(host.Activate(window.get(), QRect(0, 0, 100, 100)), nullptr);
  window.reset();
  EXPECT_EQ(host.widget(), nullptr);
  host.Query<ITestPlayer>()->Add(1);
  EXPECT_EQ(heard_.size(), 1u) << "the control lives on without its widget";
}

}  // namespace
