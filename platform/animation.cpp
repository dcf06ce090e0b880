#include "platform/animation.h"

#include <QPainter>
#include <algorithm>
#include <memory>
#include <stdexcept>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace qanim {
namespace {

struct FormatCloser {
  void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecFreer {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct PacketFreer {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameFreer {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct ScalerFreer {
  void operator()(SwsContext* s) const { sws_freeContext(s); }
};

std::string AvText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

[[noreturn]] void Fail(const std::string& path, const std::string& why) {
  throw std::runtime_error("Cannot open the animation " + path + ": " + why);
}

int IntervalOf(const AVStream& stream) {
  AVRational rate = stream.avg_frame_rate;
  if (rate.num <= 0 || rate.den <= 0) rate = stream.r_frame_rate;
  if (rate.num <= 0 || rate.den <= 0) return 100;
  const int ms = int(1000LL * rate.den / rate.num);
  return std::clamp(ms, 10, 1000);
}

// Converts decoded frames into images of one size, straight RGBA out of swscale.
class Converter {
 public:
  Converter(const std::string& path) : path_(path) {}

  QImage Convert(const AVFrame& frame) {
    if (frame.width != width_ || frame.height != height_ || frame.format != format_) {
      if (width_ != 0 && (frame.width != width_ || frame.height != height_)) Fail(path_, "its frame size changes");
      width_ = frame.width;
      height_ = frame.height;
      format_ = frame.format;
      scaler_.reset(sws_getContext(width_, height_, AVPixelFormat(format_), width_, height_, AV_PIX_FMT_RGBA,
                                   SWS_POINT, nullptr, nullptr, nullptr));
      if (!scaler_) Fail(path_, "its picture format cannot be converted");
    }
    QImage image(width_, height_, QImage::Format_RGBA8888);
    uint8_t* planes[4] = {image.bits(), nullptr, nullptr, nullptr};
    int strides[4] = {int(image.bytesPerLine()), 0, 0, 0};
    sws_scale(scaler_.get(), frame.data, frame.linesize, 0, height_, planes, strides);
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  }

 private:
  std::string path_;
  int width_ = 0;
  int height_ = 0;
  int format_ = -1;
  std::unique_ptr<SwsContext, ScalerFreer> scaler_;
};

}  // namespace

Clip LoadClip(const std::string& path) {
  AVFormatContext* raw = nullptr;
  if (const int rc = avformat_open_input(&raw, path.c_str(), nullptr, nullptr); rc < 0) Fail(path, AvText(rc));
  std::unique_ptr<AVFormatContext, FormatCloser> format(raw);
  if (const int rc = avformat_find_stream_info(format.get(), nullptr); rc < 0) Fail(path, AvText(rc));

  const AVCodec* codec = nullptr;
  const int index = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
  if (index < 0 || !codec) Fail(path, "it holds no pictures that can be decoded");
  const AVStream& stream = *format->streams[index];
  const AVCodecParameters& params = *stream.codecpar;
  if (params.width <= 0 || params.height <= 0 || params.width > kMaxSide || params.height > kMaxSide)
    Fail(path, "its pictures are " + std::to_string(params.width) + " x " + std::to_string(params.height) +
                   " pixels, at most " + std::to_string(kMaxSide) + " x " + std::to_string(kMaxSide) + " are shown");

  std::unique_ptr<AVCodecContext, CodecFreer> decoder(avcodec_alloc_context3(codec));
  if (!decoder) throw std::bad_alloc();
  if (const int rc = avcodec_parameters_to_context(decoder.get(), &params); rc < 0) Fail(path, AvText(rc));
  decoder->thread_count = 1;
  if (const int rc = avcodec_open2(decoder.get(), codec, nullptr); rc < 0) Fail(path, AvText(rc));

  std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
  std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
  if (!packet || !frame) throw std::bad_alloc();

  Clip clip;
  clip.intervalMs = IntervalOf(stream);
  Converter converter(path);
  auto drain = [&] {
    for (;;) {
      const int rc = avcodec_receive_frame(decoder.get(), frame.get());
      if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return;
      if (rc < 0) Fail(path, AvText(rc));
      if (int(clip.frames.size()) >= kMaxFrames)
        Fail(path, "it holds more than " + std::to_string(kMaxFrames) + " pictures");
      clip.frames.push_back(converter.Convert(*frame));
      av_frame_unref(frame.get());
    }
  };
  for (;;) {
    const int rc = av_read_frame(format.get(), packet.get());
    if (rc == AVERROR_EOF) break;
    if (rc < 0) Fail(path, AvText(rc));
    if (packet->stream_index == index) {
      const int sent = avcodec_send_packet(decoder.get(), packet.get());
      av_packet_unref(packet.get());
      if (sent < 0 && sent != AVERROR(EAGAIN)) Fail(path, AvText(sent));
      drain();
    } else {
      av_packet_unref(packet.get());
    }
  }
  avcodec_send_packet(decoder.get(), nullptr);
  drain();
  if (clip.frames.empty()) Fail(path, "it holds no pictures");
  return clip;
}

Animate::Animate(QWidget* parent) : QWidget(parent) {
  connect(&timer_, &QTimer::timeout, this, &Animate::Advance);
}

bool Animate::Open(const std::string& path, std::string* error) {
  Close();
  try {
    clip_ = LoadClip(path);
  } catch (const std::exception& e) {
    if (error) *error = e.what();
    return false;
  }
  fileName_ = path;
  current_ = FirstIndex();
  timer_.setInterval(clip_.intervalMs);
  update();
  return true;
}

void Animate::Close() {
  timer_.stop();
  clip_ = Clip();
  fileName_.clear();
  current_ = 0;
  update();
}

void Animate::SetActive(bool active) {
  if (!active) {
    timer_.stop();
    return;
  }
  if (!IsOpen() || timer_.isActive()) return;
  current_ = FirstIndex();
  update();
  timer_.start();
}

void Animate::SetStartFrame(int frame) { startFrame_ = std::max(1, frame); }
void Animate::SetStopFrame(int frame) { stopFrame_ = std::max(0, frame); }

QSize Animate::FrameSize() const { return IsOpen() ? clip_.frames.front().size() : QSize(); }

int Animate::LastIndex() const {
  const int count = FrameCount();
  return (stopFrame_ == 0 || stopFrame_ > count) ? count - 1 : stopFrame_ - 1;
}

int Animate::FirstIndex() const { return std::min(startFrame_ - 1, std::max(0, LastIndex())); }

void Animate::Advance() {
  current_ = current_ >= LastIndex() ? FirstIndex() : current_ + 1;
  update();
}

void Animate::paintEvent(QPaintEvent*) {
  if (!IsOpen()) return;
  const QImage& image = clip_.frames[size_t(current_)];
  QPainter p(this);
  p.drawImage((width() - image.width()) / 2, (height() - image.height()) / 2, image);
}

}  // namespace qanim
