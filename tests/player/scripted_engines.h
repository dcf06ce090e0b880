#pragma once
// Scripted media engines: they record every call the player control makes, answer
// with what the test set, and report the states, texts and errors the test asks for.
#include <QPointer>
#include <QWidget>
#include <deque>
#include <string>
#include <vector>

#include "player/engines.h"

namespace scripted {

// What both engines share: the window, the call log and the values they answer.
struct Engine {
  Engine(QWidget* parent, const char* name);
  virtual ~Engine();
  QPointer<QWidget> window;
  std::vector<std::string> calls;
  bool mute = false;
  int volume = 50;
  int clipWidth = 0, clipHeight = 0;
  bool canPause = true;
  // The next call of this name (or any call, for "*") throws.
  std::string failOn;
  void Call(const std::string& call);
  bool Called(const std::string& call) const;
  int Count(const std::string& call) const;
};

class Real : public qplayer::RealPlayer, public Engine {
 public:
  Real(QWidget* parent, qplayer::RealPlayerEvents* events);
  ~Real() override;

  // Reports a state change, old state first.
  void State(int newState);
  void Status(const std::string& text) { events->OnShowStatus(text); }
  void Error(const std::string& text) { events->OnErrorMessage(text); }

  QWidget* Window() const override { return window; }
  void SetSource(const std::string& location) override;
  void DoPlay() override { Call("DoPlay"); }
  void DoPlayPause() override { Call("DoPlayPause"); }
  void DoStop() override { Call("DoStop"); }
  void DoPause() override { Call("DoPause"); }
  bool CanPause() override { return canPause; }
  void SetMute(bool m) override;
  bool GetMute() override { return mute; }
  void SetVolume(int v) override;
  int GetClipWidth() override { return clipWidth; }
  int GetClipHeight() override { return clipHeight; }
  void SetFullScreen() override { Call("SetFullScreen"); }

  qplayer::RealPlayerEvents* events;
  std::string source;
  int state = 0;
};

class Media : public qplayer::MediaPlayer, public Engine {
 public:
  Media(QWidget* parent, qplayer::MediaPlayerEvents* events);
  ~Media() override;

  void State(int newState);
  void Buffering(bool start) { events->OnBuffering(start); }
  void StatusText(const std::string& text);
  void Error(const std::string& description);
  void ErrorWithEmptyQueue() { events->OnError(); }

  QWidget* Window() const override { return window; }
  void SetURL(const std::string& location) override;
  void Play() override { Call("play"); }
  void Stop() override { Call("stop"); }
  void Pause() override { Call("pause"); }
  bool IsAvailable(const std::string& control) override { return control == "Pause" && canPause; }
  bool GetMute() override { return mute; }
  void SetMute(bool m) override;
  int GetVolume() override { return volume; }
  void SetVolume(int v) override;
  int ImageSourceWidth() override { return clipWidth; }
  int ImageSourceHeight() override { return clipHeight; }
  void SetStretchToFit(bool s) override;
  void SetFullScreen(bool f) override;
  int PlayState() override { return playState; }
  int BufferingProgress() override { return progress; }
  std::string Status() override { return status; }
  bool NewestErrorDescription(std::string* description) override;

  qplayer::MediaPlayerEvents* events;
  std::string url;
  int playState = qplayer::kMediaReady;
  int progress = 0;
  std::string status;
  std::deque<std::string> errors;
};

}  // namespace scripted
