// The test module: one control class, registered and created like any other module.
#include <QLabel>

#include "tests/com/test_player.h"

namespace {

class TestPlayer : public qcom::Control<TestPlayer, ITestPlayer> {
 public:
  TestPlayer() : Control(CLSID_TestPlayer, DIID_ITestPlayerEvents, kTestMiscStatus) {
    SetWidget(new QLabel("test player"));
  }
  static std::span<const qcom::Member<TestPlayer>> Members();

  HRESULT Add(LONG n) override {
    total_ += n;
    Events().Fire(kEventTotal, {qcom::Variant::I4(total_)});
    return S_OK;
  }
  HRESULT get_Total(LONG* out) override {
    if (!out) return E_POINTER;
    *out = total_;
    return S_OK;
  }
  HRESULT put_Total(LONG value) override {
    total_ = value;
    return S_OK;
  }
  HRESULT get_Title(BSTR* out) override {
    if (!out) return E_POINTER;
    *out = SysAllocStringLen(title_.get(), title_.length());
    return S_OK;
  }
  HRESULT put_Title(BSTR value) override {
    title_ = qcom::Bstr::Attach(SysAllocStringLen(value, SysStringLen(value)));
    PropertyChanged(kDispTitle);
    return S_OK;
  }
  HRESULT PressKey(SHORT key, SHORT* result) override {
    if (!result) return E_POINTER;
    Events().Fire(kEventKeyPress, {qcom::Variant::RefI2(&key)});
    *result = key;
    return S_OK;
  }

 protected:
  HRESULT LoadState(const qcom::PropertyList& state) override {
    for (const auto& [name, value] : state)
      if (name == "Title") title_ = qcom::Bstr(value);
    return S_OK;
  }

 private:
  LONG total_ = 0;
  qcom::Bstr title_;
};

std::span<const qcom::Member<TestPlayer>> TestPlayer::Members() {
  using Call = qcom::DispCall;
  static const qcom::Member<TestPlayer> kMembers[] = {
      {"Add", kDispAdd, DISPATCH_METHOD, 1, [](TestPlayer& p, Call& c) { return p.Add(c.Long(0)); }},
      {"Total", kDispTotal, DISPATCH_PROPERTYGET, 0,
       [](TestPlayer& p, Call& c) {
         LONG v = 0;
         const HRESULT hr = p.get_Total(&v);
         c.Return(v);
         return hr;
       }},
      {"Total", kDispTotal, DISPATCH_PROPERTYPUT, 1, [](TestPlayer& p, Call& c) { return p.put_Total(c.Long(0)); }},
      {"Title", kDispTitle, DISPATCH_PROPERTYGET, 0,
       [](TestPlayer& p, Call& c) {
         BSTR b = nullptr;
         const HRESULT hr = p.get_Title(&b);
         c.ReturnBstr(b);
         return hr;
       }},
      {"Title", kDispTitle, DISPATCH_PROPERTYPUT, 1, [](TestPlayer& p, Call& c) { return p.put_Title(c.Bstr(0)); }},
      {"PressKey", kDispPressKey, DISPATCH_METHOD, 1,
       [](TestPlayer& p, Call& c) {
         SHORT out = 0;
         const HRESULT hr = p.PressKey(c.Short(0), &out);
         c.ReturnShort(out);
         return hr;
       }},
      {"Fail", kDispFail, DISPATCH_METHOD, 0,
       [](TestPlayer&, Call&) -> HRESULT { throw qcom::ComError(E_FAIL, kFailText); }},
  };
  return kMembers;
}

const qcom::ClassInfo kClasses[] = {{
    .clsid = CLSID_TestPlayer,
    .create = &qcom::CreateObject<TestPlayer>,
    .name = "TestPlayer Control",
    .progId = "QuillonTest.TestPlayer",
    .control = true,
    .miscStatus = kTestMiscStatus,
    .toolboxBitmap = 1,
}};
const qcom::InterfaceInfo kInterfaces[] = {{ITestPlayer::kIid, "ITestPlayer"},
                                           {DIID_ITestPlayerEvents, "ITestPlayerEvents"}};
const qcom::TypeLibInfo kTypeLib = {LIBID_TestPlayer, "1.0", "TestPlayer Library", 1033, kInterfaces};

}  // namespace

QCOM_MODULE(kClasses, &kTypeLib)
