#include "lang/mlang.h"

#include <QFrame>
#include <QWidget>
#include <stdexcept>

#include "lang/translation.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/text.h"

namespace {

bool IsWindow(const QObject* o) {
  const auto* w = qobject_cast<const QWidget*>(o);
  return w && w->isWindow();
}

bool IsFrame(const QObject* o) { return o && o->metaObject() == &QFrame::staticMetaObject; }

bool IsDataModule(const QObject* o) { return o && !o->isWidgetType(); }

std::string BeforeEq(const std::string& line) { return line.substr(0, line.find('=')); }

}  // namespace

TMLang::TMLang(QObject* owner) : QObject(owner), owner_(owner) {
  if (!IsWindow(owner) && !IsFrame(owner) && !IsDataModule(owner)) throw std::runtime_error("Owner Error!");
  setObjectName("MLang");
  UpdateLangRes();
}

TMLang::~TMLang() = default;

void TMLang::SetLangFileName(const std::string& name) {
  langFileName_ = name;
  const std::string path = (!name.empty() && name[0] == '/') ? name : qpaths::ExeDir() + name;
  const std::string dir = qpaths::DirPart(path);
  if (!dir.empty()) qpaths::ForceDirectories(dir);
  filePath_ = path;
  UpdateLangRes();
}

void TMLang::SetIgnoreEmptyString(bool v) {
  ignoreEmptyString_ = v;
  UpdateLangRes();
}
void TMLang::SetAutoCreateMode(bool v) {
  autoCreateMode_ = v;
  UpdateLangRes();
}
void TMLang::SetStrList(const Names& lines) {
  strList_ = lines;
  if (!busy_) UpdateLangRes();
}
void TMLang::SetStringProperties(const Names& v) {
  stringProperties_ = v;
  UpdateLangRes();
}
void TMLang::SetStringsProperties(const Names& v) {
  stringsProperties_ = v;
  UpdateLangRes();
}
void TMLang::SetIgnoreControls(const Names& v) {
  ignoreControls_ = v;
  UpdateLangRes();
}
void TMLang::SetSaveFontSizeCtrls(const Names& v) {
  saveFontSizeCtrls_ = v;
  UpdateLangRes();
}
void TMLang::SetIgnoreFormCaption(bool v) {
  ignoreFormCaption_ = v;
  UpdateLangRes();
}
void TMLang::SetIncludeListViewItems(bool v) {
  includeListViewItems_ = v;
  UpdateLangRes();
}
void TMLang::SetIncludeListViewHead(bool v) {
  includeListViewHead_ = v;
  UpdateLangRes();
}
void TMLang::SetIncludeTreeViewItems(bool v) {
  includeTreeViewItems_ = v;
  UpdateLangRes();
}
void TMLang::SetActiveNow(bool v) {
  activeNow_ = v;
  UpdateLangRes();
}

std::string TMLang::Section() const { return owner_ ? owner_->metaObject()->className() : std::string(); }

bool TMLang::OwnerIsVisual() const { return owner_ && !IsDataModule(owner_); }

std::string TMLang::StripBrackets(const std::string& v) {
  if (v.size() >= 2 && v.front() == '<' && v.back() == '>') return v.substr(1, v.size() - 2);
  return v;
}

std::string TMLang::MessageText(std::string v) {
  for (size_t i = 0; i + 1 < v.size(); ++i)
    if (v[i] == '\\' && v[i + 1] == 'n') {
      v[i] = '\r';
      v[i + 1] = '\n';
      ++i;
    }
  return v;
}

std::string TMLang::ReadRaw(const std::string& section, const std::string& key) const {
  if (!filePath_) return {};
  return qprofile::GetPrivateProfileString(section, key, "", *filePath_);
}

void TMLang::WriteValue(const std::string& key, const std::string& value, bool bracket) {
  if (!filePath_) return;
  const std::string v = bracket ? "<" + value + ">" : value;
  if (!qprofile::WritePrivateProfileString(Section(), key, v, *filePath_))
    throw std::runtime_error("Unable to write to " + *filePath_);
}

std::string TMLang::KeyRule(const std::string& key, const std::string& current) {
  if (!filePath_) return {};
  const std::string value = ReadRaw(Section(), key);
  if (!value.empty()) return StripBrackets(value);
  if ((!current.empty() || !ignoreEmptyString_) && autoCreateMode_) WriteValue(key, current, addBracket_);
  return {};
}

std::string TMLang::ReadValue(const std::string& key) const { return StripBrackets(ReadRaw(Section(), key)); }

std::optional<int> TMLang::ReadInt(const std::string& key) const {
  const std::string v = ReadValue(key);
  if (v.empty()) return std::nullopt;
  int base = 10;
  size_t i = 0;
  bool neg = false;
  if (v[0] == '-' || v[0] == '+') neg = v[i++] == '-';
  if (v.size() > i + 2 && v[i] == '0' && (v[i + 1] == 'x' || v[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= v.size()) return std::nullopt;
  long long n = 0;
  for (; i < v.size(); ++i) {
    const char c = v[i];
    int d = -1;
    if (c >= '0' && c <= '9') d = c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    if (d < 0) return std::nullopt;
    n = n * base + d;
    if (n > 0x7FFFFFFFLL) return std::nullopt;
  }
  return int(neg ? -n : n);
}

std::string TMLang::GetResString(const std::string& key) {
  if (key.empty()) return {};
  std::string v;
  for (const auto& line : strList_) {
    if (qtext::SameText(BeforeEq(line), key)) {
      const auto eq = line.find('=');
      v = eq == std::string::npos ? std::string() : line.substr(eq + 1);
      break;
    }
  }
  if (v.empty()) v = KeyRule(key, key);
  if (v.empty()) v = key;
  return MessageText(v);
}

std::string TMLang::GetResString(const std::string& key, const std::string& section) {
  if (key.empty() || section.empty()) return {};
  if (!filePath_) return key;
  std::string v = StripBrackets(ReadRaw(section, key));
  if (v.empty()) v = key;
  return MessageText(v);
}

std::string TMLang::GetResString(int index) const {
  if (index < 0 || index >= int(strList_.size())) return {};
  const std::string& line = strList_[size_t(index)];
  const auto eq = line.find('=');
  return eq == std::string::npos ? line : line.substr(eq + 1);
}

void TMLang::AddResString(const std::string& key, const std::string& text) { KeyRule(key, text); }

void TMLang::UnRegister(const std::string& section) {
  if (filePath_) qprofile::ErasePrivateProfileSection(section, *filePath_);
}

void TMLang::UpdateLangRes() {
  if (activeNow_) DoUpdateLangRes();
}

void TMLang::DoUpdateLangRes() {
  if (!OwnerIsVisual()) return;
  qlang::TranslateWindow(*this);
  busy_ = true;
  try {
    for (auto& line : strList_) {
      const auto eq = line.find('=');
      if (eq == std::string::npos) continue;
      const std::string key = line.substr(0, eq);
      const std::string text = KeyRule(key, line.substr(eq + 1));
      if (!text.empty()) line = key + "=" + text;
    }
  } catch (...) {
    busy_ = false;
    throw;
  }
  busy_ = false;
}
