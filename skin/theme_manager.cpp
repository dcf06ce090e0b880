#include "skin/theme_manager.h"

#include <QVariant>
#include <unordered_map>

#include "platform/text.h"

TsuiThemeManager::TsuiThemeManager(QObject* owner) : QObject(owner) {}
TsuiThemeManager::~TsuiThemeManager() = default;

void TsuiThemeManager::SetUIStyle(TsuiUIStyle style) {
  const TsuiUIStyle previous = uiStyle_;
  uiStyle_ = style;
  HandOut();
  if (style != previous && OnUIStyleChanged) OnUIStyleChanged(this);
}

void TsuiThemeManager::SetFileTheme(TsuiFileTheme* fileTheme) {
  if (fileTheme_ != fileTheme) {
    if (fileTheme_) disconnect(fileTheme_, &QObject::destroyed, this, nullptr);
    fileTheme_ = fileTheme;
    if (fileTheme) connect(fileTheme, &QObject::destroyed, this, &TsuiThemeManager::FileThemeDestroyed);
  }
  SetUIStyle(uiStyle_);
}

void TsuiThemeManager::SetCompList(const TsuiThemeMgrCompList& names) {
  compList_ = names;
  // Names of components that exist now leave the list when those are destroyed.
  QObject* owner = parent();
  if (!owner) return;
  for (const QPointer<QObject>& c : OwnedComponents(owner))
    for (const std::string& name : compList_)
      if (c && qtext::SameText(qtext::FromQ(c->objectName()), name)) Watch(c);
}

void TsuiThemeManager::UpdateTheme() { HandOut(); }

void TsuiThemeManager::SetUIStyleValue(int value) {
  TsuiUIStyle style;
  if (ToUIStyle(value, style)) SetUIStyle(style);
}

QObject* TsuiThemeManager::FileThemeObject() const { return fileTheme_.data(); }

void TsuiThemeManager::SetFileThemeObject(QObject* fileTheme) { SetFileTheme(qobject_cast<TsuiFileTheme*>(fileTheme)); }

void TsuiThemeManager::HandOut() {
  QObject* owner = parent();
  // Managers that list each other would hand out to each other without end.
  if (handingOut_ || (!IsOrdinaryWindow(owner) && !IsFrame(owner))) return;
  handingOut_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{handingOut_};
  // The first component of each name, in the owner's order.
  std::unordered_map<std::string, QPointer<QObject>> byName;
  for (const QPointer<QObject>& c : OwnedComponents(owner))
    if (c && c != this) byName.emplace(qtext::LowerCase(qtext::FromQ(c->objectName())), c);
  const TsuiThemeMgrCompList names = compList_;
  for (const std::string& name : names) {
    const auto it = byName.find(qtext::LowerCase(name));
    if (it == byName.end() || !it->second) continue;
    const QPointer<QObject> c = it->second;
    Watch(c);
    c->setProperty("UIStyle", int(uiStyle_));
    if (c) c->setProperty("FileTheme", QVariant::fromValue<QObject*>(fileTheme_.data()));
  }
}

void TsuiThemeManager::Watch(QObject* component) {
  connect(component, &QObject::destroyed, this, &TsuiThemeManager::ComponentDestroyed, Qt::UniqueConnection);
}

void TsuiThemeManager::ComponentDestroyed(QObject* component) {
  const std::string name = qtext::FromQ(component->objectName());
  std::erase_if(compList_, [&](const std::string& n) { return qtext::SameText(n, name); });
}

void TsuiThemeManager::FileThemeDestroyed() {
  fileTheme_ = nullptr;
  uiStyle_ = TsuiUIStyle::DeepBlue;
}
