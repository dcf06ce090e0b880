#include "platform/paths.h"

#include <QDir>
#include <QFileInfo>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace qpaths {
namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string WithSlash(std::string dir) {
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

// <prefix>/ for an executable in <prefix>/bin/.
std::string Prefix() {
  std::string bin = ExeDir();
  if (bin.size() > 1) bin.pop_back();
  return WithSlash(DirPart(bin));
}

}  // namespace

std::string ExePath() {
  std::string p = Env("QUILLON_EXE_PATH");
  if (!p.empty()) return p;
  // Read once: after the live update renames the running executable to ".bak",
  // /proc/self/exe follows the rename, but the program still lives at its old path.
  static const std::string self = [] {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
  }();
  return self;
}

std::string ExeDir() { return DirPart(ExePath()); }

std::string SystemDir() {
  std::string d = Env("QUILLON_SYSTEM_DIR");
  if (!d.empty()) return WithSlash(d);
  const std::string prefix = Prefix();
  if (FileExists(prefix + "CMakeCache.txt")) return prefix + "system/";
  return prefix + "lib/quillon/system/";
}

std::string WindowsDir() {
  std::string d = Env("QUILLON_WINDOWS_DIR");
  if (!d.empty()) return WithSlash(d);
  return Prefix() + "share/quillon/";
}

std::string DirPart(const std::string& path) {
  const auto pos = path.rfind('/');
  return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}

std::string NamePart(const std::string& path) {
  const auto pos = path.rfind('/');
  return pos == std::string::npos ? path : path.substr(pos + 1);
}

bool FileExists(const std::string& path) {
  return !path.empty() && QFileInfo::exists(QString::fromLocal8Bit(path));
}

bool ForceDirectories(const std::string& dir) {
  return !dir.empty() && QDir().mkpath(QString::fromLocal8Bit(dir));
}

}  // namespace qpaths
