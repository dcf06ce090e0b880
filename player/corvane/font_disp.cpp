#include "player/corvane/font_disp.h"

#include "platform/text.h"

namespace corvane {

using Call = qcom::DispCall;

QFont FontDisp::Font() const {
  if (!owner_) throw qcom::ComError(E_UNEXPECTED, "The font's window no longer exists.");
  return owner_->font();
}

void FontDisp::SetFont(const QFont& font) const {
  if (!owner_) throw qcom::ComError(E_UNEXPECTED, "The font's window no longer exists.");
  owner_->setFont(font);
}

namespace {

// A put of one quality of the font: the rest stays as it is.
template <class Apply>
HRESULT Change(const FontDisp& f, Apply apply) {
  QFont font = f.Font();
  apply(font);
  f.SetFont(font);
  return S_OK;
}

}  // namespace

std::span<const qcom::Member<FontDisp>> FontDisp::Members() {
  static const qcom::Member<FontDisp> kMembers[] = {
      {"Name", DISPID_FONT_NAME, DISPATCH_PROPERTYGET, 0,
       [](FontDisp& f, Call& c) {
         c.ReturnText(qtext::FromQ(f.Font().family()));
         return S_OK;
       }},
      {"Name", DISPID_FONT_NAME, DISPATCH_PROPERTYPUT, 1,
       [](FontDisp& f, Call& c) {
         const QString name = qtext::ToQ(c.Text(0));
         return Change(f, [&](QFont& font) { font.setFamily(name); });
       }},
      {"Size", DISPID_FONT_SIZE, DISPATCH_PROPERTYGET, 0,
       [](FontDisp& f, Call& c) {
         const QFont font = f.Font();
         // A font set by pixels has no point size of its own: at 96 pixels per inch a
         // point is 4/3 of a pixel.
         c.Return(LONG(font.pointSize() > 0 ? font.pointSize() : (font.pixelSize() * 3 + 2) / 4));
         return S_OK;
       }},
      {"Size", DISPID_FONT_SIZE, DISPATCH_PROPERTYPUT, 1,
       [](FontDisp& f, Call& c) {
         const LONG size = c.Long(0);
         if (size <= 0) throw qcom::ComError(E_INVALIDARG, "A font size must be greater than 0.");
         return Change(f, [&](QFont& font) { font.setPointSize(int(size)); });
       }},
      {"Bold", DISPID_FONT_BOLD, DISPATCH_PROPERTYGET, 0,
       [](FontDisp& f, Call& c) {
         c.ReturnBool(f.Font().bold());
         return S_OK;
       }},
      {"Bold", DISPID_FONT_BOLD, DISPATCH_PROPERTYPUT, 1,
       [](FontDisp& f, Call& c) {
         const bool on = c.Bool(0);
         return Change(f, [&](QFont& font) { font.setBold(on); });
       }},
      {"Italic", DISPID_FONT_ITALIC, DISPATCH_PROPERTYGET, 0,
       [](FontDisp& f, Call& c) {
         c.ReturnBool(f.Font().italic());
         return S_OK;
       }},
      {"Italic", DISPID_FONT_ITALIC, DISPATCH_PROPERTYPUT, 1,
       [](FontDisp& f, Call& c) {
         const bool on = c.Bool(0);
         return Change(f, [&](QFont& font) { font.setItalic(on); });
       }},
      {"Underline", DISPID_FONT_UNDER, DISPATCH_PROPERTYGET, 0,
       [](FontDisp& f, Call& c) {
         c.ReturnBool(f.Font().underline());
         return S_OK;
       }},
      {"Underline", DISPID_FONT_UNDER, DISPATCH_PROPERTYPUT, 1,
       [](FontDisp& f, Call& c) {
         const bool on = c.Bool(0);
         return Change(f, [&](QFont& font) { font.setUnderline(on); });
       }},
      {"Strikethrough", DISPID_FONT_STRIKE, DISPATCH_PROPERTYGET, 0,
       [](FontDisp& f, Call& c) {
         c.ReturnBool(f.Font().strikeOut());
         return S_OK;
       }},
      {"Strikethrough", DISPID_FONT_STRIKE, DISPATCH_PROPERTYPUT, 1,
       [](FontDisp& f, Call& c) {
         const bool on = c.Bool(0);
         return Change(f, [&](QFont& font) { font.setStrikeOut(on); });
       }},
      {"Weight", DISPID_FONT_WEIGHT, DISPATCH_PROPERTYGET, 0,
       [](FontDisp& f, Call& c) {
         c.ReturnShort(SHORT(f.Font().weight()));
         return S_OK;
       }},
      {"Weight", DISPID_FONT_WEIGHT, DISPATCH_PROPERTYPUT, 1,
       [](FontDisp& f, Call& c) {
         const LONG weight = c.Long(0);
         if (weight < 1 || weight > 1000) throw qcom::ComError(E_INVALIDARG, "A font weight lies between 1 and 1000.");
         return Change(f, [&](QFont& font) { font.setWeight(QFont::Weight(weight)); });
       }},
  };
  return kMembers;
}

QFont FontOf(IDispatch* font) {
  if (!font) throw qcom::ComError(E_POINTER, "No font was given.");
  auto get = [font](DISPID id) {
    qcom::Variant v;
    std::string error;
    const HRESULT hr = qcom::GetProperty(font, id, &v, &error);
    if (FAILED(hr)) throw qcom::ComError(hr, error);
    return v;
  };
  QFont f(qtext::ToQ(get(DISPID_FONT_NAME).ToText()));
  const LONG size = get(DISPID_FONT_SIZE).ToLong();
  if (size > 0) f.setPointSize(int(size));
  const LONG weight = get(DISPID_FONT_WEIGHT).ToLong();
  if (weight >= 1 && weight <= 1000)
    f.setWeight(QFont::Weight(weight));
  else
    f.setBold(get(DISPID_FONT_BOLD).ToBool());
  f.setItalic(get(DISPID_FONT_ITALIC).ToBool());
  f.setUnderline(get(DISPID_FONT_UNDER).ToBool());
  f.setStrikeOut(get(DISPID_FONT_STRIKE).ToBool());
  return f;
}

}  // namespace corvane
