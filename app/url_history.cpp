#include "app/url_history.h"

#include <algorithm>
#include <iterator>

#include "platform/registry.h"

namespace urlhistory {

std::string ValueName(int index) { return "URL" + std::to_string(index); }

History Load() {
  History history;
  const auto key = qreg::Key::Open(qreg::Root::LocalMachine, kKey);
  if (!key) return history;
  for (int i = 0; i < kStored; ++i) history.push_back(key->ReadString(ValueName(i)));
  return history;
}

bool Save(const History& history) {
  const auto key = qreg::Key::Open(qreg::Root::LocalMachine, kKey);
  if (!key) return false;
  const int count = std::min(int(history.size()), kStored);
  for (int i = 0; i < count; ++i)
    if (!key->WriteString(ValueName(i), history[size_t(i)])) return false;
  return true;
}

void Confirm(History& history, const std::string& location) {
  if (location.empty()) return;
  std::erase(history, location);
  history.insert(history.begin(), location);
}

History Offered(const History& history) {
  History offered;
  std::copy_if(history.begin(), history.end(), std::back_inserter(offered), [](const std::string& e) { return !e.empty(); });
  return offered;
}

}  // namespace urlhistory
