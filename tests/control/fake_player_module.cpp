// The fake player control module (see fake_player.h).
#include <QWidget>
#include <string>

#include "tests/control/fake_player.h"

namespace {

int g_mode = kFakeNormal;
std::string g_calls;
class FakePlayer;
FakePlayer* g_live = nullptr;

void Log(const std::string& line) { g_calls += line + "\n"; }
std::string Quoted(const char* text) { return text ? "\"" + std::string(text) + "\"" : "null"; }

constexpr IID kOtherEvents = qcom::Guid("{3D1F0C55-6E2B-4A8D-9C71-5B0E2F4A6D13}");

class FakePlayer : public qcom::Control<FakePlayer, IFormPlayer> {
 public:
  FakePlayer()
      : Control(CLSID_FormPlayer, g_mode == kFakeNoEvents ? kOtherEvents : DIID_IFormPlayerEvents,
                OLEMISC_ACTSLIKELABEL | OLEMISC_SIMPLEFRAME, 1),
        mode_(g_mode) {
    SetWidget(new QWidget);
    g_live = this;
    Events().OnChange([this](IUnknown* sink) {
      if (sink && !connected_) Events().Fire(corvane::kEventOnCreate);
      connected_ = true;
    });
  }
  ~FakePlayer() override {
    if (g_live == this) g_live = nullptr;
  }
  static std::span<const qcom::Member<FakePlayer>> Members();

  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (mode_ == kFakeNoFormPlayer && iid == IFormPlayer::kIid) {
      if (out) *out = nullptr;
      return E_NOINTERFACE;
    }
    return Control::QueryInterface(iid, out);
  }

  LONG Raise(DISPID id, LONG n, LONG m, const char* text, int args) {
    using qcom::Variant;
    if (args >= 0) {
      Events().Fire(id, std::vector<Variant>(size_t(args), Variant::I4(0)));
      return 0;
    }
    switch (id) {
      case corvane::kEventOnKeyPress: {
        SHORT key = SHORT(n);
        Events().Fire(id, {Variant::RefI2(&key)});
        return key;
      }
      case corvane::kEventOnError: Events().Fire(id, {Variant::I4(n), Variant::Text(text)}); break;
      case corvane::kEventOnChangeMsg: Events().Fire(id, {Variant::Text(text)}); break;
      case corvane::kEventOnScreenSize: Events().Fire(id, {Variant::I4(n), Variant::I4(m)}); break;
      default: Events().Fire(id); break;
    }
    return 0;
  }

  // The standard members are not the host's business.
  HRESULT get_Visible(VARIANT_BOOL*) override { return Std(); }
  HRESULT put_Visible(VARIANT_BOOL) override { return Std(); }
  HRESULT get_AutoScroll(VARIANT_BOOL*) override { return Std(); }
  HRESULT put_AutoScroll(VARIANT_BOOL) override { return Std(); }
  HRESULT get_AutoSize(VARIANT_BOOL*) override { return Std(); }
  HRESULT put_AutoSize(VARIANT_BOOL) override { return Std(); }
  HRESULT get_AxBorderStyle(TxActiveFormBorderStyle*) override { return Std(); }
  HRESULT put_AxBorderStyle(TxActiveFormBorderStyle) override { return Std(); }
  HRESULT get_Caption(BSTR*) override { return Std(); }
  HRESULT put_Caption(BSTR) override { return Std(); }
  HRESULT get_Color(OLE_COLOR*) override { return Std(); }
  HRESULT put_Color(OLE_COLOR) override { return Std(); }
  HRESULT get_Font(IFontDisp**) override { return Std(); }
  HRESULT put_Font(IFontDisp*) override { return Std(); }
  HRESULT putref_Font(IFontDisp**) override { return Std(); }
  HRESULT get_KeyPreview(VARIANT_BOOL*) override { return Std(); }
  HRESULT put_KeyPreview(VARIANT_BOOL) override { return Std(); }
  HRESULT get_PixelsPerInch(LONG*) override { return Std(); }
  HRESULT put_PixelsPerInch(LONG) override { return Std(); }
  HRESULT get_PrintScale(TxPrintScale*) override { return Std(); }
  HRESULT put_PrintScale(TxPrintScale) override { return Std(); }
  HRESULT get_Scaled(VARIANT_BOOL*) override { return Std(); }
  HRESULT put_Scaled(VARIANT_BOOL) override { return Std(); }
  HRESULT get_Active(VARIANT_BOOL*) override { return Std(); }
  HRESULT get_DropTarget(VARIANT_BOOL*) override { return Std(); }
  HRESULT put_DropTarget(VARIANT_BOOL) override { return Std(); }
  HRESULT get_HelpFile(BSTR*) override { return Std(); }
  HRESULT put_HelpFile(BSTR) override { return Std(); }
  HRESULT get_DoubleBuffered(VARIANT_BOOL*) override { return Std(); }
  HRESULT put_DoubleBuffered(VARIANT_BOOL) override { return Std(); }
  HRESULT get_AlignDisabled(VARIANT_BOOL*) override { return Std(); }
  HRESULT get_VisibleDockClientCount(LONG*) override { return Std(); }
  HRESULT get_Enabled(VARIANT_BOOL*) override { return Std(); }
  HRESULT put_Enabled(VARIANT_BOOL) override { return Std(); }
  HRESULT get_Cursor(SHORT*) override { return Std(); }
  HRESULT put_Cursor(SHORT) override { return Std(); }
  HRESULT get_HelpType(TxHelpType*) override { return Std(); }
  HRESULT put_HelpType(TxHelpType) override { return Std(); }
  HRESULT get_HelpKeyword(BSTR*) override { return Std(); }
  HRESULT put_HelpKeyword(BSTR) override { return Std(); }

  // Methods log their arguments as they came and fail, so a host that heeded the
  // result would show it.
  HRESULT StartPlay(LPSTR src) override { return Logged("StartPlay " + Quoted(src)); }
  HRESULT Mute(VARIANT_BOOL b) override { return Logged("Mute " + std::to_string(b)); }
  HRESULT SetSize(LONG n) override { return Logged("SetSize " + std::to_string(n)); }
  HRESULT ShowCtrBar(VARIANT_BOOL b) override { return Logged("ShowCtrBar " + std::to_string(b)); }
  HRESULT Stop() override { return Logged("Stop"); }
  HRESULT Pause() override { return Logged("Pause"); }
  HRESULT SetUIStyle(LONG n, LPSTR file) override {
    return Logged("SetUIStyle " + std::to_string(n) + " " + Quoted(file));
  }
  HRESULT UnInit() override { return Logged("UnInit"); }
  HRESULT SetLangFile(LPSTR file) override { return Logged("SetLangFile " + Quoted(file)); }
  // Properties reached through the vtable would be the wrong path for the host.
  HRESULT get_Volume(LONG*) override { return Logged("vtable get_Volume"); }
  HRESULT put_Volume(LONG) override { return Logged("vtable put_Volume"); }
  HRESULT get_ShowCtrlBar(VARIANT_BOOL*) override { return Logged("vtable get_ShowCtrlBar"); }
  HRESULT put_ShowCtrlBar(VARIANT_BOOL) override { return Logged("vtable put_ShowCtrlBar"); }
  HRESULT get_LangFileName(BSTR*) override { return Logged("vtable get_LangFileName"); }
  HRESULT put_LangFileName(BSTR) override { return Logged("vtable put_LangFileName"); }
  HRESULT get_AppName(BSTR*) override { return Logged("vtable get_AppName"); }
  HRESULT put_AppName(BSTR) override { return Logged("vtable put_AppName"); }
  HRESULT get_AppURL(BSTR*) override { return Logged("vtable get_AppURL"); }
  HRESULT put_AppURL(BSTR) override { return Logged("vtable put_AppURL"); }

  LONG volume = 50;
  bool ctrlBar = true;
  std::string langFile = "langs/Default.lng";
  std::string appName;
  std::string appURL;

 protected:
  HRESULT LoadState(const qcom::PropertyList& state) override {
    for (const auto& [name, value] : state) Log("Load " + name + "=" + value);
    return S_OK;
  }
  HRESULT InitState() override {
    Log("InitNew");
    return S_OK;
  }

 private:
  static HRESULT Std() { return E_NOTIMPL; }
  static HRESULT Logged(const std::string& line) {
    Log(line);
    return E_FAIL;
  }

  int mode_;
  bool connected_ = false;
};

template <std::string FakePlayer::*Field>
HRESULT GetText(FakePlayer& p, qcom::DispCall& c, const char* name) {
  Log(std::string("get ") + name);
  c.ReturnText(p.*Field);
  return S_OK;
}

std::span<const qcom::Member<FakePlayer>> FakePlayer::Members() {
  using Call = qcom::DispCall;
  using P = FakePlayer;
  static const qcom::Member<FakePlayer> kMembers[] = {
      {"Volume", corvane::kDispVolume, DISPATCH_PROPERTYGET, 0,
       [](P& p, Call& c) {
         Log("get Volume");
         c.Return(p.volume);
         return S_OK;
       }},
      {"Volume", corvane::kDispVolume, DISPATCH_PROPERTYPUT, 1,
       [](P& p, Call& c) {
         const LONG v = c.Long(0);
         Log("put Volume " + std::to_string(v));
         if (v == kFakeRefusedVolume) throw qcom::ComError(E_FAIL, kFakeRefusal);
         p.volume = v;
         return S_OK;
       }},
      {"ShowCtrlBar", corvane::kDispShowCtrlBar, DISPATCH_PROPERTYGET, 0,
       [](P& p, Call& c) {
         Log("get ShowCtrlBar");
         c.ReturnBool(p.ctrlBar);
         return S_OK;
       }},
      {"ShowCtrlBar", corvane::kDispShowCtrlBar, DISPATCH_PROPERTYPUT, 1,
       [](P& p, Call& c) {
         const VARIANT& v = c.At(0);
         Log("put ShowCtrlBar " + std::string(v.vt == VT_BOOL ? "bool " : "other ") + std::to_string(v.boolVal));
         p.ctrlBar = c.Bool(0);
         return S_OK;
       }},
      {"LangFileName", corvane::kDispLangFileName, DISPATCH_PROPERTYGET, 0,
       [](P& p, Call& c) { return GetText<&P::langFile>(p, c, "LangFileName"); }},
      {"LangFileName", corvane::kDispLangFileName, DISPATCH_PROPERTYPUT, 1,
       [](P& p, Call& c) {
         p.langFile = c.Text(0);
         Log("put LangFileName " + Quoted(p.langFile.c_str()));
         return S_OK;
       }},
      {"AppName", corvane::kDispAppName, DISPATCH_PROPERTYGET, 0,
       [](P& p, Call& c) { return GetText<&P::appName>(p, c, "AppName"); }},
      {"AppName", corvane::kDispAppName, DISPATCH_PROPERTYPUT, 1,
       [](P& p, Call& c) {
         p.appName = c.Text(0);
         Log("put AppName " + Quoted(p.appName.c_str()));
         return S_OK;
       }},
      {"AppURL", corvane::kDispAppURL, DISPATCH_PROPERTYGET, 0,
       [](P& p, Call& c) { return GetText<&P::appURL>(p, c, "AppURL"); }},
      {"AppURL", corvane::kDispAppURL, DISPATCH_PROPERTYPUT, 1,
       [](P& p, Call& c) {
         p.appURL = c.Text(0);
         Log("put AppURL " + Quoted(p.appURL.c_str()));
         return S_OK;
       }},
  };
  return kMembers;
}

const qcom::ClassInfo kClasses[] = {{
    .clsid = CLSID_FormPlayer,
    .create = &qcom::CreateObject<FakePlayer>,
    .name = "Fake FormPlayer",
    .control = true,
    .miscStatus = OLEMISC_ACTSLIKELABEL | OLEMISC_SIMPLEFRAME,
}};

}  // namespace

QCOM_EXPORT void FakeStart(int mode) {
  g_mode = mode;
  g_calls.clear();
}
QCOM_EXPORT const char* FakeCalls() { return g_calls.c_str(); }
QCOM_EXPORT LONG FakeRaise(DISPID id, LONG n, LONG m, const char* text, int args) {
  return g_live ? g_live->Raise(id, n, m, text, args) : 0;
}

QCOM_MODULE(kClasses, nullptr)
