#include "platform/engines/gl_renderer.h"

#include <mpv/render_gl.h>

#include <QOpenGLExtraFunctions>
#include <QOpenGLWidget>
#include <QPointer>

namespace qmpv {

namespace {

void* GetProcAddress(void* context, const char* name) {
  return reinterpret_cast<void*>(static_cast<QOpenGLContext*>(context)->getProcAddress(name));
}

bool CanBlit(QOpenGLContext& gl) {
  const QSurfaceFormat f = gl.format();
  return f.majorVersion() >= 3 || gl.hasExtension("GL_EXT_framebuffer_blit");
}

// Shows the renderer's texture by blitting it into the widget's framebuffer.
class GlDisplay : public QOpenGLWidget {
 public:
  GlDisplay(GlRenderer* renderer, QWidget* parent) : QOpenGLWidget(parent), renderer_(renderer) {
    connect(renderer, &Renderer::FrameReady, this, qOverload<>(&QWidget::update));
  }
  ~GlDisplay() override {
    makeCurrent();
    Release();
    doneCurrent();
  }

 protected:
  void initializeGL() override {
    // The context is remade when the widget moves to another window.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
      makeCurrent();
      Release();
      doneCurrent();
    });
  }
  void resizeGL(int w, int h) override { Follow(); }
  void showEvent(QShowEvent* e) override {
    QOpenGLWidget::showEvent(e);
    Follow();
  }
  void hideEvent(QHideEvent* e) override {
    QOpenGLWidget::hideEvent(e);
    if (renderer_) renderer_->SetTargetSize({16, 16});
  }
  void paintGL() override {
    QOpenGLExtraFunctions* f = context()->extraFunctions();
    f->glClearColor(0, 0, 0, 1);
    f->glClear(GL_COLOR_BUFFER_BIT);
    if (!renderer_ || !renderer_->texture()) return;
    if (!read_fbo_) f->glGenFramebuffers(1, &read_fbo_);
    const QSize src = renderer_->TextureSize();
    const QSize dst = DeviceSize();
    f->glBindFramebuffer(GL_READ_FRAMEBUFFER, read_fbo_);
    f->glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, renderer_->texture(), 0);
    f->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, defaultFramebufferObject());
    f->glBlitFramebuffer(0, 0, src.width(), src.height(), 0, 0, dst.width(), dst.height(), GL_COLOR_BUFFER_BIT,
                         src == dst ? GL_NEAREST : GL_LINEAR);
    f->glBindFramebuffer(GL_FRAMEBUFFER, defaultFramebufferObject());
  }

 private:
  QSize DeviceSize() const { return (QSizeF(size()) * devicePixelRatioF()).toSize().expandedTo({1, 1}); }
  void Follow() {
    if (renderer_ && isVisible()) renderer_->SetTargetSize(DeviceSize());
  }
  void Release() {
    if (read_fbo_ && context()) context()->extraFunctions()->glDeleteFramebuffers(1, &read_fbo_);
    read_fbo_ = 0;
  }
  QPointer<GlRenderer> renderer_;
  GLuint read_fbo_ = 0;
};

}  // namespace

std::unique_ptr<GlRenderer> GlRenderer::Create(mpv_handle* handle) {
  QOpenGLContext* shared = QOpenGLContext::globalShareContext();
  if (!shared) return nullptr;
  std::unique_ptr<GlRenderer> r(new GlRenderer);
  r->gl_.setShareContext(shared);
  r->gl_.setFormat(shared->format());
  if (!r->gl_.create() || !r->gl_.shareContext()) return nullptr;
  r->surface_.setFormat(r->gl_.format());
  r->surface_.create();
  if (!r->surface_.isValid() || !r->gl_.makeCurrent(&r->surface_)) return nullptr;
  if (!CanBlit(r->gl_)) {
    r->gl_.doneCurrent();
    return nullptr;
  }
  mpv_opengl_init_params init{&GetProcAddress, &r->gl_};
  mpv_render_param params[] = {
      {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
      {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &init},
      {MPV_RENDER_PARAM_INVALID, nullptr},
  };
  mpv_render_context* context = nullptr;
  const int rc = mpv_render_context_create(&context, handle, params);
  r->gl_.doneCurrent();
  if (rc < 0) return nullptr;
  r->Attach(context);
  return r;
}

GlRenderer::~GlRenderer() {
  // Only a renderer that was made whole holds GL objects.
  if (!context_ || !gl_.makeCurrent(&surface_)) return;
  Detach();
  QOpenGLExtraFunctions* f = gl_.extraFunctions();
  if (framebuffer_) f->glDeleteFramebuffers(1, &framebuffer_);
  if (texture_) f->glDeleteTextures(1, &texture_);
  gl_.doneCurrent();
}

QWidget* GlRenderer::CreateDisplay(QWidget* parent) { return new GlDisplay(this, parent); }

bool GlRenderer::Draw() {
  if (!gl_.makeCurrent(&surface_)) return false;
  QOpenGLExtraFunctions* f = gl_.extraFunctions();
  const QSize size = TargetSize();
  if (!texture_) {
    f->glGenTextures(1, &texture_);
    f->glGenFramebuffers(1, &framebuffer_);
  }
  if (texture_size_ != size) {
    f->glBindTexture(GL_TEXTURE_2D, texture_);
    f->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, size.width(), size.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    f->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    f->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    f->glBindTexture(GL_TEXTURE_2D, 0);
    f->glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    f->glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture_, 0);
    texture_size_ = size;
  }
  mpv_opengl_fbo fbo{int(framebuffer_), size.width(), size.height(), 0};
  int flip = 1;
  mpv_render_param params[] = {
      {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
      {MPV_RENDER_PARAM_FLIP_Y, &flip},
      {MPV_RENDER_PARAM_INVALID, nullptr},
  };
  const int rc = mpv_render_context_render(context_, params);
  // The widget's context reads the texture next: it must be complete by then.
  f->glFinish();
  gl_.doneCurrent();
  return rc >= 0;
}

}  // namespace qmpv
