#pragma once
// The scripted engine module: a test-only component module registered under the class
// ids of both media engines. Its engines answer the engines' automation members by
// their dispids and raise their events, and are the scripted engines of
// scripted_engines.h underneath, which the tests reach through this module's table.
#include "tests/player/scripted_engines.h"

struct ScriptedModule {
  // Set by the test before the engines are made.
  bool realPresent = true;
  bool mediaPresent = true;
  bool realMuted = false;
  bool mediaMuted = false;
  // Kept by the module: the engines made last (null once they are gone), and counts.
  scripted::Real* real = nullptr;
  scripted::Media* media = nullptr;
  int realCreated = 0;
  int mediaCreated = 0;
};

// The module's table, exported by name.
using ScriptedModuleEntry = ScriptedModule* (*)();
inline constexpr const char* kScriptedModuleEntry = "ScriptedEngineModule";
