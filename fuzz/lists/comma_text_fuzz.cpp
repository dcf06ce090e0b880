// Feeds arbitrary bytes to the comma text rules: lines and fields must stay inside the
// text, the copying and the viewing splitters must agree, and the fields of a line
// joined by the writer must split back into the same fields.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "library/comma_text.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<commatext::FieldView> views;
  for (std::string_view line : commatext::Lines(text)) {
    Check(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos);
    Check(line.data() >= text.data() && line.data() + line.size() <= text.data() + text.size());

    const std::vector<std::string> fields = commatext::Split(line);
    commatext::SplitViews(line, views);
    Check(views.size() == fields.size());
    for (size_t i = 0; i < fields.size(); ++i) Check(views[i].str() == fields[i]);

    // One empty field joins to an empty line, which holds no field at all: a record
    // always has nine.
    if (fields.size() == 1 && fields[0].empty()) continue;
    Check(commatext::Split(commatext::Join(fields)) == fields);
  }
  return 0;
}
