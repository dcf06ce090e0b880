#pragma once
// The theme file component of a window: loads one skin file and answers item lookups
// from it, and the rule by which a skinned control picks its source of items.
#include <QImage>
#include <QObject>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "skin/themes.h"

class TsuiThemeFileReader;

// Holds the current reader of a theme file component and maps item numbers to the
// names the file stores them under.
class TsuiFileThemeMgr {
 public:
  TsuiFileThemeMgr();
  ~TsuiFileThemeMgr();

  // Replaces the reader with one for path; on a failure the old one stays and the
  // reader's error is thrown.
  void Load(const std::string& path);
  bool Loaded() const { return reader_ != nullptr; }

  // The item's embedded picture into bitmap; false, leaving it unchanged, when nothing
  // is loaded, the item is absent or its picture cannot be decoded.
  bool GetBitmap(int item, QImage& bitmap) const;
  // The item's integer entry; -1 when absent, 0 when nothing is loaded.
  int GetInt(int item) const;
  // The item's boolean entry; false when absent or nothing is loaded.
  bool GetBool(int item) const;

 private:
  std::unique_ptr<TsuiThemeFileReader> reader_;
};

// A non-visual component owned by a window; its objectName is its component name.
class TsuiFileTheme : public QObject {
  Q_OBJECT

 public:
  explicit TsuiFileTheme(QObject* owner = nullptr);
  ~TsuiFileTheme() override;

  // The path of the loaded theme file; "" until one is loaded.
  const std::string& ThemeFile() const { return themeFile_; }
  // Loads a theme file. A name equal to ThemeFile does nothing. The file is looked
  // for as named, then by its file name in the executable's folder, the Windows
  // directory and the system directory; found nowhere, nothing changes. Throws
  // "Invalid skin file!" for a file without the magic, and the reader's error for a
  // file that cannot be read; either way the previous theme stays. A loaded file is
  // applied again to the owner's skinned components that use this one.
  void SetThemeFile(const std::string& name);

  // True once a theme file is loaded.
  bool CanUse() const { return loaded_.Loaded(); }
  static bool CheckThemeFile(const std::string& path);

  // The item's picture into bitmap, or only frame index of count (at least 1); left
  // unchanged when no theme is loaded, the item or the frame is absent.
  void GetBitmap(int item, QImage& bitmap) const;
  void GetBitmap(int item, QImage& bitmap, int count, int index) const;
  // The item's integer entry: -1 when absent, 0 when no theme is loaded.
  int GetColor(int item) const { return loaded_.GetInt(item); }
  int GetInt(int item) const { return loaded_.GetInt(item); }
  // The item's boolean entry: false when absent or no theme is loaded.
  bool GetBool(int item) const { return loaded_.GetBool(item); }

 private:
  std::string Find(const std::string& name) const;
  void ApplyToOwner(bool wasEmpty);

  std::string themeFile_;
  TsuiFileThemeMgr loaded_;
};

// Chooses a control's source of items: true to read them from the theme file
// component (a TsuiFileTheme with a theme loaded), false to read the built-in style
// left in style. FromThemeFile without a usable theme file gives DeepBlue.
bool UsingFileTheme(const QObject* fileTheme, TsuiUIStyle uiStyle, TsuiUIStyle& style);

// The owner's components in creation order: its descendants, without looking inside a
// separate window or inside an embedded form that carries a theme file component of
// its own (the player control's window keeps its own skin).
std::vector<QPointer<QObject>> OwnedComponents(QObject* owner);

// An ordinary window: a top-level widget. A frame: a plain QFrame container.
bool IsOrdinaryWindow(const QObject* o);
bool IsFrame(const QObject* o);
