// Feeds arbitrary bytes to the theme file reader and looks every entry up again: the
// reader must reject or stop, never read outside the bytes, loop or over-allocate.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "skin/theme_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  suifile::HasMagic(bytes);
  try {
    TsuiThemeFileReader reader(bytes, "fuzz.sui");
    for (const auto& f : reader.Files()) {
      QBuffer* first = reader.GetFile(f.name);
      if (!first || first->pos() != 0) __builtin_trap();
      first->readAll();
      if (reader.GetFile(f.name) != first || first->pos() != 0) __builtin_trap();
    }
    for (const auto& [name, value] : reader.Integers()) reader.GetInteger(name);
    for (const auto& [name, value] : reader.Bools()) reader.GetBool(name);
    for (const auto& [name, value] : reader.Strs()) reader.GetStr(name);
  } catch (const std::runtime_error&) {
    // A damaged file is rejected with the text the user sees.
  }
  return 0;
}
