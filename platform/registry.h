#pragma once
// The system's registry: keys under two roots holding string values, kept in one INI
// store per root in $QUILLON_REGISTRY_DIR (else $XDG_CONFIG_HOME/quillon/registry/).
// Key paths may be written with '\' or '/'. A value name of "" is the key's default
// value. Every write is flushed at once and replaces the store atomically.
#include <memory>
#include <string>
#include <vector>

class QSettings;

namespace qreg {

enum class Root { LocalMachine, ClassesRoot };

// The folder that holds the stores.
std::string StoreDir();

class Key {
 public:
  // Opens root\path with full access, creating it when missing. Null when the store
  // cannot be written, as a registry without rights refuses the open.
  static std::unique_ptr<Key> Open(Root root, const std::string& path);
  ~Key();

  // A missing value reads as "".
  std::string ReadString(const std::string& name) const;
  bool ValueExists(const std::string& name) const;
  // False when the store refused the write, or its disk has no room for it; the
  // store then holds what it held.
  bool WriteString(const std::string& name, const std::string& value);
  bool DeleteValue(const std::string& name);
  std::vector<std::string> ValueNames() const;

 private:
  Key(std::unique_ptr<QSettings> store, std::string group);
  std::unique_ptr<QSettings> store_;
  std::string group_;
};

// Removes root\path with its values and subkeys. False when the store refused it.
bool DeleteKey(Root root, const std::string& path);

}  // namespace qreg
