#pragma once
// Whether an engine is installed: its module file in the system directory. A system
// directory that cannot be had means absent.
#include <string>

#include "platform/paths.h"

namespace engines {

inline bool ModuleInSystemDir(const char* name) {
  const std::string dir = qpaths::SystemDir();
  return !dir.empty() && qpaths::FileExists(dir + name);
}

// wmp.so, or by its second name wmp.ocx.
inline bool WindowsMediaPlayerPresent() { return ModuleInSystemDir("wmp.so") || ModuleInSystemDir("wmp.ocx"); }
inline bool RealPlayerPresent() { return ModuleInSystemDir("rmoc3260.so"); }

}  // namespace engines
