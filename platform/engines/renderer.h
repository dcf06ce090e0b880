#pragma once
// Draws a player's video through the libmpv render API, independent of any widget,
// so frames are taken from the player even while its window is hidden (a player
// whose frames are not taken stalls). OpenGL renders in a context of its own that
// shares its textures with the windows; where no such context can be had (offscreen,
// no GL), the software renderer draws into a QImage.
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <memory>

struct mpv_handle;
struct mpv_render_context;
class QWidget;

namespace qmpv {

class Renderer : public QObject {
  Q_OBJECT

 public:
  enum class Kind { Software, OpenGL };

  // OpenGL when a context sharing with the windows' contexts can be made (the
  // program sets Qt::AA_ShareOpenGLContexts), else software; QUILLON_VIDEO=software
  // forces software. Null with *error set when neither can attach to the player.
  static std::unique_ptr<Renderer> Create(mpv_handle* handle, QString* error);
  ~Renderer() override;

  virtual Kind kind() const = 0;
  // A widget that shows the frames; it tells the renderer its size.
  virtual QWidget* CreateDisplay(QWidget* parent) = 0;

  // The picture size in device pixels. A change redraws the current frame at once.
  void SetTargetSize(QSize size);
  QSize TargetSize() const { return target_; }
  // Frames drawn so far.
  int64_t FrameCount() const { return frames_; }

 signals:
  void FrameReady();

 protected:
  Renderer() = default;
  // Takes the render context and starts listening for frames.
  void Attach(mpv_render_context* context);
  // Frees the render context; the GL renderer calls it with its context current.
  void Detach();
  // Draws the current frame at TargetSize(); true when something was drawn.
  virtual bool Draw() = 0;
  mpv_render_context* context_ = nullptr;

 private:
  static void OnUpdate(void* self);
  void Updated();
  void Redraw();
  QSize target_{16, 16};
  int64_t frames_ = 0;
};

// Software: frames in a QImage of the target size.
class SoftwareRenderer : public Renderer {
  Q_OBJECT

 public:
  static std::unique_ptr<SoftwareRenderer> Create(mpv_handle* handle, QString* error);
  ~SoftwareRenderer() override;
  Kind kind() const override { return Kind::Software; }
  QWidget* CreateDisplay(QWidget* parent) override;
  const QImage& image() const { return image_; }

 private:
  SoftwareRenderer() = default;
  bool Draw() override;
  QImage image_;
};

}  // namespace qmpv
