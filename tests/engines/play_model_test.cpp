#include "platform/engines/play_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using qmpv::Phase;
using qmpv::PlayModel;

struct Step {
  const char* what;
  std::function<void(PlayModel&)> act;
  Phase expect;
};

struct Case {
  const char* name;
  std::vector<Step> steps;
};

const auto Load = [](PlayModel& m) { m.LoadRequested(); };
const auto Stop = [](PlayModel& m) { m.StopRequested(); };
auto Start(int64_t entry) { return [entry](PlayModel& m) { m.FileStarted(entry); }; }
auto End(int64_t entry) { return [entry](PlayModel& m) { m.FileEnded(entry); }; }
const auto Loaded = [](PlayModel& m) { m.FileLoaded(); };
const auto Restart = [](PlayModel& m) { m.PlaybackRestarted(); };
auto Pause(bool on) { return [on](PlayModel& m) { m.SetPaused(on); }; }
auto Cache(bool on) { return [on](PlayModel& m) { m.SetPausedForCache(on); }; }

TEST(PlayModel, PhasesFollowWhatThePlayerReports) {
  const std::vector<Case> cases = {
      {"open to playing to end",
       {{"load", Load, Phase::Stopped},
        {"start", Start(1), Phase::Opening},
        {"loaded", Loaded, Phase::Buffering},
        {"restart", Restart, Phase::Playing},
        {"end", End(1), Phase::Stopped}}},
      {"a stall of the cache is buffering",
       {{"load", Load, Phase::Stopped},
        {"start", Start(1), Phase::Opening},
        {"loaded", Loaded, Phase::Buffering},
        {"restart", Restart, Phase::Playing},
        {"stall", Cache(true), Phase::Buffering},
        {"resume", Cache(false), Phase::Playing}}},
      {"pause and resume",
       {{"load", Load, Phase::Stopped},
        {"start", Start(1), Phase::Opening},
        {"loaded", Loaded, Phase::Buffering},
        {"restart", Restart, Phase::Playing},
        {"pause", Pause(true), Phase::Paused},
        {"stall while paused", Cache(true), Phase::Paused},
        {"resume into the stall", Pause(false), Phase::Buffering}}},
      {"a replaced file ends without a stop",
       {{"load", Load, Phase::Stopped},
        {"start", Start(1), Phase::Opening},
        {"loaded", Loaded, Phase::Buffering},
        {"restart", Restart, Phase::Playing},
        {"load again", Load, Phase::Playing},
        {"old ends: opening goes on", End(1), Phase::Opening},
        {"new starts", Start(2), Phase::Opening},
        {"late end of the old", End(1), Phase::Opening}}},
      {"a restart after the end changes nothing",
       {{"load", Load, Phase::Stopped},
        {"start", Start(3), Phase::Opening},
        {"end", End(3), Phase::Stopped},
        {"restart", Restart, Phase::Stopped},
        {"loaded", Loaded, Phase::Stopped}}},
      {"stop while opening",
       {{"load", Load, Phase::Stopped},
        {"start", Start(1), Phase::Opening},
        {"stop", Stop, Phase::Opening},
        {"end", End(1), Phase::Stopped}}},
  };
  for (const Case& c : cases) {
    PlayModel m;
    for (const Step& s : c.steps) {
      s.act(m);
      EXPECT_EQ(qmpv::PhaseName(m.phase()), std::string(qmpv::PhaseName(s.expect))) << c.name << ": after " << s.what;
    }
  }
}

TEST(PlayModel, OnlyTheEndOfTheCurrentMediaIsReported) {
  PlayModel m;
  m.LoadRequested();
  m.FileStarted(1);
  m.FileLoaded();
  m.LoadRequested();
  EXPECT_FALSE(m.FileEnded(1)) << "the end of media being replaced is no stop";
  m.FileStarted(2);
  EXPECT_FALSE(m.FileEnded(1)) << "an old entry";
  EXPECT_TRUE(m.FileEnded(2));
  EXPECT_FALSE(m.FileEnded(2)) << "reported once";

  m.LoadRequested();
  m.StopRequested();
  m.FileStarted(3);
  EXPECT_TRUE(m.FileEnded(3)) << "a stop cancels the pending load";
}

}  // namespace
