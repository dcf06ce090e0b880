#include "tests/engines/media_fixture.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <mpv/client.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <chrono>
#include <clocale>
#include <fstream>
#include <mutex>
#include <sstream>

namespace media {

namespace {

std::string WorkDir() {
  const std::string dir = QUILLON_TEST_WORK_DIR "/media/";
  QDir().mkpath(QString::fromStdString(dir));
  return dir;
}

std::mutex title_lock;

}  // namespace

bool Record(const std::string& source, const std::string& file, const std::string& format,
            const std::string& video_codec, const std::string& audio_codec) {
  std::setlocale(LC_NUMERIC, "C");
  mpv_handle* h = mpv_create();
  if (!h) return false;
  mpv_set_option_string(h, "config", "no");
  mpv_set_option_string(h, "terminal", "no");
  mpv_set_option_string(h, "o", file.c_str());
  mpv_set_option_string(h, "of", format.c_str());
  mpv_set_option_string(h, "ovc", video_codec.c_str());
  mpv_set_option_string(h, "oac", audio_codec.c_str());
  bool ok = mpv_initialize(h) >= 0;
  const char* args[] = {"loadfile", source.c_str(), nullptr};
  ok = ok && mpv_command(h, args) >= 0;
  while (ok) {
    mpv_event* e = mpv_wait_event(h, 30);
    if (e->event_id == MPV_EVENT_NONE) ok = false;
    if (e->event_id == MPV_EVENT_END_FILE) {
      ok = static_cast<mpv_event_end_file*>(e->data)->reason == MPV_END_FILE_REASON_EOF;
      break;
    }
  }
  mpv_terminate_destroy(h);
  return ok && !ReadFile(file).empty();
}

const std::string& VideoClip() {
  static const std::string file = [] {
    const std::string f = WorkDir() + "clip.ts";
    if (ReadFile(f).empty())
      Record("av://lavfi:testsrc2=s=320x240:r=25:d=4[out0];sine=f=440:d=4[out1]", f, "mpegts", "mpeg2video", "mp2");
    return f;
  }();
  return file;
}

const std::string& AudioClip() {
  static const std::string file = [] {
    const std::string f = WorkDir() + "radio.mp2";
    if (ReadFile(f).empty()) Record("av://lavfi:sine=f=440:d=8", f, "mp2", "", "mp2");
    return f;
  }();
  return file;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

Server::Server() : http_(std::make_unique<httplib::Server>()), title_(std::make_shared<std::string>()) {
  auto clip = std::make_shared<std::string>(ReadFile(VideoClip()));
  auto audio = std::make_shared<std::string>(ReadFile(AudioClip()));

  http_->Get("/clip.ts", [clip](const httplib::Request&, httplib::Response& res) {
    res.set_content(*clip, "video/mp2t");
  });

  // Half the clip's own rate: the player runs dry and waits for the cache.
  http_->Get("/slow.ts", [this, clip](const httplib::Request&, httplib::Response& res) {
    const size_t per_second = clip->size() / 4 / 2;
    res.set_content_provider(clip->size(), "video/mp2t", [this, clip, per_second](size_t offset, size_t, httplib::DataSink& sink) {
      if (stopping_) return false;
      const size_t n = std::min(per_second / 20, clip->size() - offset);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      return sink.write(clip->data() + offset, n);
    });
  });

  // Shoutcast style: the title block follows every `metaint` bytes of sound.
  http_->Get("/radio", [this, audio](const httplib::Request& req, httplib::Response& res) {
    const bool wants_titles = req.get_header_value("Icy-MetaData") == "1";
    constexpr size_t metaint = 4096;
    if (wants_titles) res.set_header("icy-metaint", std::to_string(metaint));
    res.set_header("icy-name", "Quillon test radio");
    auto sent = std::make_shared<size_t>(0);
    res.set_chunked_content_provider("audio/mpeg", [this, audio, sent, wants_titles](size_t, httplib::DataSink& sink) {
      if (stopping_) return false;
      std::string block = audio->substr(*sent % audio->size(), metaint);
      if (block.size() < metaint) block += audio->substr(0, metaint - block.size());
      *sent += metaint;
      if (wants_titles) {
        std::string meta;
        {
          std::lock_guard<std::mutex> lock(title_lock);
          if (!title_->empty()) meta = "StreamTitle='" + *title_ + "';";
        }
        meta.resize((meta.size() + 15) / 16 * 16, '\0');
        block += char(meta.size() / 16);
        block += meta;
      }
      // About the rate of the sound itself, so the stream stays live.
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      return sink.write(block.data(), block.size());
    });
  });

  port_ = http_->bind_to_any_port("127.0.0.1");
  // The socket listens from the bind on: connections wait until the loop accepts.
  thread_ = std::thread([this] { http_->listen_after_bind(); });
}

Server::~Server() {
  stopping_ = true;
  http_->stop();
  thread_.join();
}

std::string Server::Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

void Server::SetTitle(const std::string& title) {
  std::lock_guard<std::mutex> lock(title_lock);
  *title_ = title;
}

int RefusedPort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  socklen_t len = sizeof addr;
  getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  close(fd);
  return ntohs(addr.sin_port);
}

}  // namespace media
