// corvane.so as a host meets it: registered, created by class id from a scratch
// registry, driven through IFormPlayer's vtable and by dispid, its events received
// through its connection point.
#include <elf.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPaintEvent>
#include <QPalette>
#include <QTest>
#include <algorithm>

#include "platform/registry.h"
#include "tests/corvane/corvane_fixture.h"

namespace {

using qcom::Variant;

const std::string kClassKey = "CLSID\\" + qcom::FormatGuid(CLSID_FormPlayer);
const char* const kOpenFailed = "Open the media file failed! Please try another.";

std::string ClassesValue(const std::string& key, const std::string& name = "") {
  return qreg::Key::Open(qreg::Root::ClassesRoot, key)->ReadString(name);
}

// The bytes of one section of an ELF file; "" when it has none of that name.
std::string Section(const std::string& file, const std::string& name) {
  QFile f(QString::fromStdString(file));
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = f.readAll();
  if (size_t(bytes.size()) < sizeof(Elf64_Ehdr)) return {};
  const auto* header = reinterpret_cast<const Elf64_Ehdr*>(bytes.constData());
  const auto* sections = reinterpret_cast<const Elf64_Shdr*>(bytes.constData() + header->e_shoff);
  const char* names = bytes.constData() + sections[header->e_shstrndx].sh_offset;
  for (int i = 0; i < header->e_shnum; ++i)
    if (name == names + sections[i].sh_name)
      return std::string(bytes.constData() + sections[i].sh_offset, sections[i].sh_size);
  return {};
}

// What was heard without the paint, activation and focus events that showing brings.
Lines WithoutShowing(const Lines& heard) {
  Lines r;
  for (const std::string& line : heard)
    if (line != "16" && line != "1" && line != "7") r.push_back(line);
  return r;
}

// The reports of the form (OnCreate, OnChangeMsg, OnScreenSize, OnError) among what
// was heard, without the activation, focus and paint events that showing brings.
Lines Reports(const Lines& heard) {
  Lines r;
  for (const std::string& line : heard) {
    const int id = std::stoi(line);
    if (id == 3 || id == 4 || id == 8 || id == 9) r.push_back(line);
  }
  return r;
}

TEST_F(CorvaneTest, RegistrationEntersTheControlItsTypeLibraryAndTheVersion) {
  const std::string path = ClassesValue(kClassKey + "\\InprocServer32");
  EXPECT_EQ(path, QFileInfo(CORVANE_MODULE).absoluteFilePath().toStdString());
  EXPECT_EQ(ClassesValue(kClassKey), "FormPlayer Control");
  EXPECT_EQ(ClassesValue(kClassKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
  EXPECT_EQ(ClassesValue(kClassKey + "\\ProgID"), "Corvane.FormPlayer");
  EXPECT_EQ(ClassesValue(kClassKey + "\\MiscStatus\\1"), "73728");
  EXPECT_EQ(ClassesValue(kClassKey + "\\ToolboxBitmap32"), path + ",1");
  EXPECT_EQ(ClassesValue(kClassKey + "\\TypeLib"), "{E41DE7E7-B821-4B50-8C2E-3D7B26874D7A}");
  EXPECT_EQ(ClassesValue("TypeLib\\{E41DE7E7-B821-4B50-8C2E-3D7B26874D7A}\\1.0"), "Corvane Library");
  EXPECT_EQ(ClassesValue("TypeLib\\{E41DE7E7-B821-4B50-8C2E-3D7B26874D7A}\\1.0\\409\\win32"), path);
  EXPECT_EQ(ClassesValue("Interface\\{5C6B7719-0346-4572-807A-08B92C17F6DA}"), "IFormPlayer");
  EXPECT_EQ(ClassesValue("Interface\\{FAFA4548-91A1-4DC5-8336-EC640C157AF5}"), "IFormPlayerEvents");

  const char kVersion[] = "FileVersion=1.3.0.0\0ProductVersion=1.3.0.0\0OleSelfRegister=\0";
  EXPECT_EQ(Section(CORVANE_MODULE, ".qversion"), std::string(kVersion, sizeof kVersion));

  ASSERT_EQ(CallEntry("DllUnregisterServer"), S_OK);
  EXPECT_EQ(qcom::RegisteredModule(CLSID_FormPlayer), "");
  qcom::ComPtr<IFormPlayer> gone;
  EXPECT_EQ(CoCreateInstance(CLSID_FormPlayer, nullptr, CLSCTX_INPROC_SERVER, IFormPlayer::kIid, gone.put_void()),
            REGDB_E_CLASSNOTREG);
}

TEST_F(CorvaneTest, TheFirstConnectionRaisesOnCreateOnceAndSetsTheFormUp) {
  qcom::ComPtr<IFormPlayer> control;
  ASSERT_EQ(CoCreateInstance(CLSID_FormPlayer, nullptr, CLSCTX_INPROC_SERVER, IFormPlayer::kIid, control.put_void()),
            S_OK);
  qcom::ComPtr<IConnectionPointContainer> points;
  ASSERT_EQ(control.As(&points), S_OK);
  qcom::ComPtr<IConnectionPoint> point;
  ASSERT_EQ(points->FindConnectionPoint(DIID_IFormPlayerEvents, point.put()), S_OK);

  auto first = qcom::Make<RecordingSink>();
  DWORD cookie = 0;
  ASSERT_EQ(point->Advise(static_cast<IDispatch*>(first.get()), &cookie), S_OK);
  EXPECT_EQ(Reports(first->heard), (Lines{"3", "4 Ferrowin"})) << "OnCreate, then the set-up posts the brand";
  ASSERT_EQ(point->Unadvise(cookie), S_OK);

  auto second = qcom::Make<RecordingSink>();
  ASSERT_EQ(point->Advise(static_cast<IDispatch*>(second.get()), &cookie), S_OK);
  EXPECT_EQ(Reports(second->heard), Lines{}) << "later changes of the sink raise nothing";
  EXPECT_EQ(control->StartPlay(const_cast<char*>("")), S_OK);
  EXPECT_EQ(Reports(second->heard), Lines{std::string("9 3 ") + kOpenFailed});
  EXPECT_EQ(Reports(first->heard).size(), 2u) << "the sink that left hears nothing more";
  ASSERT_EQ(point->Unadvise(cookie), S_OK);
}

TEST_F(CorvaneTest, AHostThatNeverConnectsHearsNothingAndTheSetUpNeverRuns) {
  qcom::ComPtr<IOleObject> object;
  ASSERT_EQ(CoCreateInstance(CLSID_FormPlayer, nullptr, CLSCTX_INPROC_SERVER, IOleObject::kIid, object.put_void()),
            S_OK);
  const RECT pos{0, 0, 408, 287};
  ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, window.get(), &pos), S_OK);
  qcom::ComPtr<IFormPlayer> control;
  ASSERT_EQ(object.As(&control), S_OK);
  EXPECT_EQ(control->StartPlay(const_cast<char*>("")), S_OK);
  QObject* label = window->findChild<QObject*>("lblMsg");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->property("Caption").toString(), "") << "no set-up: the brand was never posted";
  object->Close(OLECLOSE_NOSAVE);
}

TEST_F(CorvaneTest, PlayingNothingOnAFreshControlReportsError3AndChangesNothingElse) {
  Host();
  heard.clear();
  EXPECT_EQ(player->StartPlay(const_cast<char*>("")), S_OK);
  EXPECT_EQ(player->StartPlay(nullptr), S_OK) << "a null text is the empty one";
  EXPECT_EQ(Reports(heard), (Lines{std::string("9 3 ") + kOpenFailed, std::string("9 3 ") + kOpenFailed}));
  EXPECT_EQ(Caption("lblMsg"), "Ferrowin");
  QObject* play = Part("imgbtnPlay");
  ASSERT_NE(play, nullptr);
  EXPECT_TRUE(static_cast<QWidget*>(play)->isEnabled()) << "still stopped";
}

TEST_F(CorvaneTest, VolumeTakesZeroToHundredAndIgnoresOtherValues) {
  Host();
  struct Case {
    LONG put;
    LONG after;
  } cases[] = {{101, 50}, {-1, 50}, {0, 0}, {-1, 0}, {100, 100}, {101, 100}, {37, 37}};
  for (const Case& c : cases) {
    EXPECT_NO_THROW(host->Put(corvane::kDispVolume, Variant::I4(c.put))) << c.put;
    EXPECT_EQ(host->Get(corvane::kDispVolume).ToLong(), c.after) << c.put;
  }
  ASSERT_EQ(player->put_Volume(50), S_OK);
  for (const Case& c : cases) {
    EXPECT_EQ(player->put_Volume(c.put), S_OK) << c.put;
    LONG v = -5;
    EXPECT_EQ(player->get_Volume(&v), S_OK);
    EXPECT_EQ(v, c.after) << c.put;
  }
  EXPECT_EQ(Part("suiTrackVolume")->property("value").toInt(), 37) << "the volume bar shows it";
}

TEST_F(CorvaneTest, AnEmptyLanguageFileNameStillAppliesTheBrandPair) {
  Host();
  QObject* brand = Part("lblName");
  host->Put(corvane::kDispAppName, Variant::Text("Quillon"));
  EXPECT_EQ(Caption("lblName"), "Quillon") << "the name shows at once";
  host->Put(corvane::kDispAppURL, Variant::Text("http://quillon.example/"));
  EXPECT_EQ(brand->property("URL").toString(), "http://quillon.example/");

  brand->setProperty("Caption", "Other");
  brand->setProperty("URL", "http://other.example/");
  heard.clear();
  host->Put(corvane::kDispLangFileName, Variant::Text(""));
  EXPECT_EQ(Caption("lblName"), "Quillon");
  EXPECT_EQ(brand->property("URL").toString(), "http://quillon.example/");
  EXPECT_EQ(Reports(heard), Lines{}) << "no file: nothing loaded, nothing posted";
  EXPECT_EQ(host->Get(corvane::kDispLangFileName).ToText(), "langs/Default.lng");

  // Without a link the pair is incomplete, and the label keeps what it shows.
  host->Put(corvane::kDispAppURL, Variant::Text(""));
  brand->setProperty("Caption", "Other");
  host->Put(corvane::kDispLangFileName, Variant::Text(""));
  EXPECT_EQ(Caption("lblName"), "Other");
  EXPECT_EQ(host->Get(corvane::kDispAppName).ToText(), "Quillon");
}

TEST_F(CorvaneTest, ALanguageFileTranslatesPostsTheBrandAndGivesItsLinkUnlessTheHostNamedOne) {
  TestDir::Write(BinDir() + "langs/Deutsch.lng",
                 "[TFormPlayer]\nlblName_Caption=Ferrowin Deutsch\nstrURL=http://de.example/\nstrStop=Angehalten\n");
  Host();
  QObject* brand = Part("lblName");
  heard.clear();
  host->Put(corvane::kDispLangFileName, Variant::Text("langs/Deutsch.lng"));
  EXPECT_EQ(Reports(heard), Lines{"4 Ferrowin Deutsch"});
  EXPECT_EQ(Caption("lblName"), "Ferrowin Deutsch");
  EXPECT_EQ(brand->property("URL").toString(), "http://de.example/");
  EXPECT_EQ(host->Get(corvane::kDispLangFileName).ToText(), "langs/Deutsch.lng");
  heard.clear();
  EXPECT_EQ(player->Stop(), S_OK);
  EXPECT_EQ(Reports(heard), Lines{"4 Angehalten"}) << "the form's messages come from the file";

  host->Put(corvane::kDispAppName, Variant::Text("Quillon"));
  host->Put(corvane::kDispAppURL, Variant::Text("http://quillon.example/"));
  heard.clear();
  std::string file = "langs/Deutsch.lng";
  EXPECT_EQ(player->SetLangFile(file.data()), S_OK);
  EXPECT_EQ(Reports(heard), Lines{"4 Ferrowin Deutsch"}) << "the file's brand is posted first";
  EXPECT_EQ(Caption("lblName"), "Quillon");
  EXPECT_EQ(brand->property("URL").toString(), "http://quillon.example/");
}

TEST_F(CorvaneTest, ALanguageFileThatRefusesItsEntriesFailsTheMemberAndTheControlStaysUsable) {
  const std::string file = BinDir() + "langs/Locked.lng";
  TestDir::Write(file, "[TFormPlayer]\n");
  QFile::setPermissions(QString::fromStdString(file), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
  Host();
  try {
    host->Put(corvane::kDispLangFileName, Variant::Text(file));
    FAIL() << "a language file that refused its entries was taken";
  } catch (const qcom::ComError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + file);
  }
  std::string name = file;
  EXPECT_TRUE(FAILED(player->SetLangFile(name.data())));
  EXPECT_EQ(host->Get(corvane::kDispVolume).ToLong(), 50);
  EXPECT_EQ(player->put_Volume(80), S_OK);
  EXPECT_EQ(host->Get(corvane::kDispVolume).ToLong(), 80);
}

TEST_F(CorvaneTest, TheStoredStateReachesTheStandardMembers) {
  Host({{"Left", "0"},
        {"Top", "20"},
        {"Width", "408"},
        {"Height", "287"},
        {"Cursor", "-11"},
        {"ActiveControl", "imgbtnRight"},
        {"AxBorderStyle", "0"},
        {"Caption", "FormPlayer"},
        {"Color", "0x8000000F"},
        {"Font.Name", "MS Sans Serif"},
        {"Font.Height", "-11"},
        {"PixelsPerInch", "96"}});
  EXPECT_EQ(host->Get(corvane::kDispCaption).ToText(), "FormPlayer");
  EXPECT_EQ(OLE_COLOR(host->Get(corvane::kDispColor).ToLong()), clBtnFace);
  EXPECT_EQ(host->Get(corvane::kDispCursor).ToLong(), -11);
  EXPECT_EQ(host->Get(corvane::kDispAxBorderStyle).ToLong(), afbNone);
  EXPECT_EQ(host->Get(corvane::kDispPixelsPerInch).ToLong(), 96);
  QWidget* form = host->widget();
  EXPECT_EQ(form->font().family(), "MS Sans Serif");
  EXPECT_EQ(form->font().pixelSize(), 11);
  EXPECT_EQ(form->palette().color(QPalette::Window), form->palette().color(QPalette::Button));
  EXPECT_EQ(static_cast<QObject*>(form->focusProxy()), Part("imgbtnRight"));

  Variant font = host->Get(corvane::kDispFont);
  ASSERT_EQ(font.vt(), VT_DISPATCH);
  IDispatch* f = font.raw().pdispVal;
  Variant v;
  ASSERT_EQ(qcom::GetProperty(f, DISPID_FONT_NAME, &v), S_OK);
  EXPECT_EQ(v.ToText(), "MS Sans Serif");
  ASSERT_EQ(qcom::GetProperty(f, DISPID_FONT_SIZE, &v), S_OK);
  EXPECT_EQ(v.ToLong(), 8) << "11 pixels at 96 pixels per inch";
  ASSERT_EQ(qcom::PutProperty(f, DISPID_FONT_BOLD, Variant::Bool(true)), S_OK);
  EXPECT_TRUE(form->font().bold()) << "the font object is the form's own";

  qcom::ComPtr<IOleObject> object;
  ASSERT_EQ(player.As(&object), S_OK);
  DWORD misc = 0;
  EXPECT_EQ(object->GetMiscStatus(DVASPECT_CONTENT, &misc), S_OK);
  EXPECT_EQ(misc, 73728u);
}

TEST_F(CorvaneTest, StandardMembersReadAndWriteTheForm) {
  Host();
  QWidget* form = host->widget();
  struct Case {
    DISPID id;
    Variant value;
  };
  const std::vector<Case> roundTrips = {
      {corvane::kDispAutoScroll, Variant::Bool(true)},    {corvane::kDispAutoSize, Variant::Bool(true)},
      {corvane::kDispAxBorderStyle, Variant::I4(afbRaised)}, {corvane::kDispCaption, Variant::Text("Fenster 1")},
      {corvane::kDispColor, Variant::I4(0x0000FF)},       {corvane::kDispKeyPreview, Variant::Bool(true)},
      {corvane::kDispPixelsPerInch, Variant::I4(120)},    {corvane::kDispPrintScale, Variant::I4(poPrintToFit)},
      {corvane::kDispScaled, Variant::Bool(false)},       {corvane::kDispDropTarget, Variant::Bool(true)},
      {corvane::kDispHelpFile, Variant::Text("player.hlp")}, {corvane::kDispDoubleBuffered, Variant::Bool(true)},
      {corvane::kDispEnabled, Variant::Bool(false)},      {corvane::kDispCursor, Variant::I2(-21)},
      {corvane::kDispHelpType, Variant::I4(htKeyword)},   {corvane::kDispHelpKeyword, Variant::Text("playing")},
      {corvane::kDispVisible, Variant::Bool(false)},
  };
  for (const Case& c : roundTrips) {
    host->Put(c.id, c.value);
    const Variant back = host->Get(c.id);
    if (c.value.vt() == VT_BSTR)
      EXPECT_EQ(back.ToText(), c.value.ToText()) << c.id;
    else
      EXPECT_EQ(back.ToLong(), c.value.ToLong()) << c.id;
  }
  EXPECT_EQ(form->windowTitle(), "Fenster 1");
  EXPECT_EQ(form->palette().color(QPalette::Window), QColor(255, 0, 0));
  EXPECT_FALSE(form->isEnabled());
  EXPECT_TRUE(form->isHidden());
  host->Put(corvane::kDispVisible, Variant::Bool(true));
  EXPECT_FALSE(form->isHidden());
  EXPECT_FALSE(host->Get(corvane::kDispAlignDisabled).ToBool());
  EXPECT_EQ(host->Get(corvane::kDispVisibleDockClientCount).ToLong(), 0);

  // The vtable reaches the same members.
  VARIANT_BOOL b = 0;
  EXPECT_EQ(player->get_Enabled(&b), S_OK);
  EXPECT_EQ(b, VARIANT_FALSE);
  EXPECT_EQ(player->put_Enabled(VARIANT_TRUE), S_OK);
  EXPECT_TRUE(form->isEnabled());
  qcom::Bstr caption;
  EXPECT_EQ(player->get_Caption(caption.put()), S_OK);
  EXPECT_EQ(caption.text(), "Fenster 1");
  TxHelpType helpType = htContext;
  EXPECT_EQ(player->get_HelpType(&helpType), S_OK);
  EXPECT_EQ(helpType, htKeyword);

  const struct {
    DISPID id;
    Variant value;
  } refused[] = {
      {corvane::kDispAxBorderStyle, Variant::I4(4)},   {corvane::kDispPrintScale, Variant::I4(-1)},
      {corvane::kDispHelpType, Variant::I4(2)},        {corvane::kDispPixelsPerInch, Variant::I4(0)},
      {corvane::kDispColor, Variant::I4(0x01000000)},  {corvane::kDispColor, Variant::I4(LONG(0x800000FFu))},
  };
  for (const auto& r : refused) {
    try {
      host->Put(r.id, r.value);
      ADD_FAILURE() << r.id << " took " << r.value.ToLong();
    } catch (const qcom::ComError& e) {
      EXPECT_STREQ(e.what(), "Invalid property value") << r.id;
    }
  }
  EXPECT_EQ(player->put_AxBorderStyle(TxActiveFormBorderStyle(9)), E_INVALIDARG);
  EXPECT_EQ(host->Get(corvane::kDispAxBorderStyle).ToLong(), afbRaised) << "a refused value changes nothing";
}

TEST_F(CorvaneTest, EveryMemberAnswersToItsNameWithItsDispid) {
  Host();
  const struct {
    const char* name;
    DISPID id;
  } members[] = {
      {"Visible", 1},          {"AutoScroll", 2},     {"AutoSize", 3},       {"AxBorderStyle", 4},
      {"Caption", -518},       {"Color", -501},       {"Font", -512},        {"KeyPreview", 5},
      {"PixelsPerInch", 6},    {"PrintScale", 7},     {"Scaled", 8},         {"Active", 9},
      {"DropTarget", 10},      {"HelpFile", 11},      {"DoubleBuffered", 12}, {"AlignDisabled", 13},
      {"VisibleDockClientCount", 14}, {"Enabled", -514}, {"Cursor", 15},     {"HelpType", 16},
      {"HelpKeyword", 17},     {"StartPlay", 18},     {"Stop", 19},          {"Mute", 20},
      {"Pause", 21},           {"SetSize", 22},       {"ShowCtrBar", 23},    {"SetUIStyle", 24},
      {"UnInit", 25},          {"Volume", 26},        {"SetLangFile", 27},   {"AppName", 28},
      {"ShowCtrlBar", 29},     {"LangFileName", 31},  {"AppURL", 32},
  };
  for (const auto& m : members) EXPECT_EQ(qcom::IdOfName(host->dispatch(), m.name), m.id) << m.name;
}

TEST_F(CorvaneTest, CustomMembersMeetTheSameStateThroughTheVtableAndByDispid) {
  Host();
  QWidget* form = host->widget();
  EXPECT_EQ(player->put_ShowCtrlBar(VARIANT_FALSE), S_OK);
  EXPECT_FALSE(host->Get(corvane::kDispShowCtrlBar).ToBool());
  EXPECT_TRUE(static_cast<QWidget*>(Part("pnlCtrl"))->isHidden());
  host->Put(corvane::kDispShowCtrlBar, Variant::Bool(true));
  VARIANT_BOOL shown = 0;
  EXPECT_EQ(player->get_ShowCtrlBar(&shown), S_OK);
  EXPECT_EQ(shown, VARIANT_TRUE);

  EXPECT_EQ(player->ShowCtrBar(VARIANT_FALSE), S_OK);
  EXPECT_EQ(static_cast<QWidget*>(Part("pnlCtrl"))->height(), 4);
  host->Call(corvane::kDispShowCtrBar, {Variant::Bool(true)});
  EXPECT_EQ(static_cast<QWidget*>(Part("pnlCtrl"))->height(), 38);

  EXPECT_EQ(player->Mute(1), S_OK) << "1 stands for true";
  EXPECT_TRUE(static_cast<QWidget*>(Part("imgbtnSound"))->isHidden());
  EXPECT_FALSE(static_cast<QWidget*>(Part("suiTrackVolume"))->isEnabled());
  host->Call(corvane::kDispMute, {Variant::Bool(false)});
  EXPECT_FALSE(static_cast<QWidget*>(Part("imgbtnSound"))->isHidden());

  std::string theme;
  EXPECT_EQ(player->SetUIStyle(3, theme.data()), S_OK);
  EXPECT_EQ(Part("pmPlayer")->property("UIStyle").toInt(), 3);
  host->Call(corvane::kDispSetUIStyle, {Variant::I4(4), Variant::Text("")});
  EXPECT_EQ(Part("suiTrackVolume")->property("UIStyle").toInt(), 4);

  EXPECT_EQ(player->put_AppName(qcom::Bstr("Quillon").get()), S_OK);
  EXPECT_EQ(host->Get(corvane::kDispAppName).ToText(), "Quillon");
  host->Put(corvane::kDispAppURL, Variant::Text("http://quillon.example/"));
  qcom::Bstr url;
  EXPECT_EQ(player->get_AppURL(url.put()), S_OK);
  EXPECT_EQ(url.text(), "http://quillon.example/");

  heard.clear();
  host->Call(corvane::kDispStartPlay, {Variant::Text("")});
  host->Call(corvane::kDispStop);
  EXPECT_EQ(player->Pause(), S_OK);
  EXPECT_EQ(player->SetSize(2), S_OK);
  EXPECT_EQ(player->UnInit(), S_OK);
  host->Call(corvane::kDispUnInit);
  EXPECT_EQ(Reports(heard), (Lines{std::string("9 3 ") + kOpenFailed, "4 Stopped"}))
      << "without an engine Pause and SetSize do nothing";
  EXPECT_EQ(form->parentWidget(), window.get());
}

TEST_F(CorvaneTest, TheFormRaisesItsOwnEvents) {
  Host();
  QWidget* form = host->widget();
  window->show();
  // The form's parts cover it, so Qt hardly ever paints the form itself.
  heard.clear();
  QPaintEvent paint(form->rect());
  QCoreApplication::sendEvent(form, &paint);
  EXPECT_EQ(heard, Lines{"16"});

  heard.clear();
  keyReply = 'x';
  QTest::keyClick(form, Qt::Key_A);
  EXPECT_EQ(WithoutShowing(heard), Lines{"11 97"});
  keyReply = -1;
  heard.clear();
  QTest::keyClick(form, Qt::Key_Left);
  EXPECT_EQ(WithoutShowing(heard), Lines{}) << "no character, no OnKeyPress";

  // A part that takes its keys: the play button clicks on the space bar.
  QWidget* play = static_cast<QWidget*>(Part("imgbtnPlay"));
  heard.clear();
  QTest::keyClick(play, Qt::Key_Space);
  EXPECT_EQ(Reports(heard), Lines{std::string("9 3 ") + kOpenFailed}) << "the button played";
  EXPECT_EQ(std::count(heard.begin(), heard.end(), "11 32"), 0) << "without KeyPreview the form never heard it";

  host->Put(corvane::kDispKeyPreview, Variant::Bool(true));
  heard.clear();
  QTest::keyClick(play, Qt::Key_Space);
  EXPECT_EQ(WithoutShowing(heard).front(), "11 32") << "with KeyPreview the form hears it first";
  EXPECT_EQ(Reports(heard), Lines{std::string("9 3 ") + kOpenFailed}) << "and the button still gets it";
  EXPECT_EQ(std::count(heard.begin(), heard.end(), "11 32"), 1) << "once, not again on its way up";

  keyReply = 0;
  heard.clear();
  QTest::keyClick(play, Qt::Key_Space);
  EXPECT_EQ(WithoutShowing(heard), Lines{"11 32"}) << "a key the host drops never reaches the button";
}

TEST_F(CorvaneTest, FocusEnteringAndLeavingTheFormRaisesActivateAndDeactivate) {
  Host();
  QWidget* outside = new QWidget(window.get());
  outside->setGeometry(0, 0, 408, 20);
  outside->setFocusPolicy(Qt::StrongFocus);
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  outside->setFocus();
  heard.clear();
  auto focusEvents = [this] {
    Lines focus;
    for (const std::string& line : heard)
      if (line == "1" || line == "7") focus.push_back(line);
    return focus;
  };
  static_cast<QWidget*>(Part("imgbtnRight"))->setFocus();
  EXPECT_EQ(focusEvents(), Lines{"1"});
  EXPECT_TRUE(host->Get(corvane::kDispActive).ToBool());
  static_cast<QWidget*>(Part("imgbtnPlay"))->setFocus();
  EXPECT_EQ(focusEvents(), Lines{"1"}) << "moving inside the form changes nothing";
  outside->setFocus();
  EXPECT_EQ(focusEvents(), (Lines{"1", "7"}));
  EXPECT_FALSE(host->Get(corvane::kDispActive).ToBool());
}

TEST_F(CorvaneTest, TheControlRaisesOnDestroyWhenItGoes) {
  auto sink = qcom::Make<RecordingSink>();
  {
    qcom::ComPtr<IFormPlayer> control;
    ASSERT_EQ(CoCreateInstance(CLSID_FormPlayer, nullptr, CLSCTX_INPROC_SERVER, IFormPlayer::kIid, control.put_void()),
              S_OK);
    qcom::ComPtr<IConnectionPointContainer> points;
    ASSERT_EQ(control.As(&points), S_OK);
    qcom::ComPtr<IConnectionPoint> point;
    ASSERT_EQ(points->FindConnectionPoint(DIID_IFormPlayerEvents, point.put()), S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(static_cast<IDispatch*>(sink.get()), &cookie), S_OK);
    sink->heard.clear();
  }
  EXPECT_EQ(sink->heard, Lines{"6"});
}

TEST_F(CorvaneTest, AControlWhoseFormWentWithTheHostsWindowFailsItsMembersAndLivesOn) {
  Host();
  heard.clear();
  window.reset();
  EXPECT_EQ(heard, Lines{"6"}) << "the form said it was destroyed";
  EXPECT_EQ(player->StartPlay(const_cast<char*>("http://host/a.asf")), E_UNEXPECTED);
  LONG v = 0;
  EXPECT_EQ(player->get_Volume(&v), E_UNEXPECTED);
  try {
    host->Put(corvane::kDispVolume, Variant::I4(10));
    FAIL() << "a control without its form took a volume";
  } catch (const qcom::ComError& e) {
    EXPECT_STREQ(e.what(), "The player control's window no longer exists.");
  }
  EXPECT_EQ(host->Get(corvane::kDispAppName).ToText(), "") << "what needs no form still answers";
}

}  // namespace
