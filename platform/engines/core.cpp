#include "platform/engines/core.h"

#include <mpv/client.h>

#include <QPointer>
#include <QStringDecoder>
#include <QtGlobal>
#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <cstring>

#include "platform/engines/renderer.h"

namespace qmpv {

namespace {

// Ids of the observed properties, carried in reply_userdata.
enum Observed : uint64_t {
  kPause = 1,
  kPausedForCache,
  kCacheBuffering,
  kWidth,
  kHeight,
  kIcyTitle,
};

void SetOption(mpv_handle* h, const char* name, const char* value) {
  mpv_set_option_string(h, name, value);
}

// Settings of an embedded player that plays internet streams. Each says why.
void ApplyStreamingOptions(mpv_handle* h) {
  // Embedded: no terminal output, no user configuration or scripts that could change
  // how the player behaves, no key bindings or on-screen controller of mpv's own.
  SetOption(h, "terminal", "no");
  SetOption(h, "config", "no");
  SetOption(h, "load-scripts", "no");
  SetOption(h, "osc", "no");
  SetOption(h, "load-stats-overlay", "no");
  SetOption(h, "load-osd-console", "no");
  SetOption(h, "input-default-bindings", "no");
  SetOption(h, "input-vo-keyboard", "no");
  SetOption(h, "osd-level", "0");
  // Stay alive between streams instead of quitting after the first.
  SetOption(h, "idle", "yes");
  // A dead server gives an error after 15 s instead of mpv's 60 s.
  SetOption(h, "network-timeout", "15");
  // Up to five players may run at once; mpv's default of 150 MiB ahead and 50 MiB
  // behind per player would let them hold 1 GiB. Live streams never seek back far.
  SetOption(h, "demuxer-max-bytes", "32MiB");
  SetOption(h, "demuxer-max-back-bytes", "4MiB");
  // Hardware decoding where it is known to work, software everywhere else.
  SetOption(h, "hwdec", "auto-safe");
  // The youtube-dl hook would start an external program for every web address.
  SetOption(h, "ytdl", "no");
  // Servers see who asks.
  SetOption(h, "user-agent", "Quillon/1.0 (libmpv)");
  SetOption(h, "audio-client-name", "Quillon");
  // A radio stream's cover art is no video: the clip size of radio stays 0 x 0.
  SetOption(h, "audio-display", "no");
  // The volume scale ends at 100, as both engines' volume does.
  SetOption(h, "volume-max", "100");
  // Video goes through the render API into our own window. Tests without sound or
  // video replace the outputs through the environment.
  const char* vo = std::getenv("QUILLON_MPV_VO");
  SetOption(h, "vo", vo && *vo ? vo : "libmpv");
  const char* ao = std::getenv("QUILLON_MPV_AO");
  if (ao && *ao) SetOption(h, "ao", ao);
}

bool UsesRenderApi() {
  const char* vo = std::getenv("QUILLON_MPV_VO");
  return !vo || !*vo || std::strcmp(vo, "libmpv") == 0;
}

QString Capitalised(QString s) {
  if (!s.isEmpty()) s[0] = s[0].toUpper();
  return s;
}

}  // namespace

QString FailureText(const std::string& location, int mpv_error, const std::vector<std::string>& log_lines) {
  QString reason = Capitalised(QString::fromUtf8(mpv_error_string(mpv_error)));
  // The last logged line tells the cause ("HTTP error 404 Not Found", "Connection
  // refused"); the generic lines mpv adds after it say nothing a user can act on.
  QString detail;
  for (auto it = log_lines.rbegin(); it != log_lines.rend() && detail.isEmpty(); ++it) {
    const QString line = MetadataText(it->c_str()).trimmed();
    if (!line.startsWith("Failed to open") && !line.startsWith("Failed to recognize")) detail = line;
  }
  QString text = QString("Cannot play \"%1\": %2").arg(MetadataText(location.c_str()), reason);
  if (!detail.isEmpty() && detail.compare(reason, Qt::CaseInsensitive) != 0) text += QString(" (%1)").arg(detail);
  return text + ".";
}

QString MetadataText(const char* bytes) {
  if (!bytes) return {};
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8(QByteArrayView(bytes));
  if (utf8.hasError()) text = QString::fromLatin1(bytes);
  return text;
}

std::unique_ptr<Core> Core::Create(QString* error) {
  // libmpv refuses to start unless numbers are formatted the C way; Qt may have set
  // the user's locale.
  std::setlocale(LC_NUMERIC, "C");
  mpv_handle* h = mpv_create();
  if (!h) {
    *error = "The media player library could not be started.";
    return nullptr;
  }
  ApplyStreamingOptions(h);
  const int rc = mpv_initialize(h);
  if (rc < 0) {
    *error = QString("The media player library could not be started: %1.").arg(mpv_error_string(rc));
    mpv_terminate_destroy(h);
    return nullptr;
  }
  std::unique_ptr<Core> core(new Core(h));
  if (UsesRenderApi()) {
    // The render context must exist before anything plays, or video fails to start.
    core->renderer_ = Renderer::Create(h, error);
    if (!core->renderer_) return nullptr;
  }
  return core;
}

Core::Core(mpv_handle* handle) : handle_(handle) {
  // Warnings too: FFmpeg tells an HTTP status such as 404 only as a warning.
  mpv_request_log_messages(handle_, "warn");
  mpv_observe_property(handle_, kPause, "pause", MPV_FORMAT_FLAG);
  mpv_observe_property(handle_, kPausedForCache, "paused-for-cache", MPV_FORMAT_FLAG);
  mpv_observe_property(handle_, kCacheBuffering, "cache-buffering-state", MPV_FORMAT_INT64);
  mpv_observe_property(handle_, kWidth, "dwidth", MPV_FORMAT_INT64);
  mpv_observe_property(handle_, kHeight, "dheight", MPV_FORMAT_INT64);
  mpv_observe_property(handle_, kIcyTitle, "metadata/by-key/icy-title", MPV_FORMAT_STRING);
  mpv_set_wakeup_callback(handle_, &Core::Wakeup, this);
}

Core::~Core() {
  mpv_set_wakeup_callback(handle_, nullptr, nullptr);
  renderer_.reset();
  mpv_terminate_destroy(handle_);
}

void Core::Wakeup(void* self) {
  // Runs on any libmpv thread, possibly with libmpv's lock held: only post.
  QMetaObject::invokeMethod(static_cast<Core*>(self), &Core::Drain, Qt::QueuedConnection);
}

void Core::Drain() {
  // A listener may stop, replace or destroy this player from inside a signal.
  QPointer<Core> alive(this);
  for (;;) {
    mpv_event* event = mpv_wait_event(handle_, 0);
    if (event->event_id == MPV_EVENT_NONE) break;
    Handle(*event);
    if (!alive) return;
    if (!failure_pending_) Update();
    if (!alive) return;
  }
  ReportFailure();
}

void Core::ReportFailure() {
  if (!failure_pending_) return;
  failure_pending_ = false;
  const QString text = FailureText(location_, failure_error_, log_lines_);
  log_lines_.clear();
  QPointer<Core> alive(this);
  emit Failed(text);
  if (alive) Update();
}

void Core::Handle(const mpv_event& event) {
  switch (event.event_id) {
    case MPV_EVENT_START_FILE:
      model_.FileStarted(static_cast<mpv_event_start_file*>(event.data)->playlist_entry_id);
      // The lines of a failure not yet reported still belong to it.
      if (!failure_pending_) log_lines_.clear();
      break;
    case MPV_EVENT_FILE_LOADED:
      model_.FileLoaded();
      break;
    case MPV_EVENT_PLAYBACK_RESTART:
      // The size's property change may still be queued behind this event; whoever
      // hears "playing" asks for the clip size at once, so read it now.
      RefreshVideoSize();
      model_.PlaybackRestarted();
      break;
    case MPV_EVENT_END_FILE: {
      const auto* end = static_cast<mpv_event_end_file*>(event.data);
      if (end->reason == MPV_END_FILE_REASON_REDIRECT) break;
      if (!model_.FileEnded(end->playlist_entry_id)) break;
      if (end->reason == MPV_END_FILE_REASON_ERROR) {
        // libmpv hands out log lines after events: the lines that tell why are read
        // to the end of the queue before the failure is reported.
        failure_pending_ = true;
        failure_error_ = end->error;
      } else if (end->reason == MPV_END_FILE_REASON_EOF)
        emit Finished();
      break;
    }
    case MPV_EVENT_LOG_MESSAGE: {
      const auto* msg = static_cast<mpv_event_log_message*>(event.data);
      if (log_lines_.size() < 32) log_lines_.emplace_back(msg->text);
      break;
    }
    case MPV_EVENT_PROPERTY_CHANGE:
      HandleProperty(event);
      break;
    default:
      break;
  }
}

void Core::HandleProperty(const mpv_event& event) {
  const auto* prop = static_cast<mpv_event_property*>(event.data);
  const bool has = prop->format != MPV_FORMAT_NONE && prop->data;
  switch (event.reply_userdata) {
    case kPause:
      model_.SetPaused(has && *static_cast<int*>(prop->data));
      break;
    case kPausedForCache:
      model_.SetPausedForCache(has && *static_cast<int*>(prop->data));
      break;
    case kCacheBuffering: {
      const int percent = has ? int(std::clamp<int64_t>(*static_cast<int64_t*>(prop->data), 0, 100)) : 0;
      if (percent != cache_percent_) {
        cache_percent_ = percent;
        if (phase() == Phase::Buffering) emit BufferingProgressChanged(percent);
      }
      break;
    }
    case kWidth:
    case kHeight: {
      const int value = has ? int(*static_cast<int64_t*>(prop->data)) : 0;
      int& field = event.reply_userdata == kWidth ? video_width_ : video_height_;
      if (value != field) {
        field = value;
        emit VideoSizeChanged(video_width_, video_height_);
      }
      break;
    }
    case kIcyTitle: {
      const QString title = has ? MetadataText(*static_cast<char**>(prop->data)).trimmed() : QString();
      if (title != title_) {
        title_ = title;
        emit TitleChanged(title_);
      }
      break;
    }
    default:
      break;
  }
}

void Core::RefreshVideoSize() {
  int64_t w = 0, h = 0;
  if (mpv_get_property(handle_, "dwidth", MPV_FORMAT_INT64, &w) < 0) w = 0;
  if (mpv_get_property(handle_, "dheight", MPV_FORMAT_INT64, &h) < 0) h = 0;
  if (int(w) == video_width_ && int(h) == video_height_) return;
  video_width_ = int(w);
  video_height_ = int(h);
  emit VideoSizeChanged(video_width_, video_height_);
}

void Core::Update() {
  const Phase now = model_.phase();
  if (now == reported_) return;
  const Phase old = reported_;
  reported_ = now;
  emit PhaseChanged(old, now);
}

void Core::Open(const std::string& location) {
  location_ = location;
  // mpv keeps the pause flag from one file to the next. Requests run in order: the
  // flag is cleared before the load starts, without waiting for the player here.
  int no = 0;
  mpv_set_property_async(handle_, 0, "pause", MPV_FORMAT_FLAG, &no);
  const char* args[] = {"loadfile", location.c_str(), "replace", nullptr};
  if (mpv_command_async(handle_, 0, args) >= 0) model_.LoadRequested();
}

void Core::Stop() {
  const char* args[] = {"stop", nullptr};
  mpv_command_async(handle_, 0, args);
  model_.StopRequested();
}

void Core::SetPaused(bool paused) {
  int flag = paused;
  mpv_set_property(handle_, "pause", MPV_FORMAT_FLAG, &flag);
}

void Core::SetMute(bool mute) {
  int flag = mute;
  mpv_set_property(handle_, "mute", MPV_FORMAT_FLAG, &flag);
}

bool Core::Mute() const {
  int flag = 0;
  mpv_get_property(handle_, "mute", MPV_FORMAT_FLAG, &flag);
  return flag;
}

void Core::SetVolume(int volume) {
  double value = std::clamp(volume, 0, 100);
  mpv_set_property(handle_, "volume", MPV_FORMAT_DOUBLE, &value);
}

int Core::Volume() const {
  double value = 0;
  mpv_get_property(handle_, "volume", MPV_FORMAT_DOUBLE, &value);
  return int(value + 0.5);
}

int Core::BufferingProgress() const {
  switch (phase()) {
    case Phase::Playing:
    case Phase::Paused: return 100;
    case Phase::Buffering: return cache_percent_;
    default: return 0;
  }
}

}  // namespace qmpv
