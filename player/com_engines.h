#pragma once
// The media engines installed on the machine: the RealPlayer and Windows Media Player
// engine modules of the system directory, each created by its class id through the
// component runtime, hosted in place inside the control's video area and driven
// through its automation interface, so every failure carries the engine's own text.
#include <memory>

#include "player/engines.h"

namespace qplayer {

std::unique_ptr<EngineFactory> RegisteredEngines();

}  // namespace qplayer
