#include "tests/player/scripted_engines.h"

#include <QPainter>
#include <algorithm>
#include <stdexcept>

namespace scripted {
namespace {

// The engine's window: a plain surface with the engine's name on it.
class Window : public QWidget {
 public:
  Window(QWidget* parent, const char* name) : QWidget(parent), name_(name) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), QColor(0x20, 0x60, 0x40));
    p.setPen(Qt::white);
    p.drawText(rect(), Qt::AlignCenter, name_);
  }

 private:
  QString name_;
};

}  // namespace

Engine::Engine(QWidget* parent, const char* name) : window(new Window(parent, name)) {
  window->setObjectName(name);
  window->resize(100, 80);
  window->hide();
  window->setEnabled(false);
}

Engine::~Engine() { delete window; }

void Engine::Call(const std::string& call) {
  calls.push_back(call);
  if (!failOn.empty() && (failOn == "*" || call.rfind(failOn, 0) == 0)) {
    failOn.clear();
    throw std::runtime_error("The engine failed at " + call);
  }
}

bool Engine::Called(const std::string& call) const { return Count(call) > 0; }

int Engine::Count(const std::string& call) const { return int(std::count(calls.begin(), calls.end(), call)); }

Real::Real(QWidget* parent, qplayer::RealPlayerEvents* e) : Engine(parent, "RealPlayer"), events(e) {}
Real::~Real() = default;

void Real::State(int newState) {
  const int old = state;
  state = newState;
  events->OnStateChange(old, newState);
}

void Real::SetSource(const std::string& location) {
  Call("Source=" + location);
  source = location;
}

void Real::SetMute(bool m) {
  Call(m ? "SetMute(true)" : "SetMute(false)");
  mute = m;
}

void Real::SetVolume(int v) {
  Call("SetVolume(" + std::to_string(v) + ")");
  volume = v;
}

Media::Media(QWidget* parent, qplayer::MediaPlayerEvents* e) : Engine(parent, "MediaPlayer"), events(e) {}
Media::~Media() = default;

void Media::State(int newState) {
  playState = newState;
  events->OnPlayStateChange(newState);
}

void Media::StatusText(const std::string& text) {
  status = text;
  events->OnStatusChange();
}

void Media::Error(const std::string& description) {
  errors.push_back(description);
  events->OnError();
}

void Media::SetURL(const std::string& location) {
  Call("URL=" + location);
  url = location;
}

void Media::SetMute(bool m) {
  Call(m ? "mute=true" : "mute=false");
  mute = m;
}

void Media::SetVolume(int v) {
  Call("volume=" + std::to_string(v));
  volume = v;
}

void Media::SetStretchToFit(bool s) { Call(s ? "stretchToFit=true" : "stretchToFit=false"); }

void Media::SetFullScreen(bool f) { Call(f ? "fullScreen=true" : "fullScreen=false"); }

bool Media::NewestErrorDescription(std::string* description) {
  if (errors.empty()) return false;
  *description = errors.back();
  return true;
}

}  // namespace scripted
