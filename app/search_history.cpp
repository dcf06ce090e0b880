#include "app/search_history.h"

#include <algorithm>

#include "platform/registry.h"

namespace search {
namespace {

std::string ValueName(int i) { return "Search" + std::to_string(i); }

}  // namespace

bool Run(const ListMag& library, const std::string& text, ListMag& results) {
  results.Clear();
  library.Search(text, &results);
  return results.Save();
}

std::vector<std::string> LoadHistory() {
  std::vector<std::string> history;
  const auto key = qreg::Key::Open(qreg::Root::LocalMachine, kHistoryKey);
  if (!key) return history;
  for (int i = 0; i < kHistorySize; ++i) history.push_back(key->ReadString(ValueName(i)));
  return history;
}

void SaveHistory(const std::vector<std::string>& history) {
  const auto key = qreg::Key::Open(qreg::Root::LocalMachine, kHistoryKey);
  if (!key) return;
  // Every write rewrites the whole store, so a value that already holds its text is
  // left alone. A value the store refuses keeps its old text, as a registry without
  // room does.
  const int count = std::min(kHistorySize, int(history.size()));
  for (int i = 0; i < count; ++i) {
    const std::string name = ValueName(i);
    const std::string& text = history[size_t(i)];
    if (!key->ValueExists(name) || key->ReadString(name) != text) key->WriteString(name, text);
  }
}

void Remember(std::vector<std::string>& history, const std::string& text) {
  std::erase(history, text);
  history.insert(history.begin(), text);
}

std::vector<std::string> DropDownItems(const std::vector<std::string>& history) {
  std::vector<std::string> items;
  std::copy_if(history.begin(), history.end(), std::back_inserter(items), [](const std::string& s) { return !s.empty(); });
  return items;
}

}  // namespace search
