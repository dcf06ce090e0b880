#pragma once
// The theme manager of a window: hands one UI style and one theme file component to a
// list of the window's skinned components, found by name. Components publish the
// settings UIStyle (int) and FileTheme (QObject*) as Qt properties.
#include <QObject>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

#include "skin/file_theme.h"


using TsuiThemeMgrCompList = std::vector<std::string>;

class TsuiThemeManager : public QObject {
  Q_OBJECT
  Q_PROPERTY(int UIStyle READ UIStyleValue WRITE SetUIStyleValue)
  Q_PROPERTY(QObject* FileTheme READ FileThemeObject WRITE SetFileThemeObject)

 public:
  // The style starts as DeepBlue, with no theme file and an empty list.
  explicit TsuiThemeManager(QObject* owner = nullptr);
  ~TsuiThemeManager() override;

  TsuiUIStyle UIStyle() const { return uiStyle_; }
  // Stores the style and hands out; OnUIStyleChanged follows when it changed.
  void SetUIStyle(TsuiUIStyle style);

  TsuiFileTheme* FileTheme() const { return fileTheme_; }
  // Stores the reference, then writes UIStyle again with its current value.
  void SetFileTheme(TsuiFileTheme* fileTheme);

  const TsuiThemeMgrCompList& CompList() const { return compList_; }
  // Copies the names; nothing is handed out.
  void SetCompList(const TsuiThemeMgrCompList& names);

  // Hands style and theme file to the listed components again.
  void UpdateTheme();

  // Called with the manager after its style changed.
  std::function<void(QObject* sender)> OnUIStyleChanged;

  // The settings by name; a value that names no style is ignored, an object that is no
  // theme file component stands for none.
  int UIStyleValue() const { return int(uiStyle_); }
  void SetUIStyleValue(int value);
  QObject* FileThemeObject() const;
  void SetFileThemeObject(QObject* fileTheme);

 private:
  void HandOut();
  void Watch(QObject* component);
  void ComponentDestroyed(QObject* component);
  void FileThemeDestroyed();

  TsuiUIStyle uiStyle_ = TsuiUIStyle::DeepBlue;
  QPointer<TsuiFileTheme> fileTheme_;
  TsuiThemeMgrCompList compList_;
  bool handingOut_ = false;
};
