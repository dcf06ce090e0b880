// Feeds arbitrary files to the profile routines. The input is a small script followed
// by the file's bytes: two lookups and one write. Whatever the file holds, a write must
// be read back as written and must leave every other key's value as it was.
#include <fuzzer/FuzzedDataProvider.h>

#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unistd.h>

#include "platform/profile.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

const std::string& IniFile() {
  static const std::string path = [] {
    const std::string dir = "/dev/shm/quillon-fuzz-profile-" + std::to_string(getpid());
    QDir().mkpath(QString::fromStdString(dir));
    return dir + "/Default.lng";
  }();
  return path;
}

void WriteFile(const std::string& bytes) {
  QFile f(QString::fromStdString(IniFile()));
  Check(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  Check(f.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()));
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A name that a caller can mean: one line, no '=' or brackets, no outer blanks.
bool UsableName(const std::string& s) {
  if (s.empty() || IsBlank(s.front()) || IsBlank(s.back())) return false;
  return s.find_first_of(std::string("=[]\r\n\0", 7)) == std::string::npos;
}

bool SameAscii(std::string a, std::string b) {
  for (char* s : {a.data(), b.data()})
    for (; *s; ++s)
      if (*s >= 'A' && *s <= 'Z') *s = char(*s + 32);
  return a == b;
}

// What a read gives back for a written value.
std::string AsRead(const std::string& value) {
  std::string v = value;
  size_t b = 0, e = v.size();
  while (b < e && IsBlank(v[b])) ++b;
  while (e > b && IsBlank(v[e - 1])) --e;
  v = v.substr(b, e - b);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  if (v.size() > qprofile::kMaxValue) v.resize(qprofile::kMaxValue);
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string section = in.ConsumeRandomLengthString(16);
  const std::string key = in.ConsumeRandomLengthString(16);
  const std::string value = in.ConsumeRandomLengthString(64);
  const std::string otherSection = in.ConsumeRandomLengthString(16);
  const std::string otherKey = in.ConsumeRandomLengthString(16);
  WriteFile(in.ConsumeRemainingBytesAsString());

  qprofile::GetPrivateProfileInt(section, key, 7, IniFile());
  const std::string before = qprofile::GetPrivateProfileString(otherSection, otherKey, "\x01", IniFile());
  if (!UsableName(section) || !UsableName(key) || value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
    return 0;

  Check(qprofile::WritePrivateProfileString(section, key, value, IniFile()));
  Check(qprofile::GetPrivateProfileString(section, key, "\x01", IniFile()) == AsRead(value));
  const bool same = SameAscii(section, otherSection) && SameAscii(key, otherKey);
  if (!same) Check(qprofile::GetPrivateProfileString(otherSection, otherKey, "\x01", IniFile()) == before);
  return 0;
}
