#pragma once
// The Qt style of a skinned control: Fusion with the control's theme items drawn in
// place of its buttons, check marks, scroll bars, combo box buttons, frames, list
// headers, menus and status bar. Each skinned control owns one, made again whenever
// it reads its items.
#include <QPalette>
#include <QProxyStyle>
#include <memory>
#include <optional>
#include <vector>

#include "skin/look.h"
#include "skin/menu_theme.h"

class TsuiStyle : public QProxyStyle {
  Q_OBJECT

 public:
  // A menu's style also takes the menu's measures and colours.
  explicit TsuiStyle(std::shared_ptr<const suilook::Look> look, const TsuiMenuTheme* menu = nullptr);

  // The style for a look (and a menu's measures), made once and kept by the
  // application, so no widget outlives the style it draws with.
  static TsuiStyle* For(const std::shared_ptr<const suilook::Look>& look, const TsuiMenuTheme* menu = nullptr);

  const suilook::Look& Look() const { return *look_; }
  // The colours the look gives a control and its texts.
  QPalette LookPalette() const;
  // The colour of text on the look's buttons.
  QColor ButtonTextColor() const { return buttonText_; }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* p,
                     const QWidget* widget = nullptr) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* p,
                   const QWidget* widget = nullptr) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* p,
                          const QWidget* widget = nullptr) const override;
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                       const QWidget* widget = nullptr) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr, const QWidget* widget = nullptr) const override;
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget = nullptr) const override;
  int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                QStyleHintReturn* returnData = nullptr) const override;
  void polish(QWidget* widget) override;
  using QProxyStyle::polish;

  // Gives widget this style and colours, and the parts it is made of (a view's header
  // and viewport, a combo box's edit field and list) too, but not the skinned
  // controls inside it, which have their own.
  void Adopt(QWidget* widget);

 private:
  struct MenuLook {
    int barWidth = 26, itemHeight = 21, separatorHeight = 5;
    QColor separator, bar, background, font, selectedBorder, selectedBackground, selectedFont;
  };

  void DrawButtonFace(QPainter* p, const QRect& r, int state) const;
  void DrawMenuItem(const class QStyleOptionMenuItem* item, QPainter* p) const;
  void DrawMenuBarItem(const class QStyleOptionMenuItem* item, QPainter* p) const;
  void FillMenuBar(QPainter* p, const QRect& r) const;
  void FillMenu(QPainter* p, const QRect& r) const;
  bool MacMenus() const;

  std::shared_ptr<const suilook::Look> look_;
  MenuLook menu_;
  QColor buttonText_;
  // The horizontal scroll bar's pictures: the vertical ones turned a quarter.
  std::vector<QImage> hScrollButtons_, hScrollSlider_;
};
