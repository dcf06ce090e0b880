#pragma once
// The two engines behind one face for the tests that both must pass: each adapter
// drives its engine in that engine's own terms and records what it reports.
#include <QString>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "platform/engines/real_engine.h"
#include "platform/engines/wmp_engine.h"

namespace adapters {

// Waits for a condition while the GUI thread runs; false after `ms`.
inline bool WaitFor(const std::function<bool()>& done, int ms = 10000) { return QTest::qWaitFor(done, ms); }

struct Real {
  static constexpr const char* kName = "RealPlayer";
  static constexpr int kStopped = 0, kPlaying = 3, kPaused = 4, kBuffering = 2;
  // From open to playing; a stop returns to stopped.
  static std::vector<int> OpenSequence() { return {1, 2, 3}; }
  static constexpr int kFailedState = 0;

  Real() {
    QString error;
    engine = qmpv::RealEngine::Create(&error);
    EXPECT_TRUE(engine) << error.toStdString();
    QObject::connect(engine.get(), &qmpv::RealEngine::OnStateChange, [this](int old_state, int new_state) {
      EXPECT_EQ(old_state, states.empty() ? 0 : states.back()) << "the state left is the one entered before";
      states.push_back(new_state);
    });
    QObject::connect(engine.get(), &qmpv::RealEngine::OnErrorMessage,
                     [this](int, unsigned, int, const QString&, const QString&, const QString& text) { errors.push_back(text); });
    QObject::connect(engine.get(), &qmpv::RealEngine::OnShowStatus, [this](const QString& text) { statuses.push_back(text); });
  }
  void Open(const std::string& url) {
    engine->SetSource(url);
    EXPECT_TRUE(engine->DoPlay());
  }
  void Stop() { engine->DoStop(); }
  void Pause() { engine->DoPause(); }
  void Resume() { engine->DoPlayPause(); }
  bool CanPause() { return engine->CanPause(); }
  int State() { return engine->GetPlayState(); }
  int Width() { return engine->GetClipWidth(); }
  int Height() { return engine->GetClipHeight(); }
  void SetMute(bool on) { engine->SetMute(on); }
  void SetVolume(int v) { engine->SetVolume(v); }
  qmpv::EngineBase& base() { return *engine; }
  void Destroy() { engine.reset(); }

  std::unique_ptr<qmpv::RealEngine> engine;
  std::vector<int> states;
  std::vector<QString> errors;
  std::vector<QString> statuses;
};

struct Wmp {
  static constexpr const char* kName = "Windows Media Player";
  static constexpr int kStopped = 1, kPlaying = 3, kPaused = 2, kBuffering = 6;
  static std::vector<int> OpenSequence() { return {7, 6, 3}; }
  static constexpr int kFailedState = 10;

  Wmp() {
    QString error;
    engine = qmpv::WmpEngine::Create(&error);
    EXPECT_TRUE(engine) << error.toStdString();
    EXPECT_EQ(engine->playState(), 10) << "ready before anything was opened";
    QObject::connect(engine.get(), &qmpv::WmpEngine::OnPlayStateChange, [this](int s) {
      states.push_back(s);
      EXPECT_EQ(engine->playState(), s);
    });
    QObject::connect(engine.get(), &qmpv::WmpEngine::OnBuffering, [this](bool start) {
      EXPECT_NE(start, buffering) << "buffering starts and ends in turn";
      buffering = start;
      buffering_events.push_back(start);
    });
    QObject::connect(engine.get(), &qmpv::WmpEngine::OnError, [this] {
      ASSERT_FALSE(engine->Errors().empty());
      errors.push_back(engine->Errors().back().description);
    });
    QObject::connect(engine.get(), &qmpv::WmpEngine::OnStatusChange, [this] { statuses.push_back(engine->Status()); });
  }
  void Open(const std::string& url) {
    engine->SetURL(url);
    EXPECT_TRUE(engine->Play());
  }
  void Stop() { engine->StopPlayback(); }
  void Pause() { engine->Pause(); }
  void Resume() { engine->Play(); }
  bool CanPause() { return engine->IsAvailable("Pause"); }
  int State() { return engine->playState(); }
  int Width() { return engine->ImageSourceWidth(); }
  int Height() { return engine->ImageSourceHeight(); }
  void SetMute(bool on) { engine->SetMute(on); }
  void SetVolume(int v) { engine->SetVolume(v); }
  qmpv::EngineBase& base() { return *engine; }
  void Destroy() { engine.reset(); }

  std::unique_ptr<qmpv::WmpEngine> engine;
  std::vector<int> states;
  std::vector<bool> buffering_events;
  bool buffering = false;
  std::vector<QString> errors;
  std::vector<QString> statuses;
};

}  // namespace adapters
