#include <gtest/gtest.h>

#include <QFile>
#include <QFrame>
#include <QPushButton>
#include <QWidget>

#include "lang/mlang.h"
#include "platform/profile.h"
#include "tests/support/test_dir.h"

namespace {

// A window class of its own, so its section is named after it.
class TfrmTest : public QWidget {
  Q_OBJECT
};

class MLangTest : public ScratchTest {
 protected:
  TfrmTest form;
  std::string lng() const { return dir_ / "bin/langs/Default.lng"; }
  std::string Value(const std::string& key, const std::string& section = "TfrmTest") const {
    return qprofile::GetPrivateProfileString(section, key, "<none>", lng());
  }
};

}  // namespace

TEST_F(MLangTest, OwnerMustBeAWindowAFrameOrADataModule) {
  QObject module;
  QFrame frame;
  QPushButton button(&form);
  EXPECT_NO_THROW(TMLang{&form});
  EXPECT_NO_THROW(TMLang{&module});
  EXPECT_NO_THROW(TMLang{&frame});
  try {
    TMLang bad(&button);
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Owner Error!");
  }
  EXPECT_THROW(TMLang{nullptr}, std::runtime_error);
}

TEST_F(MLangTest, FileNameResolvesAgainstTheExecutablesFolder) {
  TMLang lang(&form);
  EXPECT_EQ(lang.LangFileName(), "English.ini");
  EXPECT_EQ(lang.FilePath(), "");
  lang.SetLangFileName("langs/Default.lng");
  EXPECT_EQ(lang.LangFileName(), "langs/Default.lng");
  EXPECT_EQ(lang.FilePath(), lng());
  EXPECT_TRUE(QFile::exists(QString::fromStdString(dir_ / "bin/langs")));  // the folder is made
  EXPECT_FALSE(QFile::exists(QString::fromStdString(lng())));               // the file is not
  lang.SetLangFileName(dir_ / "abs/x.lng");
  EXPECT_EQ(lang.FilePath(), dir_ / "abs/x.lng");
}

TEST_F(MLangTest, WithoutAFileMessagesComeFromStrListOrTheKey) {
  TMLang lang(&form);
  lang.SetStrList({"strNoSel=Please select a channel first.", "strBare"});
  EXPECT_EQ(lang.GetResString("STRNOSEL"), "Please select a channel first.");
  EXPECT_EQ(lang.GetResString("strOther"), "strOther");
  EXPECT_EQ(lang.GetResString(""), "");
  EXPECT_EQ(lang.GetResString(0), "Please select a channel first.");
  EXPECT_EQ(lang.GetResString(1), "strBare");
  EXPECT_EQ(lang.GetResString(2), "");
  EXPECT_EQ(lang.GetResString(-1), "");
  EXPECT_EQ(lang.GetResString("strNoSel", "TfrmTest"), "strNoSel");
}

TEST_F(MLangTest, AMissingKeyIsFilledWithItselfOnlyWhenFillingIsOn) {
  TMLang lang(&form);
  lang.SetLangFileName("langs/Default.lng");
  EXPECT_EQ(lang.GetResString("Germany"), "Germany");
  EXPECT_EQ(Value("Germany"), "Germany");
  lang.SetAutoCreateMode(false);
  EXPECT_EQ(lang.GetResString("France"), "France");
  EXPECT_EQ(Value("France"), "<none>");
}

TEST_F(MLangTest, FileValuesAndTheirTreatment) {
  TestDir::Write(lng(),
                 "[TfrmTest]\n"
                 "strTwo=first\\nsecond\n"
                 "strEmpty=\n"
                 "strBlank=<>\n"
                 "strPadded=< x >\n"
                 "[Other]\n"
                 "strTwo=elsewhere\\n\n");
  TMLang lang(&form);
  lang.SetLangFileName("langs/Default.lng");
  EXPECT_EQ(lang.GetResString("strTwo"), "first\r\nsecond");
  EXPECT_EQ(lang.GetResString("strTwo", "Other"), "elsewhere\r\n");
  EXPECT_EQ(lang.GetResString("strMissing", "Other"), "strMissing");
  EXPECT_EQ(lang.GetResString("strTwo", ""), "");
  EXPECT_EQ(lang.GetResString("strPadded"), " x ");
  EXPECT_EQ(lang.KeyRule("strBlank", "current"), "");  // "<>" is an empty text
  // An empty value counts as missing: filling overwrites it.
  EXPECT_EQ(lang.KeyRule("strEmpty", "now filled"), "");
  EXPECT_EQ(Value("strEmpty"), "now filled");
}

TEST_F(MLangTest, AddBracketWrapsFilledValues) {
  TMLang lang(&form);
  lang.SetAddBracket(true);
  lang.SetLangFileName("langs/Default.lng");
  lang.AddResString("strNoSel", "Please select a channel first.");
  EXPECT_EQ(qprofile::GetPrivateProfileString("TfrmTest", "strNoSel", "", lng()), "<Please select a channel first.>");
  EXPECT_EQ(lang.KeyRule("strNoSel", "ignored"), "Please select a channel first.");
}

TEST_F(MLangTest, IgnoreEmptyStringKeepsEmptyTextsOutOfTheFile) {
  TMLang lang(&form);
  lang.SetLangFileName("langs/Default.lng");
  lang.SetIgnoreEmptyString(true);
  lang.AddResString("lblEmpty_Caption", "");
  EXPECT_EQ(Value("lblEmpty_Caption"), "<none>");
  lang.SetIgnoreEmptyString(false);
  lang.AddResString("lblEmpty_Caption", "");
  EXPECT_EQ(TestDir::Read(lng()).find("lblEmpty_Caption="), 11u);
}

TEST_F(MLangTest, ARefusedWriteRaisesUnableToWrite) {
  TestDir::Write(lng(), "[TfrmTest]\n");
  QFile::setPermissions(QString::fromStdString(lng()), QFile::ReadOwner);
  TMLang lang(&form);
  lang.SetLangFileName("langs/Default.lng");
  try {
    lang.GetResString("strNew");
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + lng());
  }
}

TEST_F(MLangTest, APassRewritesStrListWithTranslations) {
  TestDir::Write(lng(), "[TfrmTest]\nstrNoSel=Bitte zuerst einen Sender wählen.\n");
  TMLang lang(&form);
  lang.SetStrList({"strNoSel=Please select a channel first.", "strAdded=Added %s.", "no equals sign"});
  lang.SetLangFileName("langs/Default.lng");
  EXPECT_EQ(lang.StrList()[0], "strNoSel=Please select a channel first.");  // inactive: no pass
  lang.SetActiveNow(true);
  EXPECT_EQ(lang.StrList()[0], "strNoSel=Bitte zuerst einen Sender wählen.");
  EXPECT_EQ(lang.StrList()[1], "strAdded=Added %s.");
  EXPECT_EQ(lang.StrList()[2], "no equals sign");
  EXPECT_EQ(Value("strAdded"), "Added %s.");
  EXPECT_FALSE(lang.Busy());
}

TEST_F(MLangTest, UnRegisterErasesASection) {
  TestDir::Write(lng(), "[TfrmTest]\na=1\n[Gone]\nb=2\n");
  TMLang lang(&form);
  lang.UnRegister("Gone");  // no file open: nothing
  EXPECT_EQ(TestDir::Read(lng()), "[TfrmTest]\na=1\n[Gone]\nb=2\n");
  lang.SetLangFileName("langs/Default.lng");
  lang.UnRegister("gone");
  EXPECT_EQ(TestDir::Read(lng()), "[TfrmTest]\na=1\n");
}

#include "mlang_test.moc"
