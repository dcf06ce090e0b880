#pragma once
// A control's stored initial state travels as an IStream of "Name=Value" lines
// (a '\' or a line break inside a value is written \\ or \n). The host writes it from
// its list of properties, the control reads it back in the same order.
#include <string>
#include <utility>
#include <vector>

#include "platform/com/object.h"

namespace qcom {

using PropertyList = std::vector<std::pair<std::string, std::string>>;

// Bytes in memory, read from the start.
class MemoryStream : public Object<IStream> {
 public:
  explicit MemoryStream(std::string bytes = {}) : bytes_(std::move(bytes)) {}
  HRESULT Read(void* data, ULONG size, ULONG* read) override;
  HRESULT Write(const void* data, ULONG size, ULONG* written) override;
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
  size_t pos_ = 0;
};

std::string PropertyText(const PropertyList& properties);
// Reads the rest of the stream; a line without '=' is skipped.
HRESULT ReadProperties(IStream* stream, PropertyList* out);

}  // namespace qcom
