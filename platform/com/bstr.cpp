#include "platform/com/bstr.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr size_t kPrefix = sizeof(std::uint32_t);

std::uint32_t* PrefixOf(BSTR b) { return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(b) - kPrefix); }

size_t WideLength(const OLECHAR* s) {
  size_t n = 0;
  while (s[n]) ++n;
  return n;
}

}  // namespace

BSTR SysAllocStringLen(const OLECHAR* text, UINT len) {
  if (len > (std::numeric_limits<std::uint32_t>::max() - kPrefix - sizeof(OLECHAR)) / sizeof(OLECHAR)) return nullptr;
  const size_t bytes = size_t(len) * sizeof(OLECHAR);
  char* block = static_cast<char*>(std::malloc(kPrefix + bytes + sizeof(OLECHAR)));
  if (!block) return nullptr;
  const std::uint32_t prefix = std::uint32_t(bytes);
  std::memcpy(block, &prefix, kPrefix);
  BSTR b = reinterpret_cast<BSTR>(block + kPrefix);
  if (text)
    std::memcpy(b, text, bytes);
  else
    std::memset(b, 0, bytes);
  b[len] = 0;
  return b;
}

BSTR SysAllocString(const OLECHAR* text) {
  if (!text) return nullptr;
  return SysAllocStringLen(text, UINT(WideLength(text)));
}

void SysFreeString(BSTR text) {
  if (text) std::free(PrefixOf(text));
}

UINT SysStringLen(BSTR text) {
  if (!text) return 0;
  std::uint32_t bytes;
  std::memcpy(&bytes, PrefixOf(text), kPrefix);
  return UINT(bytes / sizeof(OLECHAR));
}

namespace qcom {

BSTR BstrFromQ(const QString& text) {
  return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.utf16()), UINT(text.size()));
}

QString QFromBstr(BSTR text) { return text ? QString::fromUtf16(text, qsizetype(SysStringLen(text))) : QString(); }

BSTR BstrFromText(std::string_view text) { return BstrFromQ(QString::fromLocal8Bit(text.data(), qsizetype(text.size()))); }

std::string TextFromBstr(BSTR text) { return QFromBstr(text).toLocal8Bit().toStdString(); }

std::string TextFromWide(const OLECHAR* text) {
  if (!text) return {};
  return QString::fromUtf16(text, qsizetype(WideLength(text))).toLocal8Bit().toStdString();
}

}  // namespace qcom
