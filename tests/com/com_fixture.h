#pragma once
// Shared by the runtime's tests: a scratch registry with the test module in it, and a
// check that every test gives back what it created, so its modules can unload.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry.h"
#include "tests/com/test_player.h"
#include "tests/support/test_dir.h"

class ComTest : public ScratchTest {
 protected:
  void TearDown() override {
    CoFreeUnusedLibraries();
    EXPECT_TRUE(qcom::LoadedModules().empty()) << "a module stayed loaded: an object of it was not released";
    ScratchTest::TearDown();
  }

  // Calls one entry point of a module the way regsvr does.
  static HRESULT CallEntry(const char* module, const char* entry) {
    void* h = dlopen(module, RTLD_NOW | RTLD_LOCAL);
    if (!h) return E_UNEXPECTED;
    auto fn = reinterpret_cast<HRESULT (*)()>(dlsym(h, entry));
    const HRESULT hr = fn ? fn() : E_UNEXPECTED;
    dlclose(h);
    return hr;
  }
  static void RegisterPlayer() { ASSERT_EQ(CallEntry(QCOM_TEST_PLAYER, "DllRegisterServer"), S_OK); }
  static void RegisterClassAt(const CLSID& clsid, const std::string& module) {
    auto key = qreg::Key::Open(qreg::Root::ClassesRoot, "CLSID\\" + qcom::FormatGuid(clsid) + "\\InprocServer32");
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->WriteString("", module));
    ASSERT_TRUE(key->WriteString("ThreadingModel", "Apartment"));
  }
  static std::string ClassesValue(const std::string& key, const std::string& name = "") {
    return qreg::Key::Open(qreg::Root::ClassesRoot, key)->ReadString(name);
  }
  static bool ModuleMapped(const char* module) {
    void* h = dlopen(module, RTLD_NOW | RTLD_NOLOAD);
    if (h) dlclose(h);
    return h != nullptr;
  }

  qcom::ComPtr<ITestPlayer> CreatePlayer() {
    qcom::ComPtr<ITestPlayer> p;
    EXPECT_EQ(CoCreateInstance(CLSID_TestPlayer, nullptr, CLSCTX_INPROC_SERVER, ITestPlayer::kIid, p.put_void()), S_OK);
    return p;
  }
};

// A sink of the test player's events that records them; it answers a key press with
// the next key.
class RecordingSink : public qcom::Object<IDispatch> {
 public:
  struct Event {
    DISPID id;
    LONG value;
  };
  HRESULT GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
    EXPECT_EQ(flags, DISPATCH_METHOD);
    qcom::DispArgs args(params);
    if (id == kEventKeyPress) {
      SHORT* key = args.ShortRef(0);
      events.push_back({id, *key});
      *key = SHORT(*key + 1);
    } else {
      events.push_back({id, args.Count() ? args.Long(0) : 0});
    }
    return S_OK;
  }
  std::vector<Event> events;

 protected:
  void* QueryMore(REFIID iid) override { return iid == DIID_ITestPlayerEvents ? static_cast<IDispatch*>(this) : nullptr; }
};
