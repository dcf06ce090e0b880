#pragma once
// Runs the store writer as a child process and kills it at a chosen moment.
#include <chrono>
#include <string>
#include <vector>

namespace reliability {

// Starts the store writer with args, waits for its "ready" and for `writes` whole
// writes, lets it run on for delay and kills it with SIGKILL. False when it did not
// start or ended by itself.
bool RunAndKill(const std::vector<std::string>& args, int writes, std::chrono::microseconds delay,
                std::string& error);

}  // namespace reliability
