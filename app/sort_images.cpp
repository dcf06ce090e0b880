#include "app/sort_images.h"

#include <QPainter>
#include <QPolygonF>

namespace sortimages {

QPixmap Marker(bool up, int size) {
  QPixmap image(size, size);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(Qt::NoBrush);
  // A triangle half the picture wide, centred, a little flatter than it is wide; its
  // corners sit on pixel centres so the one-pixel outline stays sharp.
  const int w = size / 2;
  const int h = (size * 3) / 8;
  const double left = (size - w) / 2 + 0.5;
  const double top = (size - h) / 2 + 0.5;
  QPolygonF triangle;
  if (up)
    triangle << QPointF(left, top + h) << QPointF(left + w, top + h) << QPointF(left + w / 2.0, top);
  else
    triangle << QPointF(left, top) << QPointF(left + w, top) << QPointF(left + w / 2.0, top + h);
  // A pale halo under the dark outline: the marker shows on light and dark headers.
  p.setPen(QPen(QColor(255, 255, 255, 170), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolygon(triangle);
  p.setPen(QPen(QColor(64, 64, 64), 1.0));
  p.drawPolygon(triangle);
  return image;
}

}  // namespace sortimages
