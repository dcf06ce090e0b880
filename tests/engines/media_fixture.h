#pragma once
// Media for the engine tests: clips recorded once from FFmpeg's test sources by
// libmpv's encoder, and a loopback HTTP server that serves them whole, slowly, as a
// radio stream with now-playing titles, or not at all.
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace media {

// A 320 x 240 clip of 4 s with sound, as MPEG-TS; recorded on first use.
const std::string& VideoClip();
// 8 s of MPEG audio, for the radio stream.
const std::string& AudioClip();
std::string ReadFile(const std::string& path);

// Records `source` (an av://lavfi: location) into `file` with the muxer and codecs
// given; false when libmpv could not.
bool Record(const std::string& source, const std::string& file, const std::string& format,
            const std::string& video_codec, const std::string& audio_codec);

// Serves on 127.0.0.1 at a free port:
//   /clip.ts      the video clip
//   /slow.ts      the video clip at half its bit rate
//   /radio        the audio clip as an endless ICY stream titled by SetTitle()
//   anything else 404
class Server {
 public:
  Server();
  ~Server();
  std::string Url(const std::string& path) const;
  void SetTitle(const std::string& title);

 private:
  std::unique_ptr<httplib::Server> http_;
  std::thread thread_;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::shared_ptr<std::string> title_;
};

// A loopback port that nothing listens on.
int RefusedPort();

}  // namespace media
