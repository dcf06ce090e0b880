#include "tests/skin/skin_fixture.h"

#include <sstream>

#include "platform/paths.h"
#include "skin/theme_file_writer.h"

std::vector<std::string> gSkinWrites;

namespace {

std::string Name(const QObject* o) { return o ? o->objectName().toStdString() : "none"; }

}  // namespace

TsuiTestControl::TsuiTestControl(const char* name, QWidget* parent) : QWidget(parent) { setObjectName(name); }

void TsuiTestControl::SetUIStyle(int style) {
  uiStyle_ = style;
  gSkinWrites.push_back(Name(this) + ".UIStyle=" + std::to_string(style));
  ReadItems();
}

void TsuiTestControl::SetFileTheme(QObject* theme) {
  fileTheme_ = theme;
  gSkinWrites.push_back(Name(this) + ".FileTheme=" + Name(theme));
  ReadItems();
}

void TsuiTestControl::ReadItems() {
  TsuiUIStyle style;
  fromFile = UsingFileTheme(fileTheme_, TsuiUIStyle(uiStyle_), style);
  background = fromFile ? qobject_cast<TsuiFileTheme*>(fileTheme_.data())->GetColor(suiitem::FormBackgroundColor)
                        : GetInsideThemeColor(style, suiitem::FormBackgroundColor);
}

TOtherControl::TOtherControl(const char* name, QWidget* parent) : QWidget(parent) { setObjectName(name); }

void TOtherControl::SetFileTheme(QObject* theme) {
  fileTheme_ = theme;
  gSkinWrites.push_back(Name(this) + ".FileTheme=" + Name(theme));
}

void SkinFixture::TearDown() {
  gSkinWrites.clear();
  unsetenv("QUILLON_WINDOWS_DIR");
  ScratchTest::TearDown();
}

std::string SkinFixture::WriteTheme(const std::string& name, int background, const std::vector<std::string>& more) {
  const std::string path = dir_ / name;
  qpaths::ForceDirectories(qpaths::DirPart(path));
  TsuiThemeFileWriter writer(path);
  writer.AddInteger("FormBackgroundColor", background);
  for (const std::string& line : more) {
    std::istringstream in(line);
    std::string kind, entry, value;
    in >> kind >> entry >> value;
    if (kind == "int") writer.AddInteger(entry, std::stoi(value));
    if (kind == "bool") writer.AddBool(entry, value == "1");
    if (kind == "file") writer.AddFile(entry, value);
  }
  writer.Save();
  return path;
}
