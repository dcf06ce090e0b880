#pragma once
// The OpenGL renderer: libmpv draws into a texture of a private context that shares
// its textures with the windows' contexts; a QOpenGLWidget shows that texture. The
// private context keeps the player's video independent of the widget's life, so
// moving the widget into the full-screen window and back loses nothing.
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <memory>

#include "platform/engines/renderer.h"

namespace qmpv {

class GlRenderer : public Renderer {
  Q_OBJECT

 public:
  // Null when no shared OpenGL context with framebuffer blits can be had.
  static std::unique_ptr<GlRenderer> Create(mpv_handle* handle);
  ~GlRenderer() override;
  Kind kind() const override { return Kind::OpenGL; }
  QWidget* CreateDisplay(QWidget* parent) override;

  // The texture holding the last frame, in GL's bottom-up row order, and its size.
  unsigned texture() const { return texture_; }
  QSize TextureSize() const { return texture_size_; }

 private:
  GlRenderer() = default;
  bool Draw() override;
  QOpenGLContext gl_;
  QOffscreenSurface surface_;
  unsigned framebuffer_ = 0;
  unsigned texture_ = 0;
  QSize texture_size_;
};

}  // namespace qmpv
