#include "player/corvane/form_player_control.h"

#include <QPalette>
#include <new>

#include "lang/mlang.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "player/corvane/font_disp.h"
#include "player/widgets.h"

namespace corvane {
namespace {

using Call = qcom::DispCall;
using qcom::Variant;

constexpr const char* kInvalidValue = "Invalid property value";

VARIANT_BOOL VBool(bool b) { return b ? VARIANT_TRUE : VARIANT_FALSE; }
// An 8-bit argument; a null pointer is the empty text.
std::string Ansi(LPSTR text) { return text ? std::string(text) : std::string(); }

// What fails inside a member becomes its result.
template <class F>
HRESULT Run(F&& f) noexcept {
  try {
    f();
    return S_OK;
  } catch (const qcom::ComError& e) {
    return e.code();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

template <class T, class F>
HRESULT Out(T* out, F&& f) noexcept {
  if (!out) return E_POINTER;
  return Run([&] { *out = f(); });
}

// A number of the stored state: decimal, or hexadecimal after "0x".
LONG Number(const std::string& text) {
  bool ok = false;
  const qlonglong n = qtext::ToQ(text).toLongLong(&ok, 0);
  if (!ok || n < -2147483648LL || n > 4294967295LL) throw qcom::ComError(E_INVALIDARG, kInvalidValue);
  return LONG(n);
}

// The system colours by their index, as the palette's roles.
bool SystemColor(DWORD index, QPalette::ColorRole* role) {
  struct Entry {
    DWORD index;
    QPalette::ColorRole role;
  };
  static const Entry kRoles[] = {
      {4, QPalette::Window},           {5, QPalette::Base},        {7, QPalette::WindowText},
      {8, QPalette::Text},             {13, QPalette::Highlight},  {14, QPalette::HighlightedText},
      {15, QPalette::Button},          {16, QPalette::Dark},       {17, QPalette::PlaceholderText},
      {18, QPalette::ButtonText},      {20, QPalette::Light},      {21, QPalette::Shadow},
      {22, QPalette::Midlight},        {23, QPalette::ToolTipText}, {24, QPalette::ToolTipBase},
  };
  for (const Entry& e : kRoles)
    if (e.index == index) {
      *role = e.role;
      return true;
    }
  return false;
}

// Adapters of the member table: a property or method as the control does it.
template <bool (FormPlayer::*Get)() const>
HRESULT GetBool(FormPlayer& p, Call& c) {
  c.ReturnBool((p.*Get)());
  return S_OK;
}
template <void (FormPlayer::*Put)(bool)>
HRESULT PutBool(FormPlayer& p, Call& c) {
  (p.*Put)(c.Bool(0));
  return S_OK;
}
template <LONG (FormPlayer::*Get)() const>
HRESULT GetLong(FormPlayer& p, Call& c) {
  c.Return((p.*Get)());
  return S_OK;
}
template <void (FormPlayer::*Put)(LONG)>
HRESULT PutLong(FormPlayer& p, Call& c) {
  (p.*Put)(c.Long(0));
  return S_OK;
}
template <LONG (FormPlayer::*Get)() const>
HRESULT GetShort(FormPlayer& p, Call& c) {
  c.ReturnShort(SHORT((p.*Get)()));
  return S_OK;
}
template <void (FormPlayer::*Put)(LONG)>
HRESULT PutShort(FormPlayer& p, Call& c) {
  (p.*Put)(c.Short(0));
  return S_OK;
}
template <std::string (FormPlayer::*Get)() const>
HRESULT GetText(FormPlayer& p, Call& c) {
  c.ReturnText((p.*Get)());
  return S_OK;
}
template <void (FormPlayer::*Put)(const std::string&)>
HRESULT PutText(FormPlayer& p, Call& c) {
  (p.*Put)(c.Text(0));
  return S_OK;
}
template <void (FormPlayer::*Do)()>
HRESULT Method(FormPlayer& p, Call&) {
  (p.*Do)();
  return S_OK;
}

}  // namespace

FormPlayer::FormPlayer() : Control(CLSID_FormPlayer, DIID_IFormPlayerEvents, kMiscStatus, 1) {
  form_ = new ControlForm([this](DISPID id, const std::vector<Variant>& args) { Events().Fire(id, args); });
  SetWidget(form_);
  form_->SetEvents(this);
  Events().OnChange([this](IUnknown* sink) { SinkChanged(sink); });
}

// The form goes first, while the members its last event reaches still exist.
FormPlayer::~FormPlayer() { DestroyWidget(); }

ControlForm& FormPlayer::Form() const {
  if (!form_) throw qcom::ComError(E_UNEXPECTED, "The player control's window no longer exists.");
  return *form_;
}

void FormPlayer::SinkChanged(IUnknown* sink) {
  if (sinkChanged_) return;
  sinkChanged_ = true;
  if (!sink || !form_) return;
  Events().Fire(kEventOnCreate);
  qui::Guard([this] { Form().SetUp(); });
}

void FormPlayer::OnChangeMsg(const std::string& msg) { Events().Fire(kEventOnChangeMsg, {Variant::Text(msg)}); }

void FormPlayer::OnError(int errorId, const std::string& errorText) {
  Events().Fire(kEventOnError, {Variant::I4(errorId), Variant::Text(errorText)});
}

void FormPlayer::OnScreenSize(int x, int y) { Events().Fire(kEventOnScreenSize, {Variant::I4(x), Variant::I4(y)}); }

HRESULT FormPlayer::DoVerb(LONG verb, IOleClientSite* activeSite, QWidget* parent, const RECT* pos) {
  const HRESULT hr = Control::DoVerb(verb, activeSite, parent, pos);
  if (SUCCEEDED(hr) && !visible_ && form_) form_->hide();
  return hr;
}

HRESULT FormPlayer::LoadState(const qcom::PropertyList& state) {
  ControlForm& form = Form();
  QFont font = form.font();
  bool fontGiven = false;
  for (const auto& [name, value] : state) {
    if (name == "Width") {
      form.resize(Number(value), form.height());
    } else if (name == "Height") {
      form.resize(form.width(), Number(value));
    } else if (name == "Cursor") {
      SetCursor(Number(value));
    } else if (name == "ActiveControl") {
      // The part that takes the focus when the form is given it.
      if (QWidget* part = form.findChild<QWidget*>(qtext::ToQ(value))) form.setFocusProxy(part);
    } else if (name == "AxBorderStyle") {
      SetAxBorderStyle(Number(value));
    } else if (name == "Caption") {
      SetCaption(value);
    } else if (name == "Color") {
      SetColor(Number(value));
    } else if (name == "Font.Name") {
      font.setFamily(qtext::ToQ(value));
      fontGiven = true;
    } else if (name == "Font.Height") {
      const LONG height = Number(value);
      if (height == 0) throw qcom::ComError(E_INVALIDARG, kInvalidValue);
      font.setPixelSize(int(height < 0 ? -height : height));
      fontGiven = true;
    } else if (name == "PixelsPerInch") {
      SetPixelsPerInch(Number(value));
    }
  }
  if (fontGiven) form.setFont(font);
  return S_OK;
}

// ---- standard members

void FormPlayer::SetVisible(bool visible) {
  visible_ = visible;
  // Before in-place activation the form is a window of its own and stays hidden.
  if (InPlaceActive()) Form().setVisible(visible);
}

void FormPlayer::SetAxBorderStyle(LONG style) {
  if (style < afbNone || style > afbRaised) throw qcom::ComError(E_INVALIDARG, kInvalidValue);
  // The form's parts fill it edge to edge; the host frames it.
  axBorderStyle_ = style;
}

std::string FormPlayer::Caption() const { return qtext::FromQ(Form().Caption()); }

void FormPlayer::SetCaption(const std::string& caption) { Form().SetCaption(qtext::ToQ(caption)); }

void FormPlayer::SetColor(LONG color) {
  const OLE_COLOR c = OLE_COLOR(color);
  QColor shown;
  if (c & 0x80000000u) {
    QPalette::ColorRole role;
    if (!SystemColor(c & 0x00FFFFFFu, &role)) throw qcom::ComError(E_INVALIDARG, kInvalidValue);
    shown = Form().palette().color(role);
  } else if (c <= 0x00FFFFFFu) {
    shown = QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
  } else {
    throw qcom::ComError(E_INVALIDARG, kInvalidValue);
  }
  ControlForm& form = Form();
  QPalette palette = form.palette();
  palette.setColor(QPalette::Window, shown);
  form.setPalette(palette);
  form.setAutoFillBackground(true);
  color_ = c;
}

void FormPlayer::SetFont(IDispatch* font) { Form().setFont(FontOf(font)); }

bool FormPlayer::KeyPreview() const { return Form().KeyPreview(); }

void FormPlayer::SetKeyPreview(bool on) { Form().SetKeyPreview(on); }

void FormPlayer::SetPixelsPerInch(LONG ppi) {
  if (ppi <= 0) throw qcom::ComError(E_INVALIDARG, kInvalidValue);
  // Qt scales for the screen itself; the value is the form's design density.
  pixelsPerInch_ = ppi;
}

void FormPlayer::SetPrintScale(LONG scale) {
  if (scale < poNone || scale > poPrintToFit) throw qcom::ComError(E_INVALIDARG, kInvalidValue);
  printScale_ = scale;
}

bool FormPlayer::Active() const { return Form().Active(); }

bool FormPlayer::Enabled() const { return Form().isEnabled(); }

void FormPlayer::SetEnabled(bool on) { Form().setEnabled(on); }

void FormPlayer::SetCursor(LONG cursor) {
  if (cursor < -32768 || cursor > 32767) throw qcom::ComError(E_INVALIDARG, kInvalidValue);
  // The form's own surface lies under its parts, which keep their own cursors; in Qt
  // a cursor set on the form would reach every part, so the value is kept, not shown.
  cursor_ = cursor;
}

void FormPlayer::SetHelpType(LONG type) {
  if (type < htKeyword || type > htContext) throw qcom::ComError(E_INVALIDARG, kInvalidValue);
  helpType_ = type;
}

// ---- custom members

void FormPlayer::DoStartPlay(const std::string& source) { Form().StartPlay(source); }
void FormPlayer::DoMute(bool mute) { Form().Mute(mute); }
void FormPlayer::DoSetSize(LONG size) { Form().SetSize(int(size)); }
void FormPlayer::DoShowCtrBar(bool show) { Form().ShowCtrBar(show); }
void FormPlayer::DoStop() { Form().Stop(); }
void FormPlayer::DoPause() { Form().Pause(); }
LONG FormPlayer::Volume() const { return Form().Volume(); }
void FormPlayer::SetVolume(LONG volume) { Form().SetVolume(int(volume)); }
void FormPlayer::DoSetUIStyle(LONG style, const std::string& themeFile) { Form().SetUIStyle(int(style), themeFile); }
void FormPlayer::DoUnInit() { Form().UnInit(); }
bool FormPlayer::ShowCtrlBar() const { return Form().ShowCtrlBar(); }
void FormPlayer::SetShowCtrlBar(bool show) { Form().SetShowCtrlBar(show); }

void FormPlayer::ApplyLangFile(const std::string& file) {
  ControlForm& form = Form();
  form.MLang().SetLangFileName(file);
  form.PostMsg(qtext::FromQ(form.BrandLink().Caption()));
  form.BrandLink().SetURL(qtext::ToQ(form.Text("strURL")));
}

void FormPlayer::ApplyBrand() {
  if (appName_.empty() || appURL_.empty()) return;
  ControlForm& form = Form();
  form.BrandLink().SetCaption(qtext::ToQ(appName_));
  form.BrandLink().SetURL(qtext::ToQ(appURL_));
}

void FormPlayer::DoSetLangFile(const std::string& file) {
  ApplyLangFile(file);
  ApplyBrand();
}

std::string FormPlayer::LangFileName() const { return Form().MLang().LangFileName(); }

void FormPlayer::SetLangFileName(const std::string& file) {
  if (!file.empty()) ApplyLangFile(file);
  ApplyBrand();
}

void FormPlayer::SetAppName(const std::string& name) {
  appName_ = name;
  Form().BrandLink().SetCaption(qtext::ToQ(name));
}

void FormPlayer::SetAppURL(const std::string& url) {
  appURL_ = url;
  Form().BrandLink().SetURL(qtext::ToQ(url));
}

// ---- the vtable

HRESULT FormPlayer::get_Visible(VARIANT_BOOL* v) { return Out(v, [&] { return VBool(Visible()); }); }
HRESULT FormPlayer::put_Visible(VARIANT_BOOL v) { return Run([&] { SetVisible(v != 0); }); }
HRESULT FormPlayer::get_AutoScroll(VARIANT_BOOL* v) { return Out(v, [&] { return VBool(AutoScroll()); }); }
HRESULT FormPlayer::put_AutoScroll(VARIANT_BOOL v) { return Run([&] { SetAutoScroll(v != 0); }); }
HRESULT FormPlayer::get_AutoSize(VARIANT_BOOL* v) { return Out(v, [&] { return VBool(AutoSize()); }); }
HRESULT FormPlayer::put_AutoSize(VARIANT_BOOL v) { return Run([&] { SetAutoSize(v != 0); }); }
HRESULT FormPlayer::get_AxBorderStyle(TxActiveFormBorderStyle* v) {
  return Out(v, [&] { return TxActiveFormBorderStyle(AxBorderStyle()); });
}
HRESULT FormPlayer::put_AxBorderStyle(TxActiveFormBorderStyle v) { return Run([&] { SetAxBorderStyle(v); }); }
HRESULT FormPlayer::get_Caption(BSTR* v) { return Out(v, [&] { return qcom::BstrFromText(Caption()); }); }
HRESULT FormPlayer::put_Caption(BSTR v) { return Run([&] { SetCaption(qcom::TextFromBstr(v)); }); }
HRESULT FormPlayer::get_Color(OLE_COLOR* v) { return Out(v, [&] { return OLE_COLOR(Color()); }); }
HRESULT FormPlayer::put_Color(OLE_COLOR v) { return Run([&] { SetColor(LONG(v)); }); }
HRESULT FormPlayer::get_Font(IFontDisp** v) {
  return Out(v, [&] { return static_cast<IFontDisp*>(qcom::Make<FontDisp>(&Form()).Detach()); });
}
HRESULT FormPlayer::put_Font(IFontDisp* v) { return Run([&] { SetFont(v); }); }
HRESULT FormPlayer::putref_Font(IFontDisp** v) {
  if (!v) return E_POINTER;
  return Run([&] { SetFont(*v); });
}
HRESULT FormPlayer::get_KeyPreview(VARIANT_BOOL* v) { return Out(v, [&] { return VBool(KeyPreview()); }); }
HRESULT FormPlayer::put_KeyPreview(VARIANT_BOOL v) { return Run([&] { SetKeyPreview(v != 0); }); }
HRESULT FormPlayer::get_PixelsPerInch(LONG* v) { return Out(v, [&] { return PixelsPerInch(); }); }
HRESULT FormPlayer::put_PixelsPerInch(LONG v) { return Run([&] { SetPixelsPerInch(v); }); }
HRESULT FormPlayer::get_PrintScale(TxPrintScale* v) { return Out(v, [&] { return TxPrintScale(PrintScale()); }); }
HRESULT FormPlayer::put_PrintScale(TxPrintScale v) { return Run([&] { SetPrintScale(v); }); }
HRESULT FormPlayer::get_Scaled(VARIANT_BOOL* v) { return Out(v, [&] { return VBool(Scaled()); }); }
HRESULT FormPlayer::put_Scaled(VARIANT_BOOL v) { return Run([&] { SetScaled(v != 0); }); }
HRESULT FormPlayer::get_Active(VARIANT_BOOL* v) { return Out(v, [&] { return VBool(Active()); }); }
HRESULT FormPlayer::get_DropTarget(VARIANT_BOOL* v) { return Out(v, [&] { return VBool(DropTarget()); }); }
HRESULT FormPlayer::put_DropTarget(VARIANT_BOOL v) { return Run([&] { SetDropTarget(v != 0); }); }
HRESULT FormPlayer::get_HelpFile(BSTR* v) { return Out(v, [&] { return qcom::BstrFromText(HelpFile()); }); }
HRESULT FormPlayer::put_HelpFile(BSTR v) { return Run([&] { SetHelpFile(qcom::TextFromBstr(v)); }); }
HRESULT FormPlayer::get_DoubleBuffered(VARIANT_BOOL* v) { return Out(v, [&] { return VBool(DoubleBuffered()); }); }
HRESULT FormPlayer::put_DoubleBuffered(VARIANT_BOOL v) { return Run([&] { SetDoubleBuffered(v != 0); }); }
HRESULT FormPlayer::get_AlignDisabled(VARIANT_BOOL* v) { return Out(v, [&] { return VBool(AlignDisabled()); }); }
HRESULT FormPlayer::get_VisibleDockClientCount(LONG* v) { return Out(v, [&] { return VisibleDockClientCount(); }); }
HRESULT FormPlayer::get_Enabled(VARIANT_BOOL* v) { return Out(v, [&] { return VBool(Enabled()); }); }
HRESULT FormPlayer::put_Enabled(VARIANT_BOOL v) { return Run([&] { SetEnabled(v != 0); }); }
HRESULT FormPlayer::get_Cursor(SHORT* v) { return Out(v, [&] { return SHORT(Cursor()); }); }
HRESULT FormPlayer::put_Cursor(SHORT v) { return Run([&] { SetCursor(v); }); }
HRESULT FormPlayer::get_HelpType(TxHelpType* v) { return Out(v, [&] { return TxHelpType(HelpType()); }); }
HRESULT FormPlayer::put_HelpType(TxHelpType v) { return Run([&] { SetHelpType(v); }); }
HRESULT FormPlayer::get_HelpKeyword(BSTR* v) { return Out(v, [&] { return qcom::BstrFromText(HelpKeyword()); }); }
HRESULT FormPlayer::put_HelpKeyword(BSTR v) { return Run([&] { SetHelpKeyword(qcom::TextFromBstr(v)); }); }

HRESULT FormPlayer::StartPlay(LPSTR src) { return Run([&] { DoStartPlay(Ansi(src)); }); }
HRESULT FormPlayer::Mute(VARIANT_BOOL mute) { return Run([&] { DoMute(mute != 0); }); }
HRESULT FormPlayer::SetSize(LONG size) { return Run([&] { DoSetSize(size); }); }
HRESULT FormPlayer::ShowCtrBar(VARIANT_BOOL show) { return Run([&] { DoShowCtrBar(show != 0); }); }
HRESULT FormPlayer::Stop() { return Run([&] { DoStop(); }); }
HRESULT FormPlayer::Pause() { return Run([&] { DoPause(); }); }
HRESULT FormPlayer::get_Volume(LONG* v) { return Out(v, [&] { return Volume(); }); }
HRESULT FormPlayer::put_Volume(LONG v) { return Run([&] { SetVolume(v); }); }
HRESULT FormPlayer::SetUIStyle(LONG style, LPSTR themeFile) {
  return Run([&] { DoSetUIStyle(style, Ansi(themeFile)); });
}
HRESULT FormPlayer::UnInit() { return Run([&] { DoUnInit(); }); }
HRESULT FormPlayer::SetLangFile(LPSTR file) { return Run([&] { DoSetLangFile(Ansi(file)); }); }
HRESULT FormPlayer::get_ShowCtrlBar(VARIANT_BOOL* v) { return Out(v, [&] { return VBool(ShowCtrlBar()); }); }
HRESULT FormPlayer::put_ShowCtrlBar(VARIANT_BOOL v) { return Run([&] { SetShowCtrlBar(v != 0); }); }
HRESULT FormPlayer::get_LangFileName(BSTR* v) { return Out(v, [&] { return qcom::BstrFromText(LangFileName()); }); }
HRESULT FormPlayer::put_LangFileName(BSTR v) { return Run([&] { SetLangFileName(qcom::TextFromBstr(v)); }); }
HRESULT FormPlayer::get_AppName(BSTR* v) { return Out(v, [&] { return qcom::BstrFromText(AppName()); }); }
HRESULT FormPlayer::put_AppName(BSTR v) { return Run([&] { SetAppName(qcom::TextFromBstr(v)); }); }
HRESULT FormPlayer::get_AppURL(BSTR* v) { return Out(v, [&] { return qcom::BstrFromText(AppURL()); }); }
HRESULT FormPlayer::put_AppURL(BSTR v) { return Run([&] { SetAppURL(qcom::TextFromBstr(v)); }); }

// ---- IDispatch: standard members first, then the custom ones, in slot order

std::span<const qcom::Member<FormPlayer>> FormPlayer::Members() {
  constexpr WORD kGet = DISPATCH_PROPERTYGET, kPut = DISPATCH_PROPERTYPUT, kMethod = DISPATCH_METHOD;
  static const qcom::Member<FormPlayer> kMembers[] = {
      {"Visible", kDispVisible, kGet, 0, &GetBool<&FormPlayer::Visible>},
      {"Visible", kDispVisible, kPut, 1, &PutBool<&FormPlayer::SetVisible>},
      {"AutoScroll", kDispAutoScroll, kGet, 0, &GetBool<&FormPlayer::AutoScroll>},
      {"AutoScroll", kDispAutoScroll, kPut, 1, &PutBool<&FormPlayer::SetAutoScroll>},
      {"AutoSize", kDispAutoSize, kGet, 0, &GetBool<&FormPlayer::AutoSize>},
      {"AutoSize", kDispAutoSize, kPut, 1, &PutBool<&FormPlayer::SetAutoSize>},
      {"AxBorderStyle", kDispAxBorderStyle, kGet, 0, &GetLong<&FormPlayer::AxBorderStyle>},
      {"AxBorderStyle", kDispAxBorderStyle, kPut, 1, &PutLong<&FormPlayer::SetAxBorderStyle>},
      {"Caption", kDispCaption, kGet, 0, &GetText<&FormPlayer::Caption>},
      {"Caption", kDispCaption, kPut, 1, &PutText<&FormPlayer::SetCaption>},
      {"Color", kDispColor, kGet, 0, &GetLong<&FormPlayer::Color>},
      {"Color", kDispColor, kPut, 1, &PutLong<&FormPlayer::SetColor>},
      {"Font", kDispFont, kGet, 0,
       [](FormPlayer& p, Call& c) {
         auto font = qcom::Make<FontDisp>(&p.Form());
         c.ReturnDispatch(font.get());
         return S_OK;
       }},
      {"Font", kDispFont, kPut, 1,
       [](FormPlayer& p, Call& c) {
         p.SetFont(c.Dispatch(0));
         return S_OK;
       }},
      {"KeyPreview", kDispKeyPreview, kGet, 0, &GetBool<&FormPlayer::KeyPreview>},
      {"KeyPreview", kDispKeyPreview, kPut, 1, &PutBool<&FormPlayer::SetKeyPreview>},
      {"PixelsPerInch", kDispPixelsPerInch, kGet, 0, &GetLong<&FormPlayer::PixelsPerInch>},
      {"PixelsPerInch", kDispPixelsPerInch, kPut, 1, &PutLong<&FormPlayer::SetPixelsPerInch>},
      {"PrintScale", kDispPrintScale, kGet, 0, &GetLong<&FormPlayer::PrintScale>},
      {"PrintScale", kDispPrintScale, kPut, 1, &PutLong<&FormPlayer::SetPrintScale>},
      {"Scaled", kDispScaled, kGet, 0, &GetBool<&FormPlayer::Scaled>},
      {"Scaled", kDispScaled, kPut, 1, &PutBool<&FormPlayer::SetScaled>},
      {"Active", kDispActive, kGet, 0, &GetBool<&FormPlayer::Active>},
      {"DropTarget", kDispDropTarget, kGet, 0, &GetBool<&FormPlayer::DropTarget>},
      {"DropTarget", kDispDropTarget, kPut, 1, &PutBool<&FormPlayer::SetDropTarget>},
      {"HelpFile", kDispHelpFile, kGet, 0, &GetText<&FormPlayer::HelpFile>},
      {"HelpFile", kDispHelpFile, kPut, 1, &PutText<&FormPlayer::SetHelpFile>},
      {"DoubleBuffered", kDispDoubleBuffered, kGet, 0, &GetBool<&FormPlayer::DoubleBuffered>},
      {"DoubleBuffered", kDispDoubleBuffered, kPut, 1, &PutBool<&FormPlayer::SetDoubleBuffered>},
      {"AlignDisabled", kDispAlignDisabled, kGet, 0, &GetBool<&FormPlayer::AlignDisabled>},
      {"VisibleDockClientCount", kDispVisibleDockClientCount, kGet, 0,
       &GetLong<&FormPlayer::VisibleDockClientCount>},
      {"Enabled", kDispEnabled, kGet, 0, &GetBool<&FormPlayer::Enabled>},
      {"Enabled", kDispEnabled, kPut, 1, &PutBool<&FormPlayer::SetEnabled>},
      {"Cursor", kDispCursor, kGet, 0, &GetShort<&FormPlayer::Cursor>},
      {"Cursor", kDispCursor, kPut, 1, &PutShort<&FormPlayer::SetCursor>},
      {"HelpType", kDispHelpType, kGet, 0, &GetLong<&FormPlayer::HelpType>},
      {"HelpType", kDispHelpType, kPut, 1, &PutLong<&FormPlayer::SetHelpType>},
      {"HelpKeyword", kDispHelpKeyword, kGet, 0, &GetText<&FormPlayer::HelpKeyword>},
      {"HelpKeyword", kDispHelpKeyword, kPut, 1, &PutText<&FormPlayer::SetHelpKeyword>},

      {"StartPlay", kDispStartPlay, kMethod, 1, &PutText<&FormPlayer::DoStartPlay>},
      {"Mute", kDispMute, kMethod, 1, &PutBool<&FormPlayer::DoMute>},
      {"SetSize", kDispSetSize, kMethod, 1, &PutLong<&FormPlayer::DoSetSize>},
      {"ShowCtrBar", kDispShowCtrBar, kMethod, 1, &PutBool<&FormPlayer::DoShowCtrBar>},
      {"Stop", kDispStop, kMethod, 0, &Method<&FormPlayer::DoStop>},
      {"Pause", kDispPause, kMethod, 0, &Method<&FormPlayer::DoPause>},
      {"Volume", kDispVolume, kGet, 0, &GetLong<&FormPlayer::Volume>},
      {"Volume", kDispVolume, kPut, 1, &PutLong<&FormPlayer::SetVolume>},
      {"SetUIStyle", kDispSetUIStyle, kMethod, 2,
       [](FormPlayer& p, Call& c) {
         p.DoSetUIStyle(c.Long(0), c.Text(1));
         return S_OK;
       }},
      {"UnInit", kDispUnInit, kMethod, 0, &Method<&FormPlayer::DoUnInit>},
      {"SetLangFile", kDispSetLangFile, kMethod, 1, &PutText<&FormPlayer::DoSetLangFile>},
      {"ShowCtrlBar", kDispShowCtrlBar, kGet, 0, &GetBool<&FormPlayer::ShowCtrlBar>},
      {"ShowCtrlBar", kDispShowCtrlBar, kPut, 1, &PutBool<&FormPlayer::SetShowCtrlBar>},
      {"LangFileName", kDispLangFileName, kGet, 0, &GetText<&FormPlayer::LangFileName>},
      {"LangFileName", kDispLangFileName, kPut, 1, &PutText<&FormPlayer::SetLangFileName>},
      {"AppName", kDispAppName, kGet, 0, &GetText<&FormPlayer::AppName>},
      {"AppName", kDispAppName, kPut, 1, &PutText<&FormPlayer::SetAppName>},
      {"AppURL", kDispAppURL, kGet, 0, &GetText<&FormPlayer::AppURL>},
      {"AppURL", kDispAppURL, kPut, 1, &PutText<&FormPlayer::SetAppURL>},
  };
  return kMembers;
}

}  // namespace corvane
