#include "player/engine_choice.h"

#include "platform/text.h"

namespace qplayer {

std::string LocationExtension(std::string_view location) {
  const size_t last = location.find_last_of(".\\:");
  if (last == std::string_view::npos || location[last] != '.') return {};
  return std::string(location.substr(last));
}

bool IsRealMedia(std::string_view location) {
  if (location.empty()) return false;
  if (location.find("rtsp://") != std::string_view::npos || location.find("pnm://") != std::string_view::npos)
    return true;
  const std::string ext = qtext::LowerCase(LocationExtension(location));
  // Containment, not equality: ".rm" also finds ".rmx", ".ra" also ".ram5".
  for (const char* real : {".rmvb", ".ram", ".pls", ".smil", ".smi", ".rpm", ".rm", ".ra", ".rt", ".rp"})
    if (ext.find(real) != std::string::npos) return true;
  return false;
}

}  // namespace qplayer
