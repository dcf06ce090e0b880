// The main window's look: its theme manager and theme file component, the skin stored
// in the registry, and the Skins menu built from the theme files in skins/.
#include <QActionGroup>
#include <QDir>
#include <exception>

#include "app/frm_main.h"
#include "lang/mlang.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "skin/controls.h"
#include "skin/file_theme.h"
#include "skin/theme_manager.h"

namespace {

constexpr char kKey[] = "SOFTWARE\\Quillon\\";
constexpr char kSkinValue[] = "Skin";

// The stored skin's path; "" when none is stored or the registry cannot be read.
std::string StoredSkin() {
  const auto key = qreg::Key::Open(qreg::Root::LocalMachine, kKey);
  return key ? key->ReadString(kSkinValue) : "";
}

// Takes the look from the theme file at path. A file that cannot be used leaves the
// previous look in place, its style included, and its error goes to the caller.
void ApplySkin(TsuiThemeManager& manager, TsuiFileTheme& fileTheme, const std::string& path) {
  const TsuiUIStyle previous = manager.UIStyle();
  manager.SetUIStyle(TsuiUIStyle::FromThemeFile);
  try {
    fileTheme.SetThemeFile(path);
  } catch (...) {
    manager.SetUIStyle(previous);
    throw;
  }
}

}  // namespace

void TfrmMain::CreateThemeManager() {
  suiTMMain = new TsuiThemeManager(this);
  suiTMMain->setObjectName("suiTMMain");
  suiTMMain->SetUIStyle(TsuiUIStyle::Protein);
  suiTMMain->SetCompList({"frmSuiMain", "tvGroup", "btnSearch", "cbbBandwidth", "cbbSearch", "btnPlay", "btnFavorite",
                          "lvTVList", "suiScrollBar2", "suiScrollBar1", "suiStatusBar", "suiScrollBar4",
                          "suiScrollBar3", "pmTVList", "mmMain"});
  suiTMMain->OnUIStyleChanged = [this](QObject* sender) { suiTMMainUIStyleChanged(sender); };
  suiFileTheme = new TsuiFileTheme(this);
  suiFileTheme->setObjectName("suiFileTheme");
  // Set once every component exists: hands the style to the listed ones.
  suiTMMain->SetFileTheme(suiFileTheme);
}

void TfrmMain::suiTMMainUIStyleChanged(QObject*) {}

void TfrmMain::InitSkins() {
  const std::string stored = StoredSkin();
  const bool applied = !stored.empty() && qpaths::FileExists(stored) &&
                       qui::Guard([&] { ApplySkin(*suiTMMain, *suiFileTheme, stored); });
  // A stored skin that is gone or unusable: the built-in look, and the menu is still
  // built so another skin can be chosen.
  if (!applied) suiTMMain->SetUIStyle(TsuiUIStyle::Protein);

  pSkinFiles.clear();
  mniSkins->Clear();
  delete skinItems;
  skinItems = new QActionGroup(this);
  skinItems->setExclusive(true);

  const std::string folder = qpaths::ExeDir();
  if (folder.empty()) return;
  const QDir skins(qtext::ToQ(folder + "skins"));
  const QStringList entries =
      skins.entryList({"*"}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& entry : entries) {
    const std::string name = qtext::FromQ(entry);
    const size_t at = name.find(".sui");
    if (at == std::string::npos || at == 0) continue;
    const std::string title = name.substr(0, at);
    std::string caption = title;
    // A language file that cannot take the new key leaves the title as it is.
    try {
      caption = MLang->GetResString(title);
    } catch (const std::exception&) {
    }
    TMenuItem* item = mniSkins->Add(QString(), qtext::ToQ(caption));
    item->setCheckable(true);
    skinItems->addAction(item);
    On(item, &QAction::triggered, [this, item] { SkinMenuItemsClick(item); });
    pSkinFiles.push_back(name);
    item->setData(int(pSkinFiles.size()) - 1);
    if (stored.find(name) != std::string::npos) item->setChecked(true);
  }
}

void TfrmMain::SkinMenuItemsClick(TMenuItem* item) {
  item->setChecked(true);
  const std::string folder = qpaths::ExeDir();
  if (folder.empty()) return;
  const int tag = item->data().toInt();
  if (tag < 0 || size_t(tag) >= pSkinFiles.size() || pSkinFiles[size_t(tag)].empty()) return;
  const std::string path = folder + "skins/" + pSkinFiles[size_t(tag)];
  const bool exists = qpaths::FileExists(path);
  if (exists) ApplySkin(*suiTMMain, *suiFileTheme, path);
  suiTMMainUIStyleChanged(suiTMMain);
  if (!exists) return;
  // Not stored, the skin still holds for this run.
  if (const auto key = qreg::Key::Open(qreg::Root::LocalMachine, kKey)) key->WriteString(kSkinValue, path);
}

void TfrmMain::LendLook(TsuiThemeManager& themeManager, TsuiFileTheme& fileTheme, TMLang& lang) const {
  themeManager.SetUIStyle(suiTMMain->UIStyle());
  fileTheme.SetThemeFile(suiFileTheme->ThemeFile());
  lang.SetLangFileName(MLang->LangFileName());
}
