#include <gtest/gtest.h>

#include <QFileInfo>

#include "tests/com/com_fixture.h"

namespace {

using RuntimeTest = ComTest;

constexpr CLSID kOther = qcom::Guid("{0B0E2A51-7C3D-4F6E-8A9B-0C1D2E3F4A5B}");

std::string Absolute(const char* path) { return QFileInfo(path).canonicalFilePath().toStdString(); }

TEST_F(RuntimeTest, RegistrationWritesTheClassesKeys) {
  RegisterPlayer();
  const std::string path = Absolute(QCOM_TEST_PLAYER);
  const std::string cls = "CLSID\\{6A1C2E3F-5B4D-4E8A-9C7B-1D2E3F4A5B6C}";
  const std::string lib = "{6A1C2E3F-5B4D-4E8A-9C7B-1D2E3F4A5B60}";
  struct Entry {
    std::string key, name, value;
  } entries[] = {
      {cls, "", "TestPlayer Control"},
      {cls + "\\InprocServer32", "", path},
      {cls + "\\InprocServer32", "ThreadingModel", "Apartment"},
      {cls + "\\ProgID", "", "QuillonTest.TestPlayer"},
      {"QuillonTest.TestPlayer\\Clsid", "", "{6A1C2E3F-5B4D-4E8A-9C7B-1D2E3F4A5B6C}"},
      {cls + "\\Control", "", ""},
      {cls + "\\MiscStatus", "", "0"},
      {cls + "\\MiscStatus\\1", "", "73728"},
      {cls + "\\ToolboxBitmap32", "", path + ",1"},
      {cls + "\\TypeLib", "", lib},
      {cls + "\\Version", "", "1.0"},
      {"TypeLib\\" + lib + "\\1.0", "", "TestPlayer Library"},
      {"TypeLib\\" + lib + "\\1.0\\409\\win32", "", path},
      {"TypeLib\\" + lib + "\\1.0\\FLAGS", "", "0"},
      {"Interface\\{6A1C2E3F-5B4D-4E8A-9C7B-1D2E3F4A5B6D}", "", "ITestPlayer"},
      {"Interface\\{6A1C2E3F-5B4D-4E8A-9C7B-1D2E3F4A5B6D}\\TypeLib", "", lib},
      {"Interface\\{6A1C2E3F-5B4D-4E8A-9C7B-1D2E3F4A5B6E}\\ProxyStubClsid32", "",
       "{00020424-0000-0000-C000-000000000046}"},
  };
  for (const Entry& e : entries) {
    auto key = qreg::Key::Open(qreg::Root::ClassesRoot, e.key);
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->ValueExists(e.name)) << e.key << " " << e.name;
    EXPECT_EQ(key->ReadString(e.name), e.value) << e.key << " " << e.name;
  }
  EXPECT_EQ(qcom::RegisteredModule(CLSID_TestPlayer), path);

  ASSERT_EQ(CallEntry(QCOM_TEST_PLAYER, "DllUnregisterServer"), S_OK);
  for (const Entry& e : entries)
    EXPECT_FALSE(qreg::Key::Open(qreg::Root::ClassesRoot, e.key)->ValueExists(e.name)) << e.key;
  EXPECT_EQ(CoCreateInstance(CLSID_TestPlayer, nullptr, CLSCTX_INPROC_SERVER, IUnknown::kIid,
                             qcom::ComPtr<IUnknown>().put_void()),
            REGDB_E_CLASSNOTREG);
}

TEST_F(RuntimeTest, RegistrationIntoAStoreThatRefusesWritesFails) {
  TestDir::Write(dir_ / "blocked", "a file where the registry folder should be");
  setenv("QUILLON_REGISTRY_DIR", (dir_ / "blocked").c_str(), 1);
  EXPECT_EQ(CallEntry(QCOM_TEST_PLAYER, "DllRegisterServer"), E_ACCESSDENIED);
}

TEST_F(RuntimeTest, CreatedByClassIdAndCalledThroughTheVtable) {
  RegisterPlayer();
  qcom::ComPtr<ITestPlayer> player = CreatePlayer();
  ASSERT_TRUE(player);
  EXPECT_EQ(player->Add(2), S_OK);
  EXPECT_EQ(player->Add(3), S_OK);
  LONG total = 0;
  EXPECT_EQ(player->get_Total(&total), S_OK);
  EXPECT_EQ(total, 5);
  qcom::Bstr in("Radio Eins");
  EXPECT_EQ(player->put_Title(in.get()), S_OK);
  qcom::Bstr out;
  EXPECT_EQ(player->get_Title(out.put()), S_OK);
  EXPECT_EQ(out.text(), "Radio Eins");
  EXPECT_NE(out.get(), in.get()) << "the control hands out its own copy";

  // One identity, whichever interface it is asked through.
  qcom::ComPtr<IOleObject> ole;
  ASSERT_EQ(player.As(&ole), S_OK);
  qcom::ComPtr<IUnknown> a, b;
  ASSERT_EQ(player.As(&a), S_OK);
  ASSERT_EQ(ole.As(&b), S_OK);
  EXPECT_EQ(a.get(), b.get());
  qcom::ComPtr<IDispatch> disp;
  ASSERT_EQ(ole.As(&disp), S_OK);
  EXPECT_EQ(static_cast<void*>(disp.get()), static_cast<void*>(player.get())) << "the dual interface is the IDispatch";
  void* none = &total;
  EXPECT_EQ(player->QueryInterface(kOther, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
}

TEST_F(RuntimeTest, CreationFailuresGiveTheirCodeAndNoObject) {
  RegisterPlayer();
  TestDir::Write(dir_ / "notamodule.so", "plain text");
  auto outer = qcom::Make<qcom::MemoryStream>();
  struct Case {
    const char* what;
    std::string module;  // registered for kOther; "" leaves it unregistered
    CLSID clsid;
    IUnknown* outer;
    DWORD context;
    HRESULT hr;
  } cases[] = {
      {"unregistered", "", kOther, nullptr, CLSCTX_INPROC_SERVER, REGDB_E_CLASSNOTREG},
      {"missing module", dir_ / "gone.so", kOther, nullptr, CLSCTX_INPROC_SERVER,
       HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND)},
      {"not a module", dir_ / "notamodule.so", kOther, nullptr, CLSCTX_INPROC_SERVER,
       HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT)},
      {"no DllGetClassObject", QCOM_NO_FACTORY, kOther, nullptr, CLSCTX_INPROC_SERVER, CO_E_ERRORINDLL},
      {"class the module lacks", QCOM_TEST_PLAYER, kOther, nullptr, CLSCTX_INPROC_SERVER, CLASS_E_CLASSNOTAVAILABLE},
      {"aggregation", "", CLSID_TestPlayer, outer.get(), CLSCTX_INPROC_SERVER,
       CLASS_E_NOAGGREGATION},
      {"local server only", "", CLSID_TestPlayer, nullptr, CLSCTX_LOCAL_SERVER, REGDB_E_CLASSNOTREG},
  };
  for (const Case& c : cases) {
    qreg::DeleteKey(qreg::Root::ClassesRoot, "CLSID\\" + qcom::FormatGuid(kOther));
    if (!c.module.empty()) RegisterClassAt(kOther, c.module);
    void* out = outer.get();
    EXPECT_EQ(CoCreateInstance(c.clsid, c.outer, c.context, IUnknown::kIid, &out), c.hr) << c.what;
    EXPECT_EQ(out, nullptr) << c.what;
  }
  EXPECT_EQ(CoCreateInstance(CLSID_TestPlayer, nullptr, CLSCTX_INPROC_SERVER, IUnknown::kIid, nullptr), E_POINTER);
  EXPECT_EQ(qcom::ErrorText(REGDB_E_CLASSNOTREG), "Class not registered");
}

TEST_F(RuntimeTest, ModuleIsLoadedOnceAndUnloadsWhenNothingOfItIsLeft) {
  RegisterPlayer();
  qcom::ComPtr<ITestPlayer> first = CreatePlayer();
  qcom::ComPtr<ITestPlayer> second = CreatePlayer();
  ASSERT_TRUE(first && second);
  EXPECT_EQ(qcom::LoadedModules().size(), 1u);

  EXPECT_EQ(first->AddRef(), 2u);
  EXPECT_EQ(first->Release(), 1u);
  CoFreeUnusedLibraries();
  EXPECT_EQ(qcom::LoadedModules().size(), 1u) << "objects are alive";
  first.reset();
  CoFreeUnusedLibraries();
  EXPECT_EQ(qcom::LoadedModules().size(), 1u) << "one object is alive";
  EXPECT_EQ(second.Detach()->Release(), 0u);
  CoFreeUnusedLibraries();
  EXPECT_TRUE(qcom::LoadedModules().empty());
  EXPECT_FALSE(ModuleMapped(QCOM_TEST_PLAYER)) << "the module left the process";

  // A lock on the class factory keeps the module, and creation works again after it.
  qcom::ComPtr<IClassFactory> factory;
  ASSERT_EQ(CoGetClassObject(CLSID_TestPlayer, CLSCTX_INPROC_SERVER, IClassFactory::kIid, factory.put_void()), S_OK);
  ASSERT_EQ(factory->LockServer(1), S_OK);
  factory.reset();
  CoFreeUnusedLibraries();
  EXPECT_EQ(qcom::LoadedModules().size(), 1u) << "the server is locked";
  ASSERT_EQ(CoGetClassObject(CLSID_TestPlayer, CLSCTX_INPROC_SERVER, IClassFactory::kIid, factory.put_void()), S_OK);
  qcom::ComPtr<ITestPlayer> third;
  EXPECT_EQ(factory->CreateInstance(nullptr, ITestPlayer::kIid, third.put_void()), S_OK);
  EXPECT_TRUE(third);
  third.reset();
  ASSERT_EQ(factory->LockServer(0), S_OK);
  factory.reset();
}

TEST_F(RuntimeTest, EventsReachAdvisedSinksUntilTheyUnadvise) {
  RegisterPlayer();
  qcom::ComPtr<ITestPlayer> player = CreatePlayer();
  qcom::ComPtr<IConnectionPointContainer> points;
  ASSERT_EQ(player.As(&points), S_OK);
  qcom::ComPtr<IConnectionPoint> point;
  ASSERT_EQ(points->FindConnectionPoint(DIID_ITestPlayerEvents, point.put()), S_OK);
  IID iid{};
  point->GetConnectionInterface(&iid);
  EXPECT_EQ(iid, DIID_ITestPlayerEvents);

  auto one = qcom::Make<RecordingSink>();
  auto two = qcom::Make<RecordingSink>();
  DWORD cookieOne = 0, cookieTwo = 0;
  ASSERT_EQ(point->Advise(one.get(), &cookieOne), S_OK);
  ASSERT_EQ(point->Advise(two.get(), &cookieTwo), S_OK);
  EXPECT_NE(cookieOne, cookieTwo);

  player->Add(2);
  SHORT key = 0;
  player->PressKey(65, &key);
  EXPECT_EQ(key, 67) << "each sink moved the key on by one, through the reference";
  ASSERT_EQ(one->events.size(), 2u);
  EXPECT_EQ(one->events[0].id, kEventTotal);
  EXPECT_EQ(one->events[0].value, 2);
  EXPECT_EQ(one->events[1].id, kEventKeyPress);
  EXPECT_EQ(one->events[1].value, 65);
  EXPECT_EQ(two->events[1].value, 66);

  EXPECT_EQ(point->Unadvise(cookieOne), S_OK);
  EXPECT_EQ(point->Unadvise(cookieOne), CONNECT_E_NOCONNECTION);
  player->Add(3);
  EXPECT_EQ(one->events.size(), 2u) << "an unadvised sink hears nothing";
  ASSERT_EQ(two->events.size(), 3u);
  EXPECT_EQ(two->events[2].value, 5);

  // A sink that does not speak the event interface cannot connect.
  auto stranger = qcom::Make<qcom::MemoryStream>();
  DWORD cookie = 1;
  EXPECT_EQ(point->Advise(stranger.get(), &cookie), CONNECT_E_CANNOTCONNECT);
  EXPECT_EQ(cookie, 0u);
  qcom::ComPtr<IConnectionPoint> none;
  EXPECT_EQ(points->FindConnectionPoint(kOther, none.put()), CONNECT_E_NOCONNECTION);
  EXPECT_EQ(point->Unadvise(cookieTwo), S_OK);
  EXPECT_EQ(one->AddRef(), 2u) << "the point let go of its reference";
  one->Release();
}

// An event source whose point takes one sink at a time.
class SingleSinkSource : public qcom::Object<qcom::ConnectionPoints> {
 public:
  SingleSinkSource() : point(AddPoint(DIID_ITestPlayerEvents, 1)) {}
  qcom::ConnectionPoint& point;
};

// Unadvises itself while the event is being delivered.
class LeavingSink : public RecordingSink {
 public:
  HRESULT Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* p, VARIANT* r, EXCEPINFO* e,
                 UINT* a) override {
    RecordingSink::Invoke(id, iid, lcid, flags, p, r, e, a);
    source->point.Unadvise(cookie);
    return S_OK;
  }
  SingleSinkSource* source = nullptr;
  DWORD cookie = 0;
};

TEST(ConnectionPointTest, ALimitedPointRefusesTheSecondSinkAndTellsOfChanges) {
  auto source = qcom::Make<SingleSinkSource>();
  std::vector<bool> changes;
  source->point.OnChange([&](IUnknown* sink) { changes.push_back(sink != nullptr); });
  auto sink = qcom::Make<LeavingSink>();
  sink->source = source.get();
  ASSERT_EQ(source->point.Advise(sink.get(), &sink->cookie), S_OK);
  DWORD second = 0;
  EXPECT_EQ(source->point.Advise(qcom::Make<RecordingSink>().get(), &second), CONNECT_E_ADVISELIMIT);
  source->point.Fire(kEventTotal, {qcom::Variant::I4(9)});
  source->point.Fire(kEventTotal, {qcom::Variant::I4(10)});
  ASSERT_EQ(sink->events.size(), 1u) << "the sink left during the first event";
  EXPECT_EQ(sink->events[0].value, 9);
  EXPECT_EQ(changes, (std::vector<bool>{true, false}));
  EXPECT_EQ(source->point.Advise(sink.get(), &second), S_OK) << "the place is free again";
  EXPECT_NE(second, sink->cookie);
  qcom::ComPtr<IConnectionPointContainer> back;
  ASSERT_EQ(source->point.GetConnectionPointContainer(back.put()), S_OK);
  EXPECT_EQ(static_cast<void*>(back.get()), static_cast<void*>(static_cast<IConnectionPointContainer*>(source.get())));
}

}  // namespace
