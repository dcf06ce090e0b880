#include <atomic>

#include "platform/com/object.h"

namespace qcom {
namespace {
std::atomic<LONG> g_count{0};
}  // namespace

void ModuleAddRef() { ++g_count; }
void ModuleRelease() { --g_count; }
LONG ModuleCount() { return g_count; }

}  // namespace qcom
