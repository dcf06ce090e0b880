#pragma once
// One libmpv player as a streaming player needs it: the handle with its settings,
// its events drained on the GUI thread, the play phase worked out from them, the
// video renderer, and the now-playing title of a radio stream. Both engines are
// built on it and only translate it into their own terms.
#include <QObject>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "platform/engines/play_model.h"

struct mpv_handle;
struct mpv_event;

namespace qmpv {

class Renderer;

// The text a user reads when a location cannot be played: the location, the most
// telling line libmpv logged while trying, and libmpv's own reason.
QString FailureText(const std::string& location, int mpv_error, const std::vector<std::string>& log_lines);

// Stream metadata as text: UTF-8 when it is valid UTF-8, else Latin-1, which is what
// radio servers that send anything else mostly send.
QString MetadataText(const char* bytes);

class Core : public QObject {
  Q_OBJECT

 public:
  // Null with *error set when libmpv cannot be started.
  static std::unique_ptr<Core> Create(QString* error);
  ~Core() override;

  // Plays the location from its start, replacing whatever plays.
  void Open(const std::string& location);
  void Stop();
  void SetPaused(bool paused);

  void SetMute(bool mute);
  bool Mute() const;
  // 0..100; values outside are clamped.
  void SetVolume(int volume);
  int Volume() const;

  Phase phase() const { return model_.phase(); }
  bool HasMedia() const { return model_.HasMedia(); }
  // The location of the last Open.
  const std::string& location() const { return location_; }
  // Displayed picture size after aspect correction; 0 x 0 without video.
  int VideoWidth() const { return video_width_; }
  int VideoHeight() const { return video_height_; }
  // Percent of the buffer filled while buffering; 100 while playing.
  int BufferingProgress() const;
  // What the stream says is playing now (ICY title of a radio stream); may be empty.
  const QString& Title() const { return title_; }

  // Null when video output was replaced by the environment (tests without video).
  Renderer* renderer() const { return renderer_.get(); }
  mpv_handle* handle() const { return handle_; }

 signals:
  void PhaseChanged(qmpv::Phase old_phase, qmpv::Phase new_phase);
  // The current media failed to load or broke off; the text is for the user. The
  // phase change to Stopped follows.
  void Failed(const QString& text);
  // The current media played to its end; the phase change to Stopped follows.
  void Finished();
  void TitleChanged(const QString& title);
  void VideoSizeChanged(int width, int height);
  void BufferingProgressChanged(int percent);

 private:
  explicit Core(mpv_handle* handle);
  static void Wakeup(void* self);
  void Drain();
  void Handle(const mpv_event& event);
  void HandleProperty(const mpv_event& event);
  void RefreshVideoSize();
  void Update();  // reports the phase when it changed
  void ReportFailure();

  mpv_handle* handle_;
  std::unique_ptr<Renderer> renderer_;
  PlayModel model_;
  Phase reported_ = Phase::Stopped;
  std::string location_;
  std::vector<std::string> log_lines_;  // error lines of the current load
  bool failure_pending_ = false;
  int failure_error_ = 0;
  int video_width_ = 0;
  int video_height_ = 0;
  int cache_percent_ = 0;
  QString title_;
};

}  // namespace qmpv
