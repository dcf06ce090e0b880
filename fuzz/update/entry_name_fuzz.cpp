// Feeds arbitrary entry names to the live update's name check. A name it lets through
// must land below the installation folder once the path is resolved the way the file
// system resolves it, whatever dots, slashes and bytes it holds.
#include <QDir>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/update/unzipper.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string name(reinterpret_cast<const char*>(data), size);
  if (!CUnzipper::IsSafeEntryName(name)) return 0;
  const QString root = "/opt/quillon";
  const QString resolved = QDir::cleanPath(root + "/" + QString::fromLatin1(name.data(), int(name.size())));
  Check(resolved.startsWith(root + "/") || resolved == root);
  return 0;
}
