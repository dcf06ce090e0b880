#include "player/pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace qplayer::pictures {
namespace {

constexpr int kBarHeight = 37;

QImage Blank(QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// The ground of the control bar, the same in every picture that lies on it.
void PaintBar(QPainter& p, const QRect& r) {
  QLinearGradient g(0, r.top(), 0, r.bottom() + 1);
  g.setColorAt(0.0, QColor(0x4b, 0x52, 0x5d));
  g.setColorAt(0.45, QColor(0x35, 0x3b, 0x44));
  g.setColorAt(1.0, QColor(0x22, 0x26, 0x2c));
  p.fillRect(r, g);
  p.fillRect(QRect(r.left(), r.top(), r.width(), 1), QColor(0x62, 0x6a, 0x77));
}

struct Face {
  QColor top, bottom, border, glyph;
};

Face FaceOf(State s) {
  switch (s) {
    case State::Hover: return {QColor(0x6c, 0x75, 0x83), QColor(0x47, 0x4e, 0x59), QColor(0x16, 0x19, 0x1e), QColor(0xff, 0xff, 0xff)};
    case State::Down: return {QColor(0x2b, 0x30, 0x37), QColor(0x3e, 0x45, 0x4e), QColor(0x12, 0x14, 0x18), QColor(0xdb, 0xe2, 0xea)};
    case State::Disabled: return {QColor(0x48, 0x4e, 0x57), QColor(0x3a, 0x3f, 0x46), QColor(0x25, 0x29, 0x2f), QColor(0x7a, 0x81, 0x8b)};
    case State::Normal: break;
  }
  return {QColor(0x5b, 0x63, 0x6f), QColor(0x3b, 0x42, 0x4b), QColor(0x18, 0x1b, 0x20), QColor(0xee, 0xf2, 0xf7)};
}

// A raised rounded face; pressed, it is sunk and the glyph moves by a pixel.
QColor PaintFace(QPainter& p, const QRectF& r, qreal radius, State s) {
  const Face f = FaceOf(s);
  QLinearGradient g(0, r.top(), 0, r.bottom());
  g.setColorAt(0, f.top);
  g.setColorAt(1, f.bottom);
  p.setPen(QPen(f.border, 1));
  p.setBrush(g);
  p.drawRoundedRect(r, radius, radius);
  if (s != State::Down && s != State::Disabled) {
    p.setPen(QPen(QColor(255, 255, 255, 46), 1));
    p.drawLine(QPointF(r.left() + radius, r.top() + 1), QPointF(r.right() - radius, r.top() + 1));
  }
  if (s == State::Down) p.translate(0, 1);
  return f.glyph;
}

void PaintMenuGlyph(QPainter& p, QColor c) {
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  for (int i = 0; i < 3; ++i) p.drawRoundedRect(QRectF(17, 12 + i * 5, 17, 2.2), 1, 1);
  QPainterPath arrow;
  arrow.moveTo(38.5, 16.5);
  arrow.lineTo(45.5, 16.5);
  arrow.lineTo(42, 20.5);
  arrow.closeSubpath();
  p.drawPath(arrow);
}

void PaintPlay(QPainter& p, State s) {
  const QPointF centre(28, 18.5);
  const qreal r = 14.5;
  QColor top(0x62, 0xae, 0xff), bottom(0x1f, 0x5e, 0xd2), ring(0x0d, 0x25, 0x4d), glyph(Qt::white);
  if (s == State::Hover) {
    top = QColor(0x80, 0xbf, 0xff);
    bottom = QColor(0x2f, 0x72, 0xe6);
  } else if (s == State::Down) {
    top = QColor(0x1a, 0x4f, 0xb0);
    bottom = QColor(0x3a, 0x86, 0xf0);
  } else if (s == State::Disabled) {
    top = QColor(0x55, 0x5c, 0x66);
    bottom = QColor(0x3c, 0x42, 0x4a);
    ring = QColor(0x25, 0x29, 0x2f);
    glyph = QColor(0x82, 0x89, 0x93);
  }
  QLinearGradient g(0, centre.y() - r, 0, centre.y() + r);
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.setPen(QPen(ring, 1));
  p.setBrush(g);
  p.drawEllipse(centre, r, r);
  if (s != State::Disabled && s != State::Down) {
    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(centre.x() - r + 2, centre.y() - r + 2, 2 * r - 4, 2 * r - 4), 40 * 16, 100 * 16);
  }
  if (s == State::Down) p.translate(0, 1);
  QPainterPath tri;
  tri.moveTo(centre.x() - 4.5, centre.y() - 7);
  tri.lineTo(centre.x() + 7.5, centre.y());
  tri.lineTo(centre.x() - 4.5, centre.y() + 7);
  tri.closeSubpath();
  p.setPen(QPen(glyph, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(glyph);
  p.drawPath(tri);
}

void PaintSpeaker(QPainter& p, QColor c, bool muted) {
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  QPainterPath body;
  body.moveTo(4.5, 15.5);
  body.lineTo(8, 15.5);
  body.lineTo(12.5, 11.5);
  body.lineTo(12.5, 25.5);
  body.lineTo(8, 21.5);
  body.lineTo(4.5, 21.5);
  body.closeSubpath();
  p.drawPath(body);
  if (muted) {
    const QColor cross = c.value() < 0x90 ? c : QColor(0xff, 0x6b, 0x5e);
    p.setPen(QPen(cross, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15.5, 15.5), QPointF(21, 21.5));
    p.drawLine(QPointF(21, 15.5), QPointF(15.5, 21.5));
    return;
  }
  p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(9.5, 14, 8, 9), -50 * 16, 100 * 16);
  p.drawArc(QRectF(8, 10.5, 13, 16), -50 * 16, 100 * 16);
}

}  // namespace

QColor BarLine() { return QColor(0x0b, 0x0d, 0x10); }
QColor DisplayText() { return QColor(0x9e, 0xcb, 0xff); }
QColor StripGround() { return QColor(0x10, 0x15, 0x1d); }
QColor Accent() { return QColor(0x3d, 0x8b, 0xfd); }
QColor BrandRed() { return QColor(0xff, 0x00, 0x00); }

QSize ButtonSize(Button b) {
  switch (b) {
    case Button::Menu: return {60, kBarHeight};
    case Button::Play: return {56, kBarHeight};
    case Button::HideBar: return {40, kBarHeight};
    case Button::CloseStrip: return {17, 25};
    case Button::Pause:
    case Button::Stop:
    case Button::Sound:
    case Button::SoundMuted: break;
  }
  return {25, kBarHeight};
}

QImage ButtonPicture(Button b, State s) {
  const QSize size = ButtonSize(b);
  QImage image = Blank(size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  if (b == Button::CloseStrip) {
    p.fillRect(image.rect(), StripGround());
    QColor c = s == State::Hover ? QColor(0xff, 0xff, 0xff) : s == State::Disabled ? QColor(0x4a, 0x52, 0x5e) : QColor(0x9a, 0xa4, 0xb2);
    if (s == State::Hover || s == State::Down) {
      p.setPen(Qt::NoPen);
      p.setBrush(s == State::Down ? QColor(0xb0, 0x2a, 0x22) : QColor(0xd8, 0x3b, 0x30));
      p.drawRoundedRect(QRectF(2, 6, 13, 13), 3, 3);
    }
    p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5.5, 9.5), QPointF(11.5, 15.5));
    p.drawLine(QPointF(11.5, 9.5), QPointF(5.5, 15.5));
    return image;
  }
  PaintBar(p, image.rect());
  switch (b) {
    case Button::Menu: PaintMenuGlyph(p, PaintFace(p, QRectF(4.5, 5.5, 51, 26), 5, s)); break;
    case Button::Play: PaintPlay(p, s); break;
    case Button::Pause: {
      const QColor c = PaintFace(p, QRectF(1.5, 6.5, 22, 24), 4, s);
      p.setPen(Qt::NoPen);
      p.setBrush(c);
      p.drawRoundedRect(QRectF(8, 13, 3, 11), 0.8, 0.8);
      p.drawRoundedRect(QRectF(14, 13, 3, 11), 0.8, 0.8);
      break;
    }
    case Button::Stop: {
      const QColor c = PaintFace(p, QRectF(1.5, 6.5, 22, 24), 4, s);
      p.setPen(Qt::NoPen);
      p.setBrush(c);
      p.drawRoundedRect(QRectF(8, 14, 9, 9), 1.2, 1.2);
      break;
    }
    case Button::Sound:
    case Button::SoundMuted: {
      const QColor c = PaintFace(p, QRectF(1.5, 6.5, 22, 24), 4, s);
      PaintSpeaker(p, c, b == Button::SoundMuted);
      break;
    }
    case Button::HideBar: {
      const QColor c = PaintFace(p, QRectF(4.5, 6.5, 31, 24), 4, s);
      p.setPen(QPen(c, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(Qt::NoBrush);
      QPainterPath chevron;
      chevron.moveTo(14.5, 15.5);
      chevron.lineTo(20, 21);
      chevron.lineTo(25.5, 15.5);
      p.drawPath(chevron);
      break;
    }
    case Button::CloseStrip: break;
  }
  return image;
}

QSize PanelSize(Panel panel) {
  switch (panel) {
    case Panel::DisplayLeft: return {35, kBarHeight};
    case Panel::DisplayMiddle: return {16, kBarHeight};
    case Panel::DisplayRight: return {15, kBarHeight};
    case Panel::VolumeGround: break;
  }
  return {75, kBarHeight};
}

QImage PanelPicture(Panel panel) {
  const QSize size = PanelSize(panel);
  QImage image = Blank(size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  PaintBar(p, image.rect());
  if (panel == Panel::VolumeGround) return image;

  // The sunk status display runs across the three pieces; its ends are rounded.
  const qreal top = 6.5, height = 24, radius = 5;
  QRectF display(0, top, size.width(), height);
  if (panel == Panel::DisplayLeft) display.adjust(2.5, 0, radius + 1, 0);
  if (panel == Panel::DisplayRight) display.adjust(-radius - 1, 0, -2.5, 0);
  if (panel == Panel::DisplayMiddle) display.adjust(-radius - 1, 0, radius + 1, 0);
  QLinearGradient g(0, top, 0, top + height);
  g.setColorAt(0, QColor(0x09, 0x0e, 0x14));
  g.setColorAt(1, QColor(0x14, 0x1d, 0x28));
  p.setPen(QPen(QColor(0x07, 0x09, 0x0c), 1));
  p.setBrush(g);
  p.drawRoundedRect(display, radius, radius);
  p.setPen(QPen(QColor(0x6a, 0x72, 0x7f, 150), 1));
  p.drawLine(QPointF(display.left() + radius, top + height + 1), QPointF(display.right() - radius, top + height + 1));

  if (panel == Panel::DisplayLeft) {
    // A small screen as the display's mark.
    const QColor c = DisplayText().darker(150);
    p.setPen(QPen(c, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(11.5, 12.5, 15, 11), 2, 2);
    p.drawLine(QPointF(16, 26), QPointF(22, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(19, 18), 1.6, 1.6);
  }
  return image;
}

QImage LogoGround(QSize size) {
  QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  QPainter p(&image);
  const QPointF centre(image.width() / 2.0, image.height() * 0.42);
  const qreal radius = std::max(image.width(), image.height()) * 0.75;
  QRadialGradient g(centre, radius);
  g.setColorAt(0.0, QColor(0x22, 0x2e, 0x40));
  g.setColorAt(0.55, QColor(0x12, 0x19, 0x24));
  g.setColorAt(1.0, QColor(0x07, 0x0a, 0x0f));
  p.fillRect(image.rect(), g);
  return image;
}

}  // namespace qplayer::pictures
