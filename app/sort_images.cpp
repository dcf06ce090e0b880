#include "app/sort_images.h"

#include <QPainter>
#include <QPolygonF>

namespace sortimages {

QPixmap Marker(bool up, int size) {
  QPixmap image(size, size);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(96, 96, 96), 1.0));
  p.setBrush(Qt::NoBrush);
  // A triangle half the picture wide, centred, a little flatter than it is wide.
  const double w = size / 2.0;
  const double h = size * 0.375;
  const double left = (size - w) / 2.0;
  const double top = (size - h) / 2.0;
  QPolygonF triangle;
  if (up)
    triangle << QPointF(left, top + h) << QPointF(left + w, top + h) << QPointF(left + w / 2.0, top);
  else
    triangle << QPointF(left, top) << QPointF(left + w, top) << QPointF(left + w / 2.0, top + h);
  p.drawPolygon(triangle);
  return image;
}

}  // namespace sortimages
