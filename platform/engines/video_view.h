#pragma once
// An engine's window: a child of the widget its host gives, showing the player's
// video. Full screen moves the picture into a window of its own, left with Esc or a
// double click; the engine window itself stays where the host put it.
#include <QPointer>
#include <QWidget>
#include <memory>

namespace qmpv {

class Renderer;

class VideoView : public QWidget {
  Q_OBJECT

 public:
  // Black without a renderer (video output replaced by the environment).
  VideoView(Renderer* renderer, QWidget* parent);
  ~VideoView() override;

  void SetFullScreen(bool on);
  bool IsFullScreen() const { return full_screen_ != nullptr; }
  // The widget that shows the frames; it lives in the full-screen window meanwhile.
  QWidget* display() const { return display_; }
  QWidget* FullScreenWindow() const;

 signals:
  void FullScreenChanged(bool on);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* display_ = nullptr;
  std::unique_ptr<QWidget> full_screen_;
};

}  // namespace qmpv
