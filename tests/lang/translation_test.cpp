#include "lang/translation.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "lang/mlang.h"
#include "platform/profile.h"
#include "tests/support/test_dir.h"

namespace {

// A window of its own class, publishing its title and a list as the system's windows do.
class TfrmPass : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
  Q_PROPERTY(QStringList Tabs MEMBER tabs)

 public:
  TfrmPass() {
    setObjectName("frmPass");
    setFont(QFont("Tahoma", 9));
  }
  QStringList tabs;
};

class Label : public QLabel {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ text WRITE setText)
  Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)

 public:
  Label(const char* name, const QString& caption, QWidget* parent) : QLabel(caption, parent) { setObjectName(name); }
};

// Assigning its lines anew loses the selection, as a replaced list does.
class Combo : public QComboBox {
  Q_OBJECT
  Q_PROPERTY(QStringList Items READ Items WRITE SetItems)

 public:
  Combo(const char* name, const QStringList& items, QWidget* parent) : QComboBox(parent) {
    setObjectName(name);
    addItems(items);
  }
  QStringList Items() const {
    QStringList l;
    for (int i = 0; i < count(); ++i) l << itemText(i);
    return l;
  }
  void SetItems(const QStringList& l) {
    clear();
    addItems(l);
  }
};

// A report-style list view that also publishes a caption, which the pass must leave alone.
class ListView : public QTreeWidget {
  Q_OBJECT
  Q_PROPERTY(QString Caption MEMBER caption)

 public:
  ListView(const char* name, QWidget* parent) : QTreeWidget(parent) {
    setObjectName(name);
    setRootIsDecorated(false);
    setHeaderLabels({"Name", "Bitrate(bps)"});
    new QTreeWidgetItem(this, QStringList{"Alpha", "alpha-sub"});
    new QTreeWidgetItem(this, QStringList{"Beta", "beta-sub"});
    sortByColumn(0, Qt::AscendingOrder);
    setSortingEnabled(true);
  }
  QString caption = "List";
};

class Splitter : public QSplitter {
  Q_OBJECT
  Q_PROPERTY(QString Caption MEMBER caption)

 public:
  using QSplitter::QSplitter;
  QString caption = "split";
};

class Timer : public QTimer {
  Q_OBJECT
  Q_PROPERTY(QString Caption MEMBER caption)

 public:
  using QTimer::QTimer;
  QString caption = "tick";
};

// No font of its own, only font values, as a hosted control's container has.
class FontHolder : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Caption MEMBER caption)
  Q_PROPERTY(QString fontname MEMBER fontName)
  Q_PROPERTY(int FONTSIZE MEMBER fontSize)
  Q_PROPERTY(int FontCharset MEMBER fontCharset)

 public:
  FontHolder(const char* name, QObject* parent) : QObject(parent) { setObjectName(name); }
  QString caption = "holder";
  QString fontName = "System";
  int fontSize = 10;
  int fontCharset = 0;
};

class DeclaredList : public QListWidget {
  Q_OBJECT
  Q_CLASSINFO("LangKind", "ListView")
};
class PlainTree : public QTreeWidget {
  Q_OBJECT
  Q_CLASSINFO("LangKind", "Other")
};
class NotAView : public QLabel {
  Q_OBJECT
  Q_CLASSINFO("LangKind", "ListView")
};
class DrawnSplitter : public QWidget {
  Q_OBJECT
  Q_CLASSINFO("LangKind", "Splitter")
};

class PassTest : public ScratchTest {
 protected:
  std::string lng() const { return dir_ / "bin/langs/Default.lng"; }
  std::string Value(const std::string& key) const {
    return qprofile::GetPrivateProfileString("TfrmPass", key, "<none>", lng());
  }
  // A file of the window's section only.
  void File(const std::string& lines) { TestDir::Write(lng(), "[TfrmPass]\n" + lines); }
  // The language component as the windows carry it, active on the shared file.
  std::unique_ptr<TMLang> Activate(const std::function<void(TMLang&)>& settings = {}) {
    auto lang = std::make_unique<TMLang>(&form);
    if (settings) settings(*lang);
    lang->SetLangFileName("langs/Default.lng");
    lang->SetActiveNow(true);
    return lang;
  }
  TfrmPass form;
};

}  // namespace

TEST_F(PassTest, TheFirstPassCreatesTheFileAndFillsItWithTheWindowsTextsAndFonts) {
  form.setWindowTitle("Quillon");
  form.tabs = {"Channels", "Favorites"};
  Label lbl1("lbl1", "&Search", &form);
  lbl1.setToolTip("Find a channel");
  Combo cbb("cbbBandwidth", {"All Bandwidth", "Low"}, &form);
  ASSERT_FALSE(QFile::exists(QString::fromStdString(lng())));
  Activate([](TMLang& l) {
    l.SetStringProperties({"Caption", "Hint"});
    l.SetStrList({"strNoSel=Please select a channel first."});
  });
  EXPECT_EQ(TestDir::Read(lng()),
            "[TfrmPass]\n"
            "frmPass_FontName=Tahoma\n"
            "frmPass_FontSize=9\n"
            "frmPass_FontCharset=1\n"
            "frmPass_Caption=Quillon\n"
            "frmPass_Tabs[0]=Channels\n"
            "frmPass_Tabs[1]=Favorites\n"
            "lbl1_Caption=&Search\n"
            "lbl1_Hint=Find a channel\n"
            "cbbBandwidth_Items[0]=All Bandwidth\n"
            "cbbBandwidth_Items[1]=Low\n"
            "strNoSel=Please select a channel first.\n");
}

TEST_F(PassTest, TranslationsReachEveryKindOfComponent) {
  form.setWindowTitle("Quillon");
  form.tabs = {"Channels", "Favorites"};
  Label lbl1("lbl1", "&Search", &form);
  ListView lv("lvList", &form);
  QTreeWidget tv(&form);
  tv.setObjectName("tvGroup");
  tv.setHeaderHidden(true);
  auto* fav = new QTreeWidgetItem(&tv, QStringList{"My Favorites"});
  auto* net = new QTreeWidgetItem(&tv, QStringList{"Internet TV"});
  auto* de = new QTreeWidgetItem(net, QStringList{"Germany"});
  auto* recent = new QTreeWidgetItem(&tv, QStringList{"Recent Items"});
  QStandardItemModel sections;
  sections.setHorizontalHeaderLabels({"Name", "Country"});
  QHeaderView hdr(Qt::Horizontal, &form);
  hdr.setObjectName("hdrCols");
  hdr.setModel(&sections);
  QTableWidget grid(0, 2, &form);
  grid.setObjectName("grdData");
  grid.setHorizontalHeaderLabels({"Key", "Value"});
  Splitter spl(&form);
  spl.setObjectName("spl1");
  Timer tmr(&form);
  tmr.setObjectName("tmr1");
  File("frmPass_Caption=Quillon DE\n"
       "frmPass_Tabs[1]=Favoriten\n"
       "lbl1_Caption=&Suchen\n"
       "lvList_ColumnCaption[1]=Bitrate (Bit/s)\n"
       "lvList_ItemCaption[0]=Zulu\n"
       "lvList_SubItem[0]Caption[0]=alpha-sub-de\n"
       "lvList_ItemCaption[1]=Bravo\n"
       "tvGroup_ItemText[0]=Favoriten\n"
       "tvGroup_ItemText[2]=Deutschland\n"
       "hdrCols_SectionsText[1]=Land\n"
       "grdData_ColumnsCaption[0]=Schluessel\n"
       "spl1_Caption=never\n"
       "tmr1_Caption=never\n");
  Activate([](TMLang& l) {
    l.SetIncludeListViewHead(true);
    l.SetIncludeListViewItems(true);
    l.SetIncludeTreeViewItems(true);
  });

  EXPECT_EQ(form.windowTitle(), "Quillon DE");
  EXPECT_EQ(form.tabs, QStringList({"Channels", "Favoriten"}));
  EXPECT_EQ(lbl1.text(), "&Suchen");
  EXPECT_EQ(lv.headerItem()->text(0), "Name");
  EXPECT_EQ(lv.headerItem()->text(1), "Bitrate (Bit/s)");
  // Item 0 ("Alpha") sorts to the end once renamed: its sub-item goes with it.
  ASSERT_EQ(lv.topLevelItemCount(), 2);
  EXPECT_EQ(lv.topLevelItem(0)->text(0), "Bravo");
  EXPECT_EQ(lv.topLevelItem(0)->text(1), "beta-sub");
  EXPECT_EQ(lv.topLevelItem(1)->text(0), "Zulu");
  EXPECT_EQ(lv.topLevelItem(1)->text(1), "alpha-sub-de");
  EXPECT_EQ(lv.caption, "List");
  EXPECT_EQ(fav->text(0), "Favoriten");
  EXPECT_EQ(net->text(0), "Internet TV");
  EXPECT_EQ(de->text(0), "Deutschland");
  EXPECT_EQ(recent->text(0), "Recent Items");
  EXPECT_EQ(sections.headerData(1, Qt::Horizontal).toString(), "Land");
  EXPECT_EQ(grid.horizontalHeaderItem(0)->text(), "Schluessel");
  EXPECT_EQ(spl.caption, "split");
  EXPECT_EQ(tmr.caption, "tick");
  // What the file lacked is filled under the same keys.
  EXPECT_EQ(Value("lvList_ColumnCaption[0]"), "Name");
  EXPECT_EQ(Value("lvList_SubItem[1]Caption[0]"), "beta-sub");
  EXPECT_EQ(Value("tvGroup_ItemText[1]"), "Internet TV");
  EXPECT_EQ(Value("tvGroup_ItemText[3]"), "Recent Items");
  EXPECT_EQ(Value("hdrCols_SectionsText[0]"), "Name");
  EXPECT_EQ(Value("grdData_ColumnsCaption[1]"), "Value");
  EXPECT_EQ(Value("lvList_Caption"), "<none>");
  EXPECT_EQ(Value("hdrCols_Caption"), "<none>");
}

TEST_F(PassTest, KindsAreRecognisedByClass) {
  QTreeWidget tree, report, bare;
  report.setRootIsDecorated(false);
  bare.setRootIsDecorated(false);
  bare.setHeaderHidden(true);
  QSplitter splitter;
  splitter.addWidget(new QWidget);
  splitter.addWidget(new QWidget);
  QHeaderView header(Qt::Vertical);
  QTableWidget table;
  QListWidget list;
  QComboBox combo;
  QTimer timer;
  QLabel label;
  DeclaredList declaredList;
  PlainTree plainTree;
  NotAView notAView;
  DrawnSplitter drawnSplitter;
  const struct {
    const QObject* o;
    qlang::Kind kind;
    const char* what;
  } cases[] = {
      {&tree, qlang::Kind::TreeView, "tree with root decoration"},
      {&report, qlang::Kind::ListView, "tree widget in report style"},
      {&bare, qlang::Kind::TreeView, "tree without header"},
      {&splitter, qlang::Kind::Splitter, "splitter"},
      {splitter.handle(1), qlang::Kind::Splitter, "splitter handle"},
      {&header, qlang::Kind::HeaderControl, "header"},
      {&table, qlang::Kind::DataGrid, "table"},
      {&list, qlang::Kind::Other, "list box"},
      {&combo, qlang::Kind::ComboBox, "combo box"},
      {&timer, qlang::Kind::Timer, "timer"},
      {&label, qlang::Kind::Other, "label"},
      {&declaredList, qlang::Kind::ListView, "declared list view"},
      {&plainTree, qlang::Kind::Other, "declared other"},
      {&notAView, qlang::Kind::Other, "item-view declaration outside item views"},
      {&drawnSplitter, qlang::Kind::Splitter, "declared splitter"},
  };
  for (const auto& c : cases) EXPECT_EQ(qlang::KindOf(*c.o), c.kind) << c.what;
}

TEST_F(PassTest, ComponentsAreNamedDescendantsInCreationOrderOutsideOtherLanguageComponents) {
  QWidget panel(&form);
  panel.setObjectName("pnlTop");
  QLabel inPanel(&panel);
  inPanel.setObjectName("lblA");
  QWidget unnamed(&panel);
  QLabel deep(&unnamed);
  deep.setObjectName("lblDeep");
  QLabel inner(&panel);
  inner.setObjectName("qt_inner");
  TMLang own(&form);
  QFrame frame(&form);
  frame.setObjectName("fraOwn");
  QLabel inFrame(&frame);
  inFrame.setObjectName("lblInFrame");
  TMLang frameLang(&frame);
  QLabel last(&form);
  last.setObjectName("lblLast");
  QHBoxLayout layout(&panel);
  layout.setObjectName("layTop");
  std::vector<std::string> names;
  for (QObject* c : qlang::Components(form)) names.push_back(c->objectName().toStdString());
  EXPECT_EQ(names, (std::vector<std::string>{"pnlTop", "lblA", "lblDeep", "lblLast"}));
}

TEST_F(PassTest, AddBracketFillsALabelInBracketsAndTheNextPassReadsItBack) {
  Label lbl1("lbl1", "&Search", &form);
  auto lang = Activate([](TMLang& l) { l.SetAddBracket(true); });
  EXPECT_EQ(Value("lbl1_Caption"), "<&Search>");
  EXPECT_EQ(Value("frmPass_FontName"), "<Tahoma>");
  lbl1.setText("changed");
  lang->DoUpdateLangRes();
  EXPECT_EQ(lbl1.text(), "&Search");
  EXPECT_EQ(form.font().family(), "Tahoma");
}

TEST_F(PassTest, IgnoredControlsKeepTheirTextsButTakeTheWindowsFont) {
  for (const std::string entry : {"lbl1", "LBL1"}) {
    SCOPED_TRACE(entry);
    Label lbl1("lbl1", "&Search", &form);
    lbl1.setFont(QFont("Courier", 20));
    File("frmPass_FontName=Arial\nfrmPass_FontSize=13\nfrmPass_FontCharset=204\nlbl1_Caption=&Suchen\n");
    Activate([&](TMLang& l) { l.SetIgnoreControls({entry}); });
    EXPECT_EQ(lbl1.text(), entry == "lbl1" ? "&Search" : "&Suchen");  // names compare exactly
    EXPECT_EQ(lbl1.font().family(), "Arial");
    EXPECT_EQ(lbl1.font().pointSize(), 13);
    EXPECT_EQ(qlang::FontCharset(lbl1), 204);
  }
}

TEST_F(PassTest, AComboBoxKeepsItsSelectedIndexWhenItsLinesAreReplaced) {
  Combo cbb("cbbBandwidth", {"All Bandwidth", "Low", "High"}, &form);
  cbb.setCurrentIndex(2);
  File("cbbBandwidth_Items[0]=Alle Bandbreiten\ncbbBandwidth_Items[2]=Hoch\n");
  Activate();
  EXPECT_EQ(cbb.Items(), QStringList({"Alle Bandbreiten", "Low", "Hoch"}));
  EXPECT_EQ(cbb.currentIndex(), 2);
}

TEST_F(PassTest, ListViewFlagsChooseBetweenColumnsAndItems) {
  const struct {
    bool head, items;
  } cases[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.head) + std::to_string(c.items));
    TestDir::Write(lng(), "[TfrmPass]\nlvList_Caption=Liste\nlvList_ColumnCaption[0]=Titel\nlvList_ItemCaption[1]=Zweiter\n");
    ListView lv("lvList", &form);
    Activate([&](TMLang& l) {
      l.SetIncludeListViewHead(c.head);
      l.SetIncludeListViewItems(c.items);
    });
    EXPECT_EQ(lv.caption, "List");
    EXPECT_EQ(lv.headerItem()->text(0), c.head ? "Titel" : "Name");
    EXPECT_EQ(lv.topLevelItem(0)->text(0), "Alpha");
    EXPECT_EQ(lv.topLevelItem(1)->text(0), c.items ? "Zweiter" : "Beta");
    EXPECT_EQ(Value("lvList_ColumnCaption[1]"), c.head ? "Bitrate(bps)" : "<none>");
    EXPECT_EQ(Value("lvList_SubItem[0]Caption[0]"), c.items ? "alpha-sub" : "<none>");
  }
}

TEST_F(PassTest, BackslashNStaysTextUnderACaptionKeyAndBreaksTheLineOfAMessage) {
  Label lbl1("lbl1", "one", &form);
  File("lbl1_Caption=first\\nsecond\nstrTwo=first\\nsecond\n");
  auto lang = Activate([](TMLang& l) { l.SetStrList({"strTwo=default"}); });
  EXPECT_EQ(lbl1.text(), "first\\nsecond");
  EXPECT_EQ(lang->GetResString("strTwo"), "first\r\nsecond");
}

TEST_F(PassTest, SaveFontSizeCtrlsKeepTheirOwnSizeUntilTheFileGivesThemOne) {
  Label big("lblBig", "big", &form);
  big.setFont(QFont("Courier", 14));
  Label other("lblOther", "other", &form);
  other.setFont(QFont("Courier", 14));
  File("frmPass_FontSize=9\n");
  auto lang = Activate([](TMLang& l) { l.SetSaveFontSizeCtrls({"lblBig"}); });
  EXPECT_EQ(Value("lblBig_FontSize"), "14");
  EXPECT_EQ(big.font().pointSize(), 14);
  EXPECT_EQ(big.font().family(), "Tahoma");
  EXPECT_EQ(other.font().pointSize(), 9);
  EXPECT_EQ(Value("lblOther_FontSize"), "<none>");
  ASSERT_TRUE(qprofile::WritePrivateProfileString("TfrmPass", "lblBig_FontSize", "18", lng()));
  lang->DoUpdateLangRes();
  EXPECT_EQ(big.font().pointSize(), 18);
}

TEST_F(PassTest, ComponentFontsComeFromTheirOwnKeysElseTheWindowsAndAreNeverFilled) {
  Label plain("lblPlain", "plain", &form);
  Label own("lblOwn", "own", &form);
  Label odd("lblOdd", "odd", &form);
  odd.setFont(QFont("Courier", 7));
  FontHolder holder("fpHost", &form);
  const std::string file =
      "[TfrmPass]\n"
      "frmPass_FontName=Arial\nfrmPass_FontSize=11\nfrmPass_FontCharset=204\n"
      "lblOwn_FontName=<Courier New>\nlblOwn_FontSize=15\nlblOwn_FontCharset=0\n"
      "lblOdd_FontSize=-4\nlblOdd_FontCharset=300\n";
  TestDir::Write(lng(), file);
  Activate([](TMLang& l) { l.SetStringProperties({}); });
  EXPECT_EQ(TestDir::Read(lng()), file);
  EXPECT_EQ(form.font().family(), "Arial");
  EXPECT_EQ(form.font().pointSize(), 11);
  EXPECT_EQ(qlang::FontCharset(form), 204);
  const struct {
    const QLabel& label;
    const char* face;
    int size, charset;
  } cases[] = {
      {plain, "Arial", 11, 204},
      {own, "Courier New", 15, 0},
      {odd, "Arial", 7, qlang::kDefaultCharset},  // values it cannot use leave it as it was
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label.objectName().toStdString());
    EXPECT_EQ(c.label.font().family(), c.face);
    EXPECT_EQ(c.label.font().pointSize(), c.size);
    EXPECT_EQ(qlang::FontCharset(c.label), c.charset);
  }
  EXPECT_FALSE(plain.testAttribute(Qt::WA_SetFont));  // it still follows the window's font
  EXPECT_EQ(holder.fontName, "Arial");
  EXPECT_EQ(holder.fontSize, 11);
  EXPECT_EQ(holder.fontCharset, 204);
}

TEST_F(PassTest, ARefusedFillStopsThePassAtThatKeyAndKeepsWhatWasApplied) {
  form.setWindowTitle("Quillon");
  form.tabs = {"Channels", "Favorites"};
  Label lbl1("lbl1", "&Search", &form);
  File("frmPass_FontName=Arial\nfrmPass_FontSize=9\nfrmPass_FontCharset=1\nfrmPass_Caption=Quillon DE\n"
       "frmPass_Tabs[0]=Sender\nlbl1_Caption=&Suchen\nstrNoSel=Bitte\n");
  QFile::setPermissions(QString::fromStdString(lng()), QFile::ReadOwner);
  TMLang lang(&form);
  lang.SetStrList({"strNoSel=Please select a channel first."});
  lang.SetLangFileName("langs/Default.lng");
  try {
    lang.SetActiveNow(true);
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + lng());
  }
  EXPECT_EQ(form.windowTitle(), "Quillon DE");
  EXPECT_EQ(form.tabs, QStringList({"Sender", "Favorites"}));  // Tabs[1] was refused
  EXPECT_EQ(lbl1.text(), "&Search");
  EXPECT_EQ(lang.StrList()[0], "strNoSel=Please select a channel first.");
  EXPECT_FALSE(lang.Busy());
}

TEST_F(PassTest, EveryPassSettingButAddBracketStartsAPassWhileActive) {
  Label lbl1("lbl1", "&Search", &form);
  File("lbl1_Caption=&Suchen\n");
  auto lang = Activate();
  using Change = std::function<void(TMLang&)>;
  const struct {
    const char* setting;
    Change change;
    bool passes;
  } cases[] = {
      {"LangFileName", [](TMLang& l) { l.SetLangFileName("langs/Default.lng"); }, true},
      {"IgnoreEmptyString", [](TMLang& l) { l.SetIgnoreEmptyString(true); }, true},
      {"AutoCreateMode", [](TMLang& l) { l.SetAutoCreateMode(true); }, true},
      {"AddBracket", [](TMLang& l) { l.SetAddBracket(true); }, false},
      {"StringProperties", [](TMLang& l) { l.SetStringProperties({"Caption"}); }, true},
      {"StringsProperties", [](TMLang& l) { l.SetStringsProperties({"Items"}); }, true},
      {"IgnoreControls", [](TMLang& l) { l.SetIgnoreControls({"other"}); }, true},
      {"SaveFontSizeCtrls", [](TMLang& l) { l.SetSaveFontSizeCtrls({"other"}); }, true},
      {"IgnoreFormCaption", [](TMLang& l) { l.SetIgnoreFormCaption(false); }, true},
      {"IncludeListViewItems", [](TMLang& l) { l.SetIncludeListViewItems(false); }, true},
      {"IncludeListViewHead", [](TMLang& l) { l.SetIncludeListViewHead(false); }, true},
      {"IncludeTreeViewItems", [](TMLang& l) { l.SetIncludeTreeViewItems(false); }, true},
      {"StrList", [](TMLang& l) { l.SetStrList({"strNoSel=x"}); }, true},
      {"ActiveNow", [](TMLang& l) { l.SetActiveNow(true); }, true},
  };
  for (const auto& c : cases) {
    lbl1.setText("&Search");
    c.change(*lang);
    EXPECT_EQ(lbl1.text(), c.passes ? "&Suchen" : "&Search") << c.setting;
  }
  lbl1.setText("&Search");
  lang->SetActiveNow(false);
  lang->SetLangFileName("langs/Default.lng");
  EXPECT_EQ(lbl1.text(), "&Search");
}

TEST_F(PassTest, ComponentsCreatedAfterTheLanguageComponentWaitForTheNextFileName) {
  File("lbl1_Caption=&Suchen\nmniStop_Caption=&Stopp\n");
  Label lbl1("lbl1", "&Search", &form);
  auto lang = Activate();
  Label later("mniStop", "&Stop", &form);
  EXPECT_EQ(lbl1.text(), "&Suchen");
  EXPECT_EQ(later.text(), "&Stop");
  lang->SetLangFileName("langs/Default.lng");
  EXPECT_EQ(later.text(), "&Stopp");
}

TEST_F(PassTest, IgnoreFormCaptionSkipsExactlyTheCaptionName) {
  const struct {
    bool ignore;
    const char* name;
    const char* title;
  } cases[] = {{true, "Caption", "Quillon"}, {true, "caption", "Quillon DE"}, {false, "Caption", "Quillon DE"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    form.setWindowTitle("Quillon");
    File("frmPass_Caption=Quillon DE\n");
    Activate([&](TMLang& l) {
      l.SetIgnoreFormCaption(c.ignore);
      l.SetStringProperties({c.name});
    });
    EXPECT_EQ(form.windowTitle(), c.title);
  }
}

TEST_F(PassTest, NoFileOrADataModuleOwnerChangesNothing) {
  Label lbl1("lbl1", "&Search", &form);
  TMLang idle(&form);
  idle.SetActiveNow(true);
  EXPECT_EQ(lbl1.text(), "&Search");
  EXPECT_FALSE(QFile::exists(QString::fromStdString(dir_ / "bin/English.ini")));

  QObject module;
  FontHolder holder("fpHost", &module);
  const std::string file = "[QObject]\nfpHost_Caption=translated\nfpHost_FontName=Arial\n";
  TestDir::Write(lng(), file);
  TMLang lang(&module);
  lang.SetLangFileName("langs/Default.lng");
  lang.SetActiveNow(true);
  EXPECT_EQ(holder.caption, "holder");
  EXPECT_EQ(holder.fontName, "System");
  EXPECT_EQ(TestDir::Read(lng()), file);
}

#include "translation_test.moc"
