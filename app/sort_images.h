#pragma once
// The sort markers of the channel list's header: outlined triangles on a pale halo,
// one pointing up for ascending order and one pointing down for descending.
#include <QPixmap>

namespace sortimages {

// A size by size picture on a transparent ground.
QPixmap Marker(bool up, int size = 16);

}  // namespace sortimages
