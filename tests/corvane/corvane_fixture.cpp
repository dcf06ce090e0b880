#include "tests/corvane/corvane_fixture.h"

std::string Describe(DISPID id, const qcom::DispArgs& args) {
  std::string line = std::to_string(id);
  for (UINT i = 0; i < args.Count(); ++i) {
    const VARIANT& v = args.At(i);
    line += " ";
    if (v.vt == VT_BSTR)
      line += qcom::TextFromBstr(v.bstrVal);
    else if (v.vt == (VT_BYREF | VT_I2))
      line += std::to_string(*v.piVal);
    else
      line += std::to_string(args.Long(i));
  }
  return line;
}

HRESULT RecordingSink::GetTypeInfoCount(UINT* n) {
  *n = 0;
  return S_OK;
}

HRESULT RecordingSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
  const qcom::DispArgs args(params);
  heard.push_back(Describe(id, args));
  if (id == corvane::kEventOnKeyPress && keyReply != -1) *args.ShortRef(0) = SHORT(keyReply);
  return S_OK;
}

void* RecordingSink::QueryMore(REFIID iid) {
  return iid == DIID_IFormPlayerEvents ? static_cast<IDispatch*>(this) : nullptr;
}

void CorvaneTest::SetUp() {
  ScratchTest::SetUp();
  ASSERT_EQ(CallEntry("DllRegisterServer"), S_OK);
  window = std::make_unique<QWidget>();
  window->resize(408, 335);
}

void CorvaneTest::TearDown() {
  player.reset();
  host.reset();
  window.reset();
  CoFreeUnusedLibraries();
  EXPECT_TRUE(qcom::LoadedModules().empty()) << "an object of the control was not released";
  ScratchTest::TearDown();
}

HRESULT CorvaneTest::CallEntry(const char* entry) {
  void* lib = dlopen(CORVANE_MODULE, RTLD_NOW | RTLD_LOCAL);
  if (!lib) {
    ADD_FAILURE() << dlerror();
    return E_UNEXPECTED;
  }
  auto fn = reinterpret_cast<HRESULT (*)()>(dlsym(lib, entry));
  const HRESULT hr = fn ? fn() : E_UNEXPECTED;
  dlclose(lib);
  return hr;
}

void CorvaneTest::Host(const qcom::PropertyList& state) {
  host = std::make_unique<qcom::ControlHost>(CLSID_FormPlayer, DIID_IFormPlayerEvents);
  host->Bind(state, [this](DISPID id, const qcom::DispArgs& args) {
    heard.push_back(Describe(id, args));
    if (id == corvane::kEventOnKeyPress && keyReply != -1) *args.ShortRef(0) = SHORT(keyReply);
  });
  host->Activate(window.get(), QRect(0, 20, 408, 287));
  player = host->Query<IFormPlayer>();
  ASSERT_TRUE(player);
}

QObject* CorvaneTest::Part(const char* name) const {
  QObject* part = host->widget() ? host->widget()->findChild<QObject*>(name) : nullptr;
  EXPECT_NE(part, nullptr) << name;
  return part;
}

std::string CorvaneTest::Caption(const char* name) const {
  QObject* part = Part(name);
  return part ? part->property("Caption").toString().toStdString() : std::string("<none>");
}
