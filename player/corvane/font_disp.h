#pragma once
// The control's Font as the standard font object: it reads and writes the font of the
// form it belongs to, so a change made through it shows at once. It fails once the
// form is gone.
#include <QPointer>
#include <QWidget>
#include <span>

#include "player/corvane/corvane_tlb.h"

namespace corvane {

class FontDisp : public qcom::Object<qcom::Dispatch<FontDisp, IFontDisp>> {
 public:
  explicit FontDisp(QWidget* owner) : owner_(owner) {}
  static std::span<const qcom::Member<FontDisp>> Members();

  // The owner's font; throws when the owner is gone.
  QFont Font() const;
  void SetFont(const QFont& font) const;

 private:
  QPointer<QWidget> owner_;
};

// A font as another font object describes it, read through its IDispatch.
QFont FontOf(IDispatch* font);

}  // namespace corvane
