#include "platform/com/stream.h"

#include <algorithm>
#include <cstring>

namespace qcom {

HRESULT MemoryStream::Read(void* data, ULONG size, ULONG* read) {
  if (!data && size > 0) return E_POINTER;
  const size_t n = std::min<size_t>(size, bytes_.size() - pos_);
  if (n > 0) std::memcpy(data, bytes_.data() + pos_, n);
  pos_ += n;
  if (read) *read = ULONG(n);
  return n == size ? S_OK : S_FALSE;
}

HRESULT MemoryStream::Write(const void* data, ULONG size, ULONG* written) {
  if (!data && size > 0) return E_POINTER;
  bytes_.append(static_cast<const char*>(data), size);
  if (written) *written = size;
  return S_OK;
}

std::string PropertyText(const PropertyList& properties) {
  std::string text;
  for (const auto& [name, value] : properties) {
    text += name;
    text += '=';
    for (char c : value) {
      if (c == '\\')
        text += "\\\\";
      else if (c == '\n')
        text += "\\n";
      else
        text += c;
    }
    text += '\n';
  }
  return text;
}

HRESULT ReadProperties(IStream* stream, PropertyList* out) {
  if (!stream || !out) return E_POINTER;
  std::string text;
  char buf[4096];
  for (;;) {
    ULONG got = 0;
    const HRESULT hr = stream->Read(buf, sizeof buf, &got);
    if (FAILED(hr)) return hr;
    text.append(buf, got);
    if (got < sizeof buf) break;
  }
  out->clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string value;
    for (size_t i = eq + 1; i < line.size(); ++i) {
      if (line[i] == '\\' && i + 1 < line.size()) {
        ++i;
        value += line[i] == 'n' ? '\n' : line[i];
      } else {
        value += line[i];
      }
    }
    out->emplace_back(line.substr(0, eq), std::move(value));
  }
  return S_OK;
}

}  // namespace qcom
