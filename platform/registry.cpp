#include "platform/registry.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>
#include <QThread>
#include <cstdlib>
#include <fcntl.h>

#include "platform/text.h"

namespace qreg {
namespace {

constexpr qint64 kOwnerlessLockMs = 200;

const char* RootName(Root root) {
  return root == Root::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CLASSES_ROOT";
}

std::string GroupOf(const std::string& path) {
  std::string g;
  for (char c : path) g += (c == '\\') ? '/' : c;
  while (!g.empty() && g.back() == '/') g.pop_back();
  while (!g.empty() && g.front() == '/') g.erase(g.begin());
  return g;
}

// QSettings has no empty key name; the default value is stored under "@" as .reg
// files write it.
QString ValueKey(const std::string& group, const std::string& name) {
  return qtext::ToQ(group + "/" + (name.empty() ? std::string("@") : name));
}

// QSettings commits a store whose last write fell short, so a full disk would cut
// off every value after that point. A write goes ahead only once the store's folder
// has room for the whole new file beside the old one.
bool RoomFor(const QSettings& store, qint64 extra) {
  const QFileInfo info(store.fileName());
  QTemporaryFile probe(info.absolutePath() + "/.room-XXXXXX");
  if (!probe.open()) return false;
  return posix_fallocate(probe.handle(), 0, info.size() + extra + 4096) == 0;
}

// A writer killed between creating the store's lock file (or the lock that guards
// its removal) and writing its owner into it leaves an empty lock, which QSettings
// takes for a live one for 30 seconds: every write would hang that long. A lock
// still empty after a moment has no owner.
void DropOwnerlessLock(const QString& lock) {
  for (;;) {
    const QFileInfo info(lock);
    if (!info.exists() || info.size() != 0) return;
    const qint64 age = info.lastModified().msecsTo(QDateTime::currentDateTime());
    if (age < 0 || age >= kOwnerlessLockMs) {
      QFile::remove(lock);
      return;
    }
    QThread::msleep(static_cast<unsigned long>(kOwnerlessLockMs - age));
  }
}

// Makes sure the store can take a write that grows it by about extra bytes.
bool ReadyToWrite(const QSettings& store, qint64 extra) {
  DropOwnerlessLock(store.fileName() + ".lock");
  DropOwnerlessLock(store.fileName() + ".lock.rmlock");
  return RoomFor(store, extra);
}

qint64 Grows(const std::string& group, const std::string& name, const std::string& value) {
  // Room for the escapes of the store's text as well.
  return 4 * qint64(group.size() + name.size() + value.size());
}

std::unique_ptr<QSettings> OpenStore(Root root) {
  const QString dir = qtext::ToQ(StoreDir());
  if (!QDir().mkpath(dir)) return nullptr;
  auto store = std::make_unique<QSettings>(dir + "/" + RootName(root) + ".ini", QSettings::IniFormat);
  if (!store->isWritable() || store->status() == QSettings::AccessError) return nullptr;
  return store;
}

}  // namespace

std::string StoreDir() {
  if (const char* d = std::getenv("QUILLON_REGISTRY_DIR"); d && *d) return d;
  std::string base;
  if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x)
    base = x;
  else if (const char* h = std::getenv("HOME"); h && *h)
    base = std::string(h) + "/.config";
  else
    base = "/tmp";
  return base + "/quillon/registry";
}

Key::Key(std::unique_ptr<QSettings> store, std::string group) : store_(std::move(store)), group_(std::move(group)) {}
Key::~Key() = default;

std::unique_ptr<Key> Key::Open(Root root, const std::string& path) {
  auto store = OpenStore(root);
  if (!store) return nullptr;
  return std::unique_ptr<Key>(new Key(std::move(store), GroupOf(path)));
}

std::string Key::ReadString(const std::string& name) const {
  return qtext::FromQ(store_->value(ValueKey(group_, name)).toString());
}

bool Key::ValueExists(const std::string& name) const { return store_->contains(ValueKey(group_, name)); }

bool Key::WriteString(const std::string& name, const std::string& value) {
  if (!ReadyToWrite(*store_, Grows(group_, name, value))) return false;
  store_->setValue(ValueKey(group_, name), qtext::ToQ(value));
  store_->sync();
  return store_->status() == QSettings::NoError;
}

bool Key::DeleteValue(const std::string& name) {
  if (!ReadyToWrite(*store_, 0)) return false;
  store_->remove(ValueKey(group_, name));
  store_->sync();
  return store_->status() == QSettings::NoError;
}

std::vector<std::string> Key::ValueNames() const {
  std::vector<std::string> names;
  store_->beginGroup(qtext::ToQ(group_));
  for (const QString& k : store_->childKeys()) names.push_back(k == "@" ? std::string() : qtext::FromQ(k));
  store_->endGroup();
  return names;
}

bool DeleteKey(Root root, const std::string& path) {
  auto store = OpenStore(root);
  if (!store || !ReadyToWrite(*store, 0)) return false;
  store->remove(qtext::ToQ(GroupOf(path)));
  store->sync();
  return store->status() == QSettings::NoError;
}

}  // namespace qreg
