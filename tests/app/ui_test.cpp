#include <gtest/gtest.h>

#include <QAction>
#include <stdexcept>

#include "platform/shell.h"
#include "platform/ui.h"

TEST(Guard, ShowsTheErrorTextAndEndsOnlyTheCommand) {
  qui::ScriptedService script;
  qui::ScopedService use(&script);
  qui::SetAppTitle("Quillon");
  int after = 0;
  EXPECT_FALSE(qui::Guard([&] {
    throw std::runtime_error("Cannot create file /x/libs/favorites.lib.tmp");
    ++after;
  }));
  EXPECT_EQ(after, 0);
  ASSERT_EQ(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "Cannot create file /x/libs/favorites.lib.tmp");
  EXPECT_EQ(script.messages[0].caption, "Quillon");
  EXPECT_EQ(script.messages[0].icon, qui::Icon::Error);
  EXPECT_EQ(script.messages[0].buttons, qui::Buttons::Ok);

  // Whatever is thrown, the report has a text and the next command runs.
  EXPECT_FALSE(qui::Guard([] { throw 42; }));
  ASSERT_EQ(script.messages.size(), 2u);
  EXPECT_FALSE(script.messages[1].text.empty());
  EXPECT_TRUE(qui::Guard([&] { ++after; }));
  EXPECT_EQ(after, 1);
  EXPECT_EQ(script.messages.size(), 2u);
}

TEST(OnCommand, HandlersRunGuardedWithOrWithoutTheSignalsArguments) {
  qui::ScriptedService script;
  qui::ScopedService use(&script);
  QObject context;
  QAction action(nullptr);
  action.setCheckable(true);
  std::vector<bool> seen;
  qui::OnCommand(&action, &QAction::triggered, &context, [&](bool checked) { seen.push_back(checked); });
  qui::OnCommand(&action, &QAction::triggered, &context, [] { throw std::runtime_error("broken command"); });
  action.trigger();
  action.trigger();
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
  ASSERT_EQ(script.messages.size(), 2u);
  EXPECT_EQ(script.messages[1].text, "broken command");
}

TEST(ScriptedService, AnswersFromItsQueueAndRecordsWhatWasAsked) {
  qui::ScriptedService script;
  script.answers = {qui::Answer::Cancel};
  script.files = {std::string("/media/clip.mkv")};
  {
    qui::ScopedService use(&script);
    EXPECT_EQ(qui::MessageBox(nullptr, "Engine missing", "Error", qui::Icon::Error, qui::Buttons::OkCancel),
              qui::Answer::Cancel);
    // A dry queue presses the default button.
    EXPECT_EQ(qui::MessageBox(nullptr, "Again", "Error", qui::Icon::Error, qui::Buttons::OkCancel), qui::Answer::Ok);
    EXPECT_EQ(qui::MessageBox(nullptr, "Sure?", "Quillon", qui::Icon::Question, qui::Buttons::YesNo), qui::Answer::Yes);
    EXPECT_EQ(qui::OpenFile(nullptr, {"Open", "/media", ""}), std::optional<std::string>("/media/clip.mkv"));
    EXPECT_EQ(qui::OpenFile(nullptr), std::nullopt);
    qui::Beep();
    qui::Beep();
  }
  EXPECT_NE(&qui::Current(), &script);
  ASSERT_EQ(script.messages.size(), 3u);
  EXPECT_EQ(script.messages[0].text, "Engine missing");
  EXPECT_EQ(script.messages[2].buttons, qui::Buttons::YesNo);
  ASSERT_EQ(script.fileRequests.size(), 2u);
  EXPECT_EQ(script.fileRequests[0].folder, "/media");
  EXPECT_EQ(script.beeps, 2);
}

TEST(ScopedService, NestsAndRestoresTheOneBefore) {
  qui::ScriptedService outer, inner;
  qui::ScopedService a(&outer);
  {
    qui::ScopedService b(&inner);
    qui::Beep();
  }
  qui::Beep();
  EXPECT_EQ(inner.beeps, 1);
  EXPECT_EQ(outer.beeps, 1);
}

TEST(Shell, RecorderStandsInForTheDesktop) {
  qshell::Recorder recorder;
  recorder.result = false;
  {
    qshell::ScopedOpener use(&recorder);
    EXPECT_FALSE(qshell::Open("http://www.quillon.test/faq.htm"));
    EXPECT_FALSE(qshell::Open("http://www.quillon.test/download.htm#wmp"));
  }
  EXPECT_EQ(recorder.opened,
            (std::vector<std::string>{"http://www.quillon.test/faq.htm", "http://www.quillon.test/download.htm#wmp"}));
  // Without an address the desktop is not asked at all.
  EXPECT_FALSE(qshell::Open(""));
}
