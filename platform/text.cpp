#include "platform/text.h"

#include <QCollator>
#include <QLocale>

namespace qtext {
namespace {

bool IsAscii(std::string_view s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

// One per thread: a collator is not made to be shared between threads, and a playlist
// import merges on a thread of its own.
const QCollator& Collator() {
  thread_local const QCollator collator = [] {
    QCollator c{QLocale()};
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
  }();
  return collator;
}

}  // namespace

std::string LowerCase(std::string_view s) {
  if (IsAscii(s)) {
    std::string out(s);
    for (char& c : out)
      if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
  }
  return FromQ(QLocale().toLower(ToQ(s)));
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() == b.size() && IsAscii(a) && IsAscii(b)) {
    for (size_t i = 0; i < a.size(); ++i) {
      char x = a[i], y = b[i];
      if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
      if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
      if (x != y) return false;
    }
    return true;
  }
  return LowerCase(a) == LowerCase(b);
}

int CompareText(std::string_view a, std::string_view b) {
  if (SameText(a, b)) return 0;
  const int c = Collator().compare(ToQ(a), ToQ(b));
  if (c != 0) return c < 0 ? -1 : 1;
  // The collator may call two texts equal that differ in more than case; keep a
  // total order so sorted lists stay stable.
  const std::string la = LowerCase(a), lb = LowerCase(b);
  return la < lb ? -1 : 1;
}

std::string Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
  return std::string(s.substr(b, e - b));
}

std::string FormatText(std::string_view format, std::string_view arg) {
  std::string out;
  out.reserve(format.size() + arg.size());
  bool used = false;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      const char n = format[i + 1];
      if (n == '%') {
        out += '%';
        ++i;
        continue;
      }
      if (n == 's' && !used) {
        out += arg;
        used = true;
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return out;
}

}  // namespace qtext
