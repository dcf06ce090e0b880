#pragma once
// The animation control: opens an animation file (an AVI clip such as playing.avi) with
// FFmpeg's libraries, holds its frames and plays them on a timer, repeating the span
// from StartFrame to StopFrame while active. Frames are drawn centred and with their
// alpha, so a clip made with a transparent background sits on any page.
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <string>
#include <vector>

namespace qanim {

// Limits that keep a damaged or swapped file from taking the memory of the process.
inline constexpr int kMaxFrames = 1000;
inline constexpr int kMaxSide = 1024;

struct Clip {
  std::vector<QImage> frames;  // premultiplied ARGB, all of one size
  int intervalMs = 100;        // time per frame
};

// Decodes every frame of the file. Throws std::runtime_error with a text that names
// the file and says why it cannot be used.
Clip LoadClip(const std::string& path);

class Animate : public QWidget {
  Q_OBJECT
  Q_PROPERTY(bool Active READ Active WRITE SetActive)
  Q_PROPERTY(int StartFrame READ StartFrame WRITE SetStartFrame)
  Q_PROPERTY(int StopFrame READ StopFrame WRITE SetStopFrame)

 public:
  explicit Animate(QWidget* parent = nullptr);

  // Replaces the animation with the file's. False, with the reason in *error, when it
  // cannot be decoded; the control then holds no animation.
  bool Open(const std::string& path, std::string* error = nullptr);
  void Close();
  // True while the control holds an open animation.
  bool IsOpen() const { return !clip_.frames.empty(); }
  const std::string& FileName() const { return fileName_; }

  // Active plays from StartFrame; inactive stops at the frame shown. Setting it
  // without an open animation keeps it off.
  bool Active() const { return timer_.isActive(); }
  void SetActive(bool active);

  // Frames are counted from 1; a StopFrame of 0, or one past the end, means the last.
  int StartFrame() const { return startFrame_; }
  void SetStartFrame(int frame);
  int StopFrame() const { return stopFrame_; }
  void SetStopFrame(int frame);

  int FrameCount() const { return int(clip_.frames.size()); }
  // The frame shown, from 1; 0 without an animation.
  int CurrentFrame() const { return IsOpen() ? current_ + 1 : 0; }
  QSize FrameSize() const;
  int FrameInterval() const { return clip_.intervalMs; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int FirstIndex() const;
  int LastIndex() const;
  void Advance();

  Clip clip_;
  std::string fileName_;
  int startFrame_ = 1;
  int stopFrame_ = 0;
  int current_ = 0;
  QTimer timer_;
};

}  // namespace qanim
