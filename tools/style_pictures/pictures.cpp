#include "tools/style_pictures/pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <algorithm>
#include <functional>

namespace stylepictures {

namespace {

const QColor kKey(255, 0, 255);

QImage Blank(int w, int h, QColor fill = Qt::transparent) {
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(fill);
  return image;
}

// n frames of w by h side by side, drawn on a see-through ground; draw paints frame k
// (from 0) into its rectangle.
QImage Strip(int w, int h, int n, const std::function<void(QPainter&, QRectF, int)>& draw) {
  QImage image = Blank(w * n, h);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  for (int k = 0; k < n; ++k) {
    p.save();
    p.setClipRect(QRect(k * w, 0, w, h));
    draw(p, QRectF(k * w, 0, w, h), k);
    p.restore();
  }
  return image;
}

// The picture as a bitmap without alpha: what is fully see-through becomes magenta
// when keyed, and every other pixel is laid over the colour the picture sits on, so
// soft edges carry no magenta fringe.
QImage Flatten(const QImage& image, QColor behind, bool keyed) {
  QImage out(image.size(), QImage::Format_RGB32);
  const QImage src = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < src.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < src.width(); ++x) {
      const int a = qAlpha(in[x]);
      if (keyed && a < 40) {
        line[x] = kKey.rgb();
        continue;
      }
      const auto over = [&](int v, int b) { return (v * a + b * (255 - a)) / 255; };
      line[x] = qRgb(over(qRed(in[x]), behind.red()), over(qGreen(in[x]), behind.green()), over(qBlue(in[x]), behind.blue()));
    }
  }
  return out;
}

QColor Mix(QColor a, QColor b, double t) {
  return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                          float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// A rounded face with a vertical gradient, an optional glassy highlight over its top
// half, and a border.
void Face(QPainter& p, QRectF r, double radius, QColor top, QColor bottom, QColor border, bool gloss) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  QPainterPath path;
  path.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
  p.fillPath(path, g);
  if (gloss) {
    QRectF hi = r.adjusted(1.5, 1.5, -1.5, -r.height() / 2);
    QPainterPath shine;
    shine.addRoundedRect(hi, std::max(0.0, radius - 1), std::max(0.0, radius - 1));
    QLinearGradient s(hi.topLeft(), hi.bottomLeft());
    s.setColorAt(0, QColor(255, 255, 255, 200));
    s.setColorAt(1, QColor(255, 255, 255, 40));
    p.fillPath(shine, s);
  } else {
    // A one-pixel light edge inside the top, as raised faces have.
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
  }
  p.setPen(QPen(border, 1));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

void Triangle(QPainter& p, QPointF centre, double size, int direction, QColor colour) {
  // direction: 0 up, 1 down.
  const double h = size * 0.55;
  QPolygonF t;
  if (direction == 0)
    t << QPointF(centre.x() - size / 2, centre.y() + h / 2) << QPointF(centre.x() + size / 2, centre.y() + h / 2)
      << QPointF(centre.x(), centre.y() - h / 2);
  else
    t << QPointF(centre.x() - size / 2, centre.y() - h / 2) << QPointF(centre.x() + size / 2, centre.y() - h / 2)
      << QPointF(centre.x(), centre.y() + h / 2);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(t);
}

QImage Turned(const QImage& image) { return image.transformed(QTransform().rotate(-90)); }

void TitleBackground(QPainter& p, const Palette& c, QRectF r) {
  QLinearGradient g(QPointF(0, 0), QPointF(0, c.titleHeight));
  g.setColorAt(0, c.titleTop);
  g.setColorAt(1, c.titleBottom);
  p.fillRect(r, g);
  if (c.titlePinstripe) {
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    for (int y = 1; y < c.titleHeight - 1; y += 2) p.drawLine(QPointF(r.left(), y + 0.5), QPointF(r.right() + 1, y + 0.5));
  }
  if (c.titleGloss) {
    QLinearGradient s(QPointF(0, 0), QPointF(0, c.titleHeight / 2.0));
    s.setColorAt(0, QColor(255, 255, 255, 120));
    s.setColorAt(1, QColor(255, 255, 255, 30));
    p.fillRect(QRectF(r.left(), 0, r.width(), c.titleHeight / 2.0), s);
  }
  p.setPen(QPen(QColor(255, 255, 255, 140), 1));
  p.drawLine(QPointF(r.left(), 0.5), QPointF(r.right() + 1, 0.5));
  p.setPen(QPen(c.titleLine, 1));
  p.drawLine(QPointF(r.left(), c.titleHeight - 0.5), QPointF(r.right() + 1, c.titleHeight - 0.5));
}

// The glyph of title button b (0 close .. 5 control box) in the square r.
void TitleGlyph(QPainter& p, int b, QRectF r, QColor colour) {
  const double s = r.width();
  const QPointF m = r.center();
  const double u = s * 0.22;
  QPen pen(colour, std::max(1.6, s / 9.0), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  switch (b) {
    case 0:
      p.drawLine(m + QPointF(-u, -u), m + QPointF(u, u));
      p.drawLine(m + QPointF(-u, u), m + QPointF(u, -u));
      break;
    case 1:
      p.drawRect(QRectF(m.x() - u, m.y() - u, 2 * u, 2 * u));
      p.drawLine(m + QPointF(-u, -u + 1), m + QPointF(u, -u + 1));
      break;
    case 2:
      p.drawLine(m + QPointF(-u, u), m + QPointF(u, u));
      break;
    case 3: {
      const double v = u * 0.75;
      p.drawRect(QRectF(m.x() - u, m.y() - v + 2, 2 * v, 2 * v));
      p.drawPolyline(QPolygonF{m + QPointF(-u + 3, -v), m + QPointF(-u + 3, -u - 1), m + QPointF(u, -u - 1),
                               m + QPointF(u, v - 2), m + QPointF(v, v - 2)});
      break;
    }
    case 4:
      p.drawArc(QRectF(m.x() - u * 0.8, m.y() - u * 1.1, u * 1.6, u * 1.4), 160 * 16, -250 * 16);
      p.drawPoint(m + QPointF(0, u * 1.1));
      break;
    default: {
      // A small screen on a stand, with its aerial.
      QPen thin(colour, std::max(1.2, s / 12.0));
      p.setPen(thin);
      QRectF screen(m.x() - u * 1.4, m.y() - u * 0.7, u * 2.8, u * 2.0);
      p.setBrush(QColor(colour.red(), colour.green(), colour.blue(), 80));
      p.drawRoundedRect(screen, 1.5, 1.5);
      p.drawLine(m + QPointF(-u * 0.6, -u * 0.7), m + QPointF(-u * 1.1, -u * 1.6));
      p.drawLine(m + QPointF(u * 0.6, -u * 0.7), m + QPointF(u * 1.1, -u * 1.6));
      p.drawLine(m + QPointF(-u * 0.8, u * 1.7), m + QPointF(u * 0.8, u * 1.7));
      break;
    }
  }
}

QImage TitleButtonStrip(const Palette& c) {
  const int s = c.titleButtonSize;
  const QImage strip = Strip(s, s, 18, [&](QPainter& p, QRectF r, int k) {
    const int b = k / 3, state = k % 3;
    if (!c.titleButtonKeyed) {
      p.save();
      p.translate(r.left(), -c.titleButtonTop);
      TitleBackground(p, c, QRectF(0, 0, s, c.titleHeight));
      p.restore();
    }
    const bool close = b == 0;
    if (b == 5) {
      // The control box: the glyph alone, brighter under the mouse.
      TitleGlyph(p, 5, r, state == 0 ? c.glyph : Mix(c.glyph, Qt::white, 0.5));
      return;
    }
    switch (c.titleButtons) {
      case TitleButtons::Circles: {
        // Close red, maximise green, minimise amber; restore green, help grey.
        static const QColor kinds[] = {QColor(236, 82, 72), QColor(84, 190, 72), QColor(244, 184, 48),
                                       QColor(84, 190, 72), QColor(150, 150, 160)};
        QColor base = kinds[b];
        if (state == 1) base = base.lighter(112);
        if (state == 2) base = base.darker(125);
        QRectF d = r.adjusted(1.5, 1.5, -1.5, -1.5);
        QRadialGradient g(d.center() + QPointF(0, d.height() * 0.25), d.width() * 0.7);
        g.setColorAt(0, base.lighter(135));
        g.setColorAt(1, base.darker(115));
        p.setPen(QPen(base.darker(170), 1));
        p.setBrush(g);
        p.drawEllipse(d);
        QRectF hi(d.left() + d.width() * 0.22, d.top() + 1, d.width() * 0.56, d.height() * 0.42);
        QLinearGradient s2(hi.topLeft(), hi.bottomLeft());
        s2.setColorAt(0, QColor(255, 255, 255, 210));
        s2.setColorAt(1, QColor(255, 255, 255, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(s2);
        p.drawEllipse(hi);
        if (state != 0) TitleGlyph(p, b, r.adjusted(s * 0.12, s * 0.12, -s * 0.12, -s * 0.12), base.darker(260));
        break;
      }
      case TitleButtons::Rounded: {
        QColor face = close ? c.closeFace : c.titleFace;
        if (state == 1) face = face.lighter(118);
        if (state == 2) face = face.darker(130);
        Face(p, r.adjusted(0.5, 0.5, -0.5, -0.5), s * 0.2, face.lighter(135), face, QColor(255, 255, 255, 220), true);
        TitleGlyph(p, b, r, c.glyph);
        break;
      }
      case TitleButtons::Flat: {
        QColor face = close ? c.closeFace : c.titleFace;
        if (state == 0) {
          // At rest a thin raised edge only, so the buttons still read as buttons.
          Face(p, r.adjusted(1, 1, -1, -1), 2.5, QColor(255, 255, 255, 50), QColor(255, 255, 255, 15),
               QColor(255, 255, 255, 90), false);
        } else {
          if (state == 2) face = face.darker(125);
          Face(p, r.adjusted(1, 1, -1, -1), 2.5, face.lighter(125), face, face.darker(140), false);
        }
        TitleGlyph(p, b, r, c.glyph);
        break;
      }
    }
  });
  return Flatten(strip, c.titleBottom, c.titleButtonKeyed);
}

QImage TitlePart(const Palette& c, int part) {
  // part: 0 left, 1 client, 2 right.
  const int w = part == 1 ? 8 : std::max(8, c.corner + 2);
  QImage image = Blank(w, c.titleHeight);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  if (part != 1 && c.corner > 0) {
    // The rounded corner; what lies outside it is see-through.
    QPainterPath path;
    const double r = c.corner;
    const double x = part == 0 ? 0 : w - 2 * r;
    path.addRoundedRect(QRectF(x, 0, 2 * r, c.titleHeight + 2 * r), r, r);
    QPainterPath clip;
    clip.addRect(QRectF(0, 0, w, c.titleHeight));
    p.setClipPath(path.intersected(clip));
  }
  TitleBackground(p, c, QRectF(0, 0, w, c.titleHeight));
  p.end();
  return Flatten(image, c.titleTop, true);
}

QImage Buttons(const Palette& c) {
  const QImage strip = Strip(32, 23, 4, [&](QPainter& p, QRectF r, int k) {
    const QRectF f = r.adjusted(0.5, 0.5, -0.5, -0.5);
    switch (k) {
      case 0: Face(p, f, c.radius, c.faceTop, c.faceBottom, c.border, c.gloss); break;
      case 1: Face(p, f, c.radius, c.hotTop, c.hotBottom, c.hotBorder, c.gloss); break;
      case 2: Face(p, f, c.radius, c.downTop, c.downBottom, c.border.darker(115), c.gloss); break;
      default:
        Face(p, f, c.radius, Mix(c.faceTop, c.formBg, 0.6), Mix(c.faceBottom, c.formBg, 0.6), Mix(c.border, c.formBg, 0.6),
             false);
    }
  });
  return Flatten(strip, c.formBg, c.buttonKeyed);
}

// Check boxes and radio buttons; round for radio buttons.
QImage Marks(const Palette& c, bool round, int frames) {
  const QImage strip = Strip(13, 13, frames, [&](QPainter& p, QRectF r, int k) {
    const bool checked = frames == 2 ? k == 1 : (k % 2) == 1;
    const bool disabled = frames == 4 && k >= 2;
    QColor border = disabled ? Mix(c.border, c.formBg, 0.5) : c.border;
    QRectF f = r.adjusted(0.5, 0.5, -0.5, -0.5);
    if (round) {
      QLinearGradient g(f.topLeft(), f.bottomLeft());
      g.setColorAt(0, QColor(250, 250, 250));
      g.setColorAt(1, disabled ? c.formBg : QColor(226, 226, 230));
      p.setPen(QPen(border, 1));
      p.setBrush(g);
      p.drawEllipse(f);
      if (checked) {
        p.setPen(Qt::NoPen);
        p.setBrush(disabled ? Mix(c.accent, c.formBg, 0.5) : c.accent);
        p.drawEllipse(f.center(), 2.6, 2.6);
      }
    } else {
      Face(p, f, 2, QColor(252, 252, 252), disabled ? c.formBg : QColor(224, 224, 228), border, false);
      if (checked) {
        p.setPen(QPen(disabled ? Mix(c.accent, c.formBg, 0.5) : c.accent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF{r.topLeft() + QPointF(3, 6.5), r.topLeft() + QPointF(5.5, 9), r.topLeft() + QPointF(10, 3.5)});
      }
    }
  });
  return Flatten(strip, c.formBg, true);
}

QImage ScrollButtons(const Palette& c) {
  const int s = c.scrollSize;
  const QImage strip = Strip(s, s, 6, [&](QPainter& p, QRectF r, int k) {
    const int dir = k / 3, state = k % 3;
    QColor top = c.scrollTop, bottom = c.scrollBottom;
    if (state == 1) top = top.lighter(106), bottom = bottom.lighter(108);
    if (state == 2) std::swap(top, bottom), top = top.darker(108), bottom = bottom.darker(108);
    p.fillRect(r, c.formBg);
    // Shaded across, so turned a quarter the horizontal bar's buttons shade downwards.
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    QPainterPath path;
    path.addRoundedRect(r.adjusted(1, 1, -1, -1), 2, 2);
    p.fillPath(path, g);
    p.setPen(QPen(c.scrollBorder, 1));
    p.drawPath(path);
    Triangle(p, r.center() + QPointF(0, dir == 0 ? -0.5 : 0.5), s * 0.45, dir, c.arrow);
  });
  return Flatten(strip, c.formBg, false);
}

QImage ScrollSlider(const Palette& c) {
  const int s = c.scrollSize;
  const QImage strip = Strip(s, 30, 3, [&](QPainter& p, QRectF r, int k) {
    QColor top = c.scrollTop, bottom = c.scrollBottom, border = c.scrollBorder;
    if (k == 1) top = top.lighter(108), bottom = bottom.lighter(108);
    if (k == 2) top = top.darker(110), bottom = bottom.darker(110);
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    QPainterPath path;
    path.addRoundedRect(r.adjusted(1.5, 0.5, -1.5, -0.5), (s - 3) / 2.5, (s - 3) / 2.5);
    p.fillPath(path, g);
    if (c.gloss) {
      QLinearGradient sh(r.topLeft(), r.topRight());
      sh.setColorAt(0, QColor(255, 255, 255, 150));
      sh.setColorAt(0.5, QColor(255, 255, 255, 20));
      sh.setColorAt(1, QColor(255, 255, 255, 0));
      p.fillPath(path, sh);
    }
    p.setPen(QPen(border, 1));
    p.drawPath(path);
    // Grip lines in the middle; the middle of the picture is never stretched over them.
    p.setPen(QPen(Mix(border, bottom, 0.4), 1));
    for (int i = -1; i <= 1; ++i) {
      const double y = r.center().y() + i * 3 + 0.5;
      p.drawLine(QPointF(r.left() + 4.5, y), QPointF(r.right() - 3.5, y));
    }
  });
  return Flatten(strip, Mix(c.formBg, c.scrollBorder, 0.1), true);
}

QImage TrackBar(const Palette& c) {
  QImage image = Blank(40, 6);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath path;
  path.addRoundedRect(QRectF(0.5, 0.5, 39, 5), 2.5, 2.5);
  QLinearGradient g(0, 0, 0, 6);
  g.setColorAt(0, c.border.darker(110));
  g.setColorAt(1, Mix(c.border, Qt::white, 0.6));
  p.fillPath(path, g);
  p.setPen(QPen(c.border.darker(120), 1));
  p.drawPath(path);
  p.end();
  return Flatten(image, c.formBg, true);
}

QImage TrackSlider(const Palette& c, bool vertical) {
  const int w = vertical ? 19 : 11, h = vertical ? 11 : 19;
  const QImage strip = Strip(w, h, 3, [&](QPainter& p, QRectF r, int k) {
    QColor top = k == 1 ? c.hotTop : k == 2 ? c.downTop : c.faceTop;
    QColor bottom = k == 1 ? c.hotBottom : k == 2 ? c.downBottom : c.faceBottom;
    Face(p, r.adjusted(0.5, 0.5, -0.5, -0.5), 3, top, bottom, k == 1 ? c.hotBorder : c.border, c.gloss);
    p.setPen(QPen(c.accent, 1.5));
    if (vertical)
      p.drawLine(QPointF(r.left() + 5, r.center().y()), QPointF(r.right() - 5, r.center().y()));
    else
      p.drawLine(QPointF(r.center().x(), r.top() + 5), QPointF(r.center().x(), r.bottom() - 5));
  });
  return Flatten(strip, c.formBg, true);
}

QImage ComboButton(const Palette& c) {
  const QImage strip = Strip(17, 20, 3, [&](QPainter& p, QRectF r, int k) {
    p.fillRect(r, Qt::white);
    QColor top = k == 1 ? c.hotTop : k == 2 ? c.downTop : c.faceTop;
    QColor bottom = k == 1 ? c.hotBottom : k == 2 ? c.downBottom : c.faceBottom;
    Face(p, r.adjusted(1, 1, -1, -1), std::min(c.radius, 3), top, bottom, k == 1 ? c.hotBorder : c.border, c.gloss);
    Triangle(p, r.center() + QPointF(0, 0.5), 7, 1, c.arrow);
  });
  return Flatten(strip, Qt::white, false);
}

QImage Progress(const Palette& c) { return Gradient(c.accent.lighter(130), c.accentDark, 16, 14, true); }

QImage Tabs(const Palette& c) {
  const QImage strip = Strip(40, 21, 3, [&](QPainter& p, QRectF r, int k) {
    QColor top = k == 2 ? Qt::white : k == 1 ? c.hotTop : c.faceTop;
    Face(p, r.adjusted(0.5, 0.5, -0.5, 4), c.radius, top, k == 2 ? c.formBg : c.faceBottom, c.border, false);
  });
  return Flatten(strip, c.formBg, false);
}

QImage ScrollArrows(const Palette& c) {
  const QImage up = Strip(12, 12, 2, [&](QPainter& p, QRectF r, int k) {
    p.fillRect(r, c.formBg);
    Triangle(p, r.center(), 8, k, c.arrow);
  });
  QImage out = Blank(48, 12, c.formBg);
  QPainter p(&out);
  p.drawImage(0, 0, up);
  const QImage side = Turned(up);  // left, then right
  p.drawImage(24, 0, side.copy(0, 12, 12, 12));
  p.drawImage(36, 0, side.copy(0, 0, 12, 12));
  p.end();
  return Flatten(out, c.formBg, false);
}

}  // namespace

QImage Pinstripes(QColor light, QColor dark, int width, int height) {
  QImage image = Blank(width, height, light);
  for (int y = 1; y < height; y += 2)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, dark.rgb());
  return image;
}

QImage Gradient(QColor top, QColor bottom, int width, int height, bool gloss) {
  QImage image = Blank(width, height);
  QPainter p(&image);
  QLinearGradient g(0, 0, 0, height);
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.fillRect(image.rect(), g);
  if (gloss) p.fillRect(QRect(0, 0, width, height / 2), QColor(255, 255, 255, 60));
  return image;
}

QImage Grain(QColor base, int size) {
  QImage image = Blank(size, size, base);
  // A fixed sprinkle of slightly darker dots: a paper-like ground, the same every build.
  unsigned seed = 12345;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      seed = seed * 1103515245u + 12345u;
      const int d = int((seed >> 16) % 5);
      image.setPixel(x, y, qRgb(base.red() - d, base.green() - d, base.blue() - d));
    }
  return image;
}

std::map<std::string, QImage> DrawLook(const Palette& c) {
  std::map<std::string, QImage> out;
  out["BUTTON"] = Buttons(c);
  out["CHECKBOX"] = Marks(c, false, 4);
  out["RADIOBUTTON"] = Marks(c, true, 4);
  out["CHECKLIST"] = Marks(c, false, 2);
  out["TITLEBTN"] = TitleButtonStrip(c);
  out["TITLE_LEFT"] = TitlePart(c, 0);
  out["TITLE_CLIENT"] = TitlePart(c, 1);
  out["TITLE_RIGHT"] = TitlePart(c, 2);
  out["PROGRESSBAR"] = Progress(c);
  out["TRACKBAR_BAR"] = TrackBar(c);
  out["TRACKBAR_SLIDER"] = TrackSlider(c, false);
  out["TRACKBAR_SLIDER_V"] = TrackSlider(c, true);
  out["SCROLLBAR_BUTTON"] = ScrollButtons(c);
  out["SCROLLBAR_TRACK"] = ScrollSlider(c);
  out["SCROLLBUTTON"] = ScrollArrows(c);
  out["TAB"] = Tabs(c);
  out["TAB_LINE"] = Blank(8, 4, c.border);
  out["SIDECHENNEL_HANDLE"] = Gradient(c.faceTop, c.faceBottom, 10, 40, c.gloss);
  out["SIDECHENNEL_BAR"] = Gradient(c.titleTop, c.titleBottom, 8, 24, c.titleGloss);
  out["COMBOBOX_BUTTON"] = ComboButton(c);
  return out;
}

}  // namespace stylepictures
