#pragma once
// Stand-ins for the skinned controls of a window, and a fixture that writes theme files.
#include <QWidget>
#include <QPointer>
#include <string>
#include <vector>

#include "skin/file_theme.h"
#include "tests/support/test_dir.h"

// Every write of a skin setting, as "component.Setting=value", across all components.
extern std::vector<std::string> gSkinWrites;

// A skinned control: publishes UIStyle and FileTheme and, whenever either is written,
// reads its background colour from the source UsingFileTheme chooses.
class TsuiTestControl : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int UIStyle READ UIStyle WRITE SetUIStyle)
  Q_PROPERTY(QObject* FileTheme READ FileTheme WRITE SetFileTheme)

 public:
  TsuiTestControl(const char* name, QWidget* parent);
  int UIStyle() const { return uiStyle_; }
  void SetUIStyle(int style);
  QObject* FileTheme() const { return fileTheme_; }
  void SetFileTheme(QObject* theme);

  // The FormBackgroundColor last read, and whether it came from the theme file.
  int background = 0;
  bool fromFile = false;

 private:
  void ReadItems();

  int uiStyle_ = 3;
  QPointer<QObject> fileTheme_;
};

// The same settings on a class outside the skin toolkit.
class TOtherControl : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QObject* FileTheme READ FileTheme WRITE SetFileTheme)

 public:
  TOtherControl(const char* name, QWidget* parent);
  QObject* FileTheme() const { return fileTheme_; }
  void SetFileTheme(QObject* theme);

 private:
  QPointer<QObject> fileTheme_;
};

class SkinFixture : public ScratchTest {
 protected:
  void TearDown() override;
  // A theme file whose FormBackgroundColor is background, with the other entries given
  // as "int NAME VALUE" / "bool NAME 0|1" / "file NAME PATH" lines.
  std::string WriteTheme(const std::string& name, int background, const std::vector<std::string>& more = {});
  // Forgets the writes seen so far.
  void ClearWrites() { gSkinWrites.clear(); }
};
