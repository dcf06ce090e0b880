#include "platform/profile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>
#include <optional>
#include <vector>

namespace qprofile {
namespace {

struct IniText {
  std::vector<std::string> lines;
  std::string eol = "\n";
};

bool ReadAll(const std::string& file, std::string& out) {
  QFile f(QString::fromLocal8Bit(file));
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray data = f.readAll();
  out.assign(data.constData(), size_t(data.size()));
  return true;
}

IniText Parse(const std::string& data) {
  IniText ini;
  if (data.find("\r\n") != std::string::npos) ini.eol = "\r\n";
  size_t i = 0;
  while (i < data.size()) {
    size_t j = i;
    while (j < data.size() && data[j] != '\r' && data[j] != '\n') ++j;
    ini.lines.push_back(data.substr(i, j - i));
    if (j < data.size() && data[j] == '\r' && j + 1 < data.size() && data[j + 1] == '\n') ++j;
    i = j + 1;
  }
  return ini;
}

std::string TrimBlanks(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

bool SameAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char(x + 32);
    if (y >= 'A' && y <= 'Z') y = char(y + 32);
    if (x != y) return false;
  }
  return true;
}

// The section name of a "[name]" line.
std::optional<std::string> SectionOf(const std::string& line) {
  const std::string t = TrimBlanks(line);
  if (t.empty() || t[0] != '[') return std::nullopt;
  const auto close = t.find(']');
  return TrimBlanks(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

// Key and value of a "key=value" line.
bool KeyValueOf(const std::string& line, std::string& key, std::string& value) {
  const auto eq = line.find('=');
  if (eq == std::string::npos) return false;
  key = TrimBlanks(line.substr(0, eq));
  value = TrimBlanks(line.substr(eq + 1));
  return true;
}

// Lines [begin, end) of a section's body; begin == npos when it is missing.
struct Span {
  size_t header = std::string::npos;
  size_t end = 0;
};

Span FindSection(const IniText& ini, const std::string& section) {
  Span s;
  for (size_t i = 0; i < ini.lines.size(); ++i) {
    const auto name = SectionOf(ini.lines[i]);
    if (!name) continue;
    if (s.header != std::string::npos) {
      s.end = i;
      return s;
    }
    if (SameAscii(*name, section)) s.header = i;
  }
  s.end = ini.lines.size();
  return s;
}

std::optional<size_t> FindKey(const IniText& ini, const Span& s, const std::string& key) {
  if (s.header == std::string::npos) return std::nullopt;
  std::string k, v;
  for (size_t i = s.header + 1; i < s.end; ++i)
    if (KeyValueOf(ini.lines[i], k, v) && SameAscii(k, key)) return i;
  return std::nullopt;
}

std::optional<std::string> ReadValue(const std::string& section, const std::string& key, const std::string& file) {
  std::string data;
  if (!ReadAll(file, data)) return std::nullopt;
  const IniText ini = Parse(data);
  const auto line = FindKey(ini, FindSection(ini, section), key);
  if (!line) return std::nullopt;
  std::string k, v;
  KeyValueOf(ini.lines[*line], k, v);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  if (v.size() > kMaxValue) v.resize(kMaxValue);
  return v;
}

bool WriteAll(const std::string& file, const IniText& ini) {
  if (!CanWriteFile(file)) return false;
  std::string out;
  for (const auto& l : ini.lines) out += l + ini.eol;
  // The new text goes to a sibling file renamed over the old one: the program never
  // leaves half a file. No sync to disk per write: a first start fills hundreds of
  // language keys one write each, and waiting for the disk every time costs seconds.
  const QString path = QString::fromLocal8Bit(file);
  QTemporaryFile tmp(path + ".XXXXXX");
  if (!tmp.open()) return false;
  // A full disk can cut the last write short, so the size is checked before the rename.
  const qint64 size = qint64(out.size());
  if (tmp.write(out.data(), size) != size || !tmp.flush() || tmp.size() != size) return false;
  const QFileInfo old(path);
  tmp.setPermissions(old.exists() ? old.permissions()
                                  : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                        QFileDevice::ReadOther);
  tmp.close();
  if (std::rename(QFile::encodeName(tmp.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
    return false;
  tmp.setAutoRemove(false);
  return true;
}

// Reads the file for a rewrite; a missing file is an empty text, an unreadable one
// refuses the write.
bool Load(const std::string& file, IniText& ini) {
  std::string data;
  if (!QFileInfo::exists(QString::fromLocal8Bit(file))) return true;
  if (!ReadAll(file, data)) return false;
  ini = Parse(data);
  return true;
}

std::string OneLine(const std::string& value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\r' || value[i] == '\n') {
      if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
      out += "\\n";
    } else {
      out += value[i];
    }
  }
  return out;
}

}  // namespace

bool CanWriteFile(const std::string& file) {
  const QFileInfo info(QString::fromLocal8Bit(file));
  if (!info.exists()) return true;
  if (info.isDir()) return false;
  const auto writeBits = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
  return (info.permissions() & writeBits) && info.isWritable();
}

std::string GetPrivateProfileString(const std::string& section, const std::string& key, const std::string& def,
                                    const std::string& file) {
  auto v = ReadValue(section, key, file);
  if (v) return *v;
  std::string d = def;
  if (d.size() > kMaxValue) d.resize(kMaxValue);
  return d;
}

int GetPrivateProfileInt(const std::string& section, const std::string& key, int def, const std::string& file) {
  const auto v = ReadValue(section, key, file);
  if (!v || v->empty()) return def;
  const std::string& s = *v;
  size_t i = 0;
  bool neg = false;
  if (s[i] == '-' || s[i] == '+') neg = s[i++] == '-';
  int base = 10;
  if (s.compare(i, 2, "0x") == 0 || s.compare(i, 2, "0X") == 0) {
    base = 16;
    i += 2;
  } else if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  }
  long long n = 0;
  size_t digits = 0;
  for (; i < s.size(); ++i, ++digits) {
    const char c = s[i];
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      break;
    n = (n * base + d) & 0xFFFFFFFFLL;
  }
  if (digits == 0) return def;
  const auto u = static_cast<uint32_t>(n);
  const int value = static_cast<int>(u);
  return neg ? -value : value;
}

bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& file) {
  IniText ini;
  if (!Load(file, ini)) return false;
  const std::string line = key + "=" + OneLine(value);
  const Span s = FindSection(ini, section);
  if (const auto at = FindKey(ini, s, key)) {
    ini.lines[*at] = line;
  } else if (s.header != std::string::npos) {
    size_t at = s.end;
    while (at > s.header + 1 && TrimBlanks(ini.lines[at - 1]).empty()) --at;
    ini.lines.insert(ini.lines.begin() + long(at), line);
  } else {
    while (!ini.lines.empty() && TrimBlanks(ini.lines.back()).empty()) ini.lines.pop_back();
    if (!ini.lines.empty()) ini.lines.emplace_back();
    ini.lines.push_back("[" + section + "]");
    ini.lines.push_back(line);
  }
  return WriteAll(file, ini);
}

bool DeletePrivateProfileKey(const std::string& section, const std::string& key, const std::string& file) {
  IniText ini;
  if (!Load(file, ini)) return false;
  const auto at = FindKey(ini, FindSection(ini, section), key);
  if (!at) return true;
  ini.lines.erase(ini.lines.begin() + long(*at));
  return WriteAll(file, ini);
}

bool ErasePrivateProfileSection(const std::string& section, const std::string& file) {
  IniText ini;
  if (!Load(file, ini)) return false;
  const Span s = FindSection(ini, section);
  if (s.header == std::string::npos) return true;
  ini.lines.erase(ini.lines.begin() + long(s.header), ini.lines.begin() + long(s.end));
  return WriteAll(file, ini);
}

}  // namespace qprofile
