#include "skin/file_theme.h"

#include <QFileInfo>
#include <QFrame>
#include <QVariant>
#include <QWidget>
#include <stdexcept>

#include "platform/paths.h"
#include "skin/theme_file.h"

namespace {

bool IsFile(const std::string& path) { return !path.empty() && QFileInfo(QString::fromLocal8Bit(path)).isFile(); }

bool OwnsFileTheme(const QObject* o) {
  for (const QObject* child : o->children())
    if (qobject_cast<const TsuiFileTheme*>(child)) return true;
  return false;
}

void Collect(QObject* parent, std::vector<QPointer<QObject>>& out) {
  for (QObject* child : parent->children()) {
    out.emplace_back(child);
    const auto* w = qobject_cast<const QWidget*>(child);
    if (w && (w->isWindow() || OwnsFileTheme(w))) continue;
    Collect(child, out);
  }
}

bool HasFileThemeSetting(const QObject* o) { return o->metaObject()->indexOfProperty("FileTheme") >= 0; }

QObject* FileThemeOf(const QObject* o) { return o->property("FileTheme").value<QObject*>(); }

}  // namespace

// ---- TsuiFileThemeMgr

TsuiFileThemeMgr::TsuiFileThemeMgr() = default;
TsuiFileThemeMgr::~TsuiFileThemeMgr() = default;

void TsuiFileThemeMgr::Load(const std::string& path) { reader_ = std::make_unique<TsuiThemeFileReader>(path); }

bool TsuiFileThemeMgr::GetBitmap(int item, QImage& bitmap) const {
  if (!reader_) return false;
  const std::string name = ThemeItemName(item);
  if (name.empty()) return false;
  const QBuffer* stream = reader_->GetFile(name);
  if (!stream) return false;
  QImage picture;
  if (!picture.loadFromData(stream->data())) return false;
  bitmap = picture;
  return true;
}

int TsuiFileThemeMgr::GetInt(int item) const {
  if (!reader_) return 0;
  const std::string name = ThemeItemName(item);
  return name.empty() ? -1 : reader_->GetInteger(name);
}

bool TsuiFileThemeMgr::GetBool(int item) const {
  const std::string name = ThemeItemName(item);
  return reader_ && !name.empty() && reader_->GetBool(name);
}

// ---- TsuiFileTheme

TsuiFileTheme::TsuiFileTheme(QObject* owner) : QObject(owner) {}
TsuiFileTheme::~TsuiFileTheme() = default;

bool TsuiFileTheme::CheckThemeFile(const std::string& path) { return IsSUIThemeFile(path); }

std::string TsuiFileTheme::Find(const std::string& name) const {
  if (IsFile(name)) return name;
  const std::string file = qpaths::NamePart(name);
  if (file.empty()) return "";
  for (const std::string& dir : {qpaths::ExeDir(), qpaths::WindowsDir(), qpaths::SystemDir()})
    if (IsFile(dir + file)) return dir + file;
  return "";
}

void TsuiFileTheme::SetThemeFile(const std::string& name) {
  if (name == themeFile_) return;
  const bool wasEmpty = themeFile_.empty();
  const std::string path = Find(name);
  if (path.empty()) return;
  if (!CheckThemeFile(path)) throw std::runtime_error("Invalid skin file!");
  // The new reader must load before anything changes: a damaged file keeps the
  // previous theme in use.
  loaded_.Load(path);
  themeFile_ = path;
  ApplyToOwner(wasEmpty);
}

// The owner's skinned components that use this theme file read their items anew, and
// a skinned window frame using it is redrawn (on the first load it is still being
// built and draws itself).
void TsuiFileTheme::ApplyToOwner(bool wasEmpty) {
  QObject* owner = parent();
  if (!IsOrdinaryWindow(owner)) return;
  bool frameUsesThis = false;
  for (const QPointer<QObject>& c : OwnedComponents(owner)) {
    if (!c) continue;
    if (c->inherits("TsuiForm") && FileThemeOf(c) == this) frameUsesThis = true;
    if (QByteArray(c->metaObject()->className()).startsWith("Tsui") && HasFileThemeSetting(c) && FileThemeOf(c) == this)
      c->setProperty("FileTheme", QVariant::fromValue<QObject*>(this));
  }
  if (frameUsesThis && !wasEmpty) static_cast<QWidget*>(owner)->repaint();
}

void TsuiFileTheme::GetBitmap(int item, QImage& bitmap) const { loaded_.GetBitmap(item, bitmap); }

void TsuiFileTheme::GetBitmap(int item, QImage& bitmap, int count, int index) const {
  QImage whole;
  if (!loaded_.GetBitmap(item, whole)) return;
  const QImage frame = ImageFrame(whole, count, index);
  if (!frame.isNull()) bitmap = frame;
}

// ---- free functions

bool UsingFileTheme(const QObject* fileTheme, TsuiUIStyle uiStyle, TsuiUIStyle& style) {
  style = uiStyle;
  if (uiStyle != TsuiUIStyle::FromThemeFile) return false;
  const auto* theme = qobject_cast<const TsuiFileTheme*>(fileTheme);
  if (theme && theme->CanUse()) return true;
  style = TsuiUIStyle::DeepBlue;
  return false;
}

std::vector<QPointer<QObject>> OwnedComponents(QObject* owner) {
  std::vector<QPointer<QObject>> out;
  if (owner) Collect(owner, out);
  return out;
}

bool IsOrdinaryWindow(const QObject* o) {
  const auto* w = qobject_cast<const QWidget*>(o);
  return w && w->isWindow();
}

bool IsFrame(const QObject* o) { return o && o->metaObject() == &QFrame::staticMetaObject; }
