#include "platform/engines/renderer.h"

#include <mpv/render.h>

#include <QPainter>
#include <QResizeEvent>
#include <QWidget>
#include <cstdlib>
#include <cstring>

#include "platform/engines/gl_renderer.h"

namespace qmpv {

namespace {

// Shows a software renderer's frames and tells it the size to draw at: the
// widget's size while shown, a token size while hidden, so a hidden player keeps
// taking frames at almost no cost.
class SoftwareDisplay : public QWidget {
 public:
  SoftwareDisplay(SoftwareRenderer* renderer, QWidget* parent) : QWidget(parent), renderer_(renderer) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(renderer, &Renderer::FrameReady, this, qOverload<>(&QWidget::update));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QImage& image = renderer_->image();
    if (isVisible() && image.size() == DeviceSize()) {
      QImage shown = image;
      shown.setDevicePixelRatio(devicePixelRatioF());
      p.drawImage(QPoint(0, 0), shown);
    } else {
      p.fillRect(rect(), Qt::black);
    }
  }
  void resizeEvent(QResizeEvent*) override { Follow(); }
  void showEvent(QShowEvent*) override { Follow(); }
  void hideEvent(QHideEvent*) override { renderer_->SetTargetSize({16, 16}); }

 private:
  QSize DeviceSize() const { return (QSizeF(size()) * devicePixelRatioF()).toSize().expandedTo({1, 1}); }
  void Follow() {
    if (isVisible()) renderer_->SetTargetSize(DeviceSize());
  }
  SoftwareRenderer* renderer_;
};

}  // namespace

std::unique_ptr<Renderer> Renderer::Create(mpv_handle* handle, QString* error) {
  const char* forced = std::getenv("QUILLON_VIDEO");
  if (!(forced && std::strcmp(forced, "software") == 0)) {
    if (auto gl = GlRenderer::Create(handle)) return gl;
  }
  return SoftwareRenderer::Create(handle, error);
}

Renderer::~Renderer() = default;

void Renderer::Attach(mpv_render_context* context) {
  context_ = context;
  mpv_render_context_set_update_callback(context_, &Renderer::OnUpdate, this);
}

void Renderer::Detach() {
  if (!context_) return;
  mpv_render_context_set_update_callback(context_, nullptr, nullptr);
  mpv_render_context_free(context_);
  context_ = nullptr;
}

void Renderer::OnUpdate(void* self) {
  // Runs on a libmpv thread: only post.
  QMetaObject::invokeMethod(static_cast<Renderer*>(self), &Renderer::Updated, Qt::QueuedConnection);
}

void Renderer::Updated() {
  if (!context_) return;
  if (mpv_render_context_update(context_) & MPV_RENDER_UPDATE_FRAME) Redraw();
}

void Renderer::Redraw() {
  if (context_ && Draw()) {
    ++frames_;
    emit FrameReady();
  }
}

void Renderer::SetTargetSize(QSize size) {
  size = size.expandedTo({1, 1});
  if (size == target_) return;
  target_ = size;
  Redraw();
}

std::unique_ptr<SoftwareRenderer> SoftwareRenderer::Create(mpv_handle* handle, QString* error) {
  std::unique_ptr<SoftwareRenderer> r(new SoftwareRenderer);
  mpv_render_param params[] = {
      {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_SW)},
      {MPV_RENDER_PARAM_INVALID, nullptr},
  };
  mpv_render_context* context = nullptr;
  const int rc = mpv_render_context_create(&context, handle, params);
  if (rc < 0) {
    *error = QString("The video output could not be started: %1.").arg(mpv_error_string(rc));
    return nullptr;
  }
  r->Attach(context);
  return r;
}

SoftwareRenderer::~SoftwareRenderer() { Detach(); }

QWidget* SoftwareRenderer::CreateDisplay(QWidget* parent) { return new SoftwareDisplay(this, parent); }

bool SoftwareRenderer::Draw() {
  if (image_.size() != TargetSize()) image_ = QImage(TargetSize(), QImage::Format_RGBX8888);
  if (image_.isNull()) return false;
  int size[2] = {image_.width(), image_.height()};
  size_t stride = size_t(image_.bytesPerLine());
  mpv_render_param params[] = {
      {MPV_RENDER_PARAM_SW_SIZE, size},
      {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char*>("rgb0")},
      {MPV_RENDER_PARAM_SW_STRIDE, &stride},
      {MPV_RENDER_PARAM_SW_POINTER, image_.bits()},
      {MPV_RENDER_PARAM_INVALID, nullptr},
  };
  if (mpv_render_context_render(context_, params) < 0) return false;
  // mpv leaves the padding byte undefined; Qt's RGBX wants it opaque.
  for (int y = 0; y < image_.height(); ++y) {
    uchar* px = image_.scanLine(y);
    for (int x = 0; x < image_.width(); ++x) px[4 * x + 3] = 0xff;
  }
  return true;
}

}  // namespace qmpv
