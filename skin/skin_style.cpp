#include "skin/skin_style.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QPointer>
#include <map>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTransform>

using suilook::DrawNine;
using suilook::NineMargins;

namespace {

QImage Turned(const QImage& image) { return image.transformed(QTransform().rotate(-90)); }

// The handle's face with its middle (where the grip is) filled from the plain part
// beside it, so stretching the face does not smear the grip over a long handle.
QImage PlainFace(const QImage& face, bool horizontal, int margin) {
  QImage plain = face.convertToFormat(QImage::Format_ARGB32);
  QPainter p(&plain);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  if (horizontal) {
    const QImage column = plain.copy(margin, 0, 1, plain.height());
    for (int x = margin + 1; x < plain.width() - margin; ++x) p.drawImage(x, 0, column);
  } else {
    const QImage row = plain.copy(0, margin, plain.width(), 1);
    for (int y = margin + 1; y < plain.height() - margin; ++y) p.drawImage(0, y, row);
  }
  return plain;
}

QColor Mix(const QColor& a, const QColor& b, double t) {
  return QColor(int(a.red() + (b.red() - a.red()) * t), int(a.green() + (b.green() - a.green()) * t),
                int(a.blue() + (b.blue() - a.blue()) * t));
}

// The strip frame of a control part: disabled, pressed, under the mouse or at rest.
int PartState(const QStyleOption* o, bool active) {
  if (!(o->state & QStyle::State_Enabled)) return suilook::kDisabled;
  if (active && (o->state & QStyle::State_Sunken)) return suilook::kPressed;
  if (active && (o->state & QStyle::State_MouseOver)) return suilook::kHot;
  return suilook::kNormal;
}

void Arrow(QPainter* p, const QRect& r, bool down, const QColor& colour) {
  const QPointF c = QRectF(r).center();
  const double w = std::min(8.0, r.width() * 0.5), h = w * 0.55;
  QPolygonF t;
  if (down)
    t << QPointF(c.x() - w / 2, c.y() - h / 2) << QPointF(c.x() + w / 2, c.y() - h / 2) << QPointF(c.x(), c.y() + h / 2);
  else
    t << QPointF(c.x() - h / 2, c.y() - w / 2) << QPointF(c.x() - h / 2, c.y() + w / 2) << QPointF(c.x() + h / 2, c.y());
  p->save();
  p->setRenderHint(QPainter::Antialiasing);
  p->setPen(Qt::NoPen);
  p->setBrush(colour);
  p->drawPolygon(t);
  p->restore();
}

const QImage* Frame(const std::vector<QImage>& frames, size_t k) { return k < frames.size() ? &frames[k] : nullptr; }

}  // namespace

TsuiStyle::TsuiStyle(std::shared_ptr<const suilook::Look> look, const TsuiMenuTheme* menu)
    : QProxyStyle(QStyleFactory::create("Fusion")), look_(std::move(look)) {
  const suilook::Look& l = *look_;
  const QColor face = l.button.empty() ? l.formBackgroundColor : suilook::Average(l.button[0]);
  buttonText_ = suilook::IsLight(face) ? QColor(Qt::black) : QColor(240, 240, 240);
  for (const QImage& b : l.scrollButtons) hScrollButtons_.push_back(Turned(b));
  for (const QImage& s : l.scrollSlider) hScrollSlider_.push_back(Turned(s));

  TsuiMenuTheme defaults;
  const TsuiMenuTheme& m = menu ? *menu : defaults;
  menu_.barWidth = m.BarWidth();
  menu_.itemHeight = std::max(m.ItemHeight(), 16);
  menu_.separatorHeight = std::max(m.SeparatorHeight(), 3);
  menu_.separator = suilook::ToColor(m.SeparatorColor(), QColor(132, 130, 132));
  menu_.bar = suilook::ToColor(m.BarColor(), QColor(214, 211, 206));
  menu_.background = suilook::ToColor(m.BackgroundColor(), Qt::white);
  menu_.font = suilook::ToColor(m.FontColor(), Qt::black);
  menu_.selectedBorder = suilook::ToColor(m.SelectedBorderColor(), QColor(49, 106, 197));
  menu_.selectedBackground = suilook::ToColor(m.SelectedBackgroundColor(), QColor(49, 106, 197));
  menu_.selectedFont = suilook::ToColor(m.SelectedFontColor(), Qt::white);
  if (MacMenus()) {
    // The style's menu colours are black on black: its menus are drawn from its
    // pictures, with dark text on the light ground.
    menu_.background = QColor(246, 246, 246);
    menu_.bar = menu_.background;
    menu_.font = Qt::black;
    menu_.selectedFont = Qt::white;
  }
  if (menu_.font == menu_.background) menu_.font = suilook::IsLight(menu_.background) ? Qt::black : Qt::white;
}

TsuiStyle* TsuiStyle::For(const std::shared_ptr<const suilook::Look>& look, const TsuiMenuTheme* menu) {
  static std::map<QString, QPointer<TsuiStyle>> made;
  QString key = QString::number(quintptr(look.get()));
  if (menu)
    key += QString(":%1,%2,%3,%4,%5,%6,%7,%8,%9,%10")
               .arg(menu->ItemHeight())
               .arg(menu->SeparatorHeight())
               .arg(menu->SeparatorColor())
               .arg(menu->BarColor())
               .arg(menu->BackgroundColor())
               .arg(menu->FontColor())
               .arg(menu->SelectedBorderColor())
               .arg(menu->SelectedBackgroundColor())
               .arg(menu->SelectedFontColor())
               .arg(menu->BarWidth());
  QPointer<TsuiStyle>& style = made[key];
  if (!style) {
    style = new TsuiStyle(look, menu);
    style->setParent(QCoreApplication::instance());
  }
  return style;
}

bool TsuiStyle::MacMenus() const { return !look_->fromFile && look_->style == TsuiUIStyle::MacOS; }

QPalette TsuiStyle::LookPalette() const {
  const suilook::Look& l = *look_;
  QPalette pal = baseStyle()->standardPalette();
  const QColor window = l.formBackgroundColor;
  const QColor text = l.controlFontColor;
  const QColor faint = Mix(text, window, 0.55);
  pal.setColor(QPalette::Window, window);
  pal.setColor(QPalette::WindowText, text);
  pal.setColor(QPalette::Base, l.ViewBackground());
  pal.setColor(QPalette::AlternateBase, Mix(l.ViewBackground(), window, 0.5));
  pal.setColor(QPalette::Text, l.ViewText());
  pal.setColor(QPalette::Button, l.button.empty() ? window : suilook::Average(l.button[0]));
  pal.setColor(QPalette::ButtonText, buttonText_);
  pal.setColor(QPalette::Highlight, l.menuSelectedBackgroundColor);
  pal.setColor(QPalette::HighlightedText, l.menuSelectedFontColor);
  pal.setColor(QPalette::Light, window.lighter(120));
  pal.setColor(QPalette::Midlight, window.lighter(108));
  pal.setColor(QPalette::Mid, window.darker(130));
  pal.setColor(QPalette::Dark, window.darker(160));
  pal.setColor(QPalette::Shadow, l.controlBorderColor);
  pal.setColor(QPalette::PlaceholderText, faint);
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    pal.setColor(QPalette::Disabled, role, Mix(pal.color(role), pal.color(role == QPalette::Text ? QPalette::Base : QPalette::Window), 0.55));
  // A view without the focus keeps its selection as plain to see.
  pal.setColor(QPalette::Inactive, QPalette::Highlight, l.menuSelectedBackgroundColor);
  pal.setColor(QPalette::Inactive, QPalette::HighlightedText, l.menuSelectedFontColor);
  return pal;
}

void TsuiStyle::Adopt(QWidget* widget) {
  const QPalette pal = LookPalette();
  const auto take = [&](QWidget* w) {
    w->setStyle(this);
    w->setPalette(pal);
  };
  take(widget);
  std::vector<QWidget*> parts;
  for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) parts.push_back(child);
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    parts.push_back(combo->view());
    if (QWidget* popup = combo->view()->parentWidget(); popup && popup != widget) parts.push_back(popup);
  }
  while (!parts.empty()) {
    QWidget* w = parts.back();
    parts.pop_back();
    // Skinned controls inside it and windows of their own keep their looks.
    if (w->metaObject()->indexOfProperty("UIStyle") >= 0) continue;
    if (w->isWindow() && !qobject_cast<QComboBox*>(widget)) continue;
    take(w);
    for (QWidget* child : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) parts.push_back(child);
  }
}

void TsuiStyle::polish(QWidget* widget) {
  QProxyStyle::polish(widget);
  // Buttons, headers and scroll bars show their hot pictures under the mouse.
  widget->setAttribute(Qt::WA_Hover);
}

void TsuiStyle::DrawButtonFace(QPainter* p, const QRect& r, int state) const {
  const QImage* face = Frame(look_->button, size_t(state));
  if (!face) return;
  DrawNine(*p, r, *face, NineMargins(*face, 8));
}

void TsuiStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* o, QPainter* p, const QWidget* w) const {
  const suilook::Look& l = *look_;
  switch (element) {
    case PE_PanelButtonCommand:
    case PE_PanelButtonBevel:
      if (!l.button.empty()) {
        const bool down = o->state & (State_Sunken | State_On);
        int state = !(o->state & State_Enabled) ? suilook::kDisabled
                    : down                       ? suilook::kPressed
                    : (o->state & State_MouseOver) ? suilook::kHot
                                                   : suilook::kNormal;
        DrawButtonFace(p, o->rect, state);
        return;
      }
      break;
    case PE_FrameDefaultButton:
      return;
    case PE_FrameFocusRect:
      if (qobject_cast<const QAbstractButton*>(w)) {
        // A quiet dotted ring inside the button's edge.
        p->save();
        QPen pen(Mix(buttonText_, o->palette.color(QPalette::Button), 0.4), 1, Qt::DotLine);
        p->setPen(pen);
        p->setBrush(Qt::NoBrush);
        p->drawRect(o->rect.adjusted(1, 1, -2, -2));
        p->restore();
        return;
      }
      break;
    case PE_IndicatorCheckBox:
    case PE_IndicatorRadioButton: {
      const auto& frames = element == PE_IndicatorCheckBox ? l.checkBox : l.radioButton;
      const bool on = o->state & State_On;
      const bool off = !(o->state & State_Enabled);
      if (const QImage* mark = Frame(frames, size_t((on ? 1 : 0) + (off ? 2 : 0)))) {
        const QRect at(QPoint(0, 0), mark->size());
        p->drawImage(at.translated(o->rect.center() - at.center()), *mark);
        return;
      }
      break;
    }
    case PE_Frame:
    case PE_FrameLineEdit:
    case PE_FrameWindow:
      p->save();
      p->setPen(l.controlBorderColor);
      p->setBrush(Qt::NoBrush);
      p->drawRect(o->rect.adjusted(0, 0, -1, -1));
      p->restore();
      return;
    case PE_PanelLineEdit:
      if (const auto* edit = qstyleoption_cast<const QStyleOptionFrame*>(o)) {
        p->fillRect(o->rect.adjusted(edit->lineWidth, edit->lineWidth, -edit->lineWidth, -edit->lineWidth),
                    o->palette.brush(QPalette::Base));
        if (edit->lineWidth > 0) drawPrimitive(PE_FrameLineEdit, o, p, w);
        return;
      }
      break;
    case PE_PanelMenu:
    case PE_FrameMenu:
      if (element == PE_PanelMenu) FillMenu(p, o->rect);
      p->save();
      p->setPen(MacMenus() ? QColor(150, 150, 150) : Mix(l.controlBorderColor, menu_.background, 0.25));
      p->drawRect(o->rect.adjusted(0, 0, -1, -1));
      p->restore();
      return;
    case PE_PanelMenuBar:
      FillMenuBar(p, o->rect);
      return;
    case PE_PanelStatusBar:
      p->fillRect(o->rect, l.formBackgroundColor);
      p->save();
      p->setPen(Mix(l.controlBorderColor, l.formBackgroundColor, 0.5));
      p->drawLine(o->rect.topLeft(), o->rect.topRight());
      p->restore();
      return;
    case PE_FrameStatusBarItem:
      return;
    default:
      break;
  }
  QProxyStyle::drawPrimitive(element, o, p, w);
}

void TsuiStyle::FillMenuBar(QPainter* p, const QRect& r) const {
  if (MacMenus() && !look_->menuBar.isNull())
    p->drawImage(r, look_->menuBar);
  else
    p->fillRect(r, look_->menuMenuBarColor);
}

void TsuiStyle::FillMenu(QPainter* p, const QRect& r) const {
  if (MacMenus() && !look_->formBackground.isNull())
    p->fillRect(r, QBrush(look_->formBackground));
  else
    p->fillRect(r, menu_.background);
  if (!MacMenus()) p->fillRect(QRect(r.left(), r.top(), menu_.barWidth, r.height()), menu_.bar);
}

void TsuiStyle::DrawMenuItem(const QStyleOptionMenuItem* mi, QPainter* p) const {
  const QRect r = mi->rect;
  FillMenu(p, r);
  const int bar = menu_.barWidth;
  if (mi->menuItemType == QStyleOptionMenuItem::Separator) {
    p->setPen(menu_.separator);
    const int y = r.top() + r.height() / 2;
    p->drawLine(r.left() + bar + 4, y, r.right() - 4, y);
    return;
  }
  const bool enabled = mi->state & State_Enabled;
  const bool selected = enabled && (mi->state & State_Selected);
  QColor text = menu_.font;
  if (selected) {
    const QRect sel = r.adjusted(1, 0, -2, -1);
    if (MacMenus() && !look_->menuSelect.isNull()) {
      p->drawImage(sel, look_->menuSelect);
    } else {
      p->fillRect(sel, menu_.selectedBackground);
      p->setPen(menu_.selectedBorder);
      p->drawRect(sel);
    }
    text = menu_.selectedFont;
  }
  if (!enabled) text = Mix(menu_.font, menu_.background, 0.55);

  // The check mark or the icon, centred in the bar.
  const QRect box(r.left(), r.top(), bar, r.height());
  if (mi->checkType != QStyleOptionMenuItem::NotCheckable && mi->checked) {
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    const QPointF c = QRectF(box).center();
    if (mi->checkType == QStyleOptionMenuItem::Exclusive) {
      p->setPen(Qt::NoPen);
      p->setBrush(text);
      p->drawEllipse(c, 3.2, 3.2);
    } else {
      p->setPen(QPen(text, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p->drawPolyline(QPolygonF{c + QPointF(-4, 0), c + QPointF(-1.2, 3), c + QPointF(4, -3.5)});
    }
    p->restore();
  } else if (!mi->icon.isNull()) {
    const int s = std::min(16, r.height() - 2);
    const QPixmap pm = mi->icon.pixmap(s, s, enabled ? QIcon::Normal : QIcon::Disabled);
    p->drawPixmap(QRect(QPoint(0, 0), QSize(s, s)).translated(box.center() - QPoint(s / 2, s / 2)), pm);
  }

  QString label = mi->text;
  QString shortcut;
  if (const qsizetype tab = label.indexOf('\t'); tab >= 0) {
    shortcut = label.mid(tab + 1);
    label = label.left(tab);
  }
  p->setPen(text);
  p->setFont(mi->font);
  const QRect textArea = r.adjusted(bar + 6, 0, -18, 0);
  const int flags = Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;
  if (mi->menuItemType == QStyleOptionMenuItem::DefaultItem) {
    QFont bold = mi->font;
    bold.setBold(true);
    p->setFont(bold);
  }
  p->drawText(textArea, flags | Qt::AlignLeft, label);
  p->setFont(mi->font);
  if (!shortcut.isEmpty()) p->drawText(textArea, flags | Qt::AlignRight, shortcut);
  if (mi->menuItemType == QStyleOptionMenuItem::SubMenu) Arrow(p, QRect(r.right() - 14, r.top(), 10, r.height()), false, text);
}

void TsuiStyle::DrawMenuBarItem(const QStyleOptionMenuItem* mi, QPainter* p) const {
  FillMenuBar(p, mi->rect);
  const bool enabled = mi->state & State_Enabled;
  const bool selected = enabled && (mi->state & (State_Selected | State_Sunken)) && (mi->state & State_Selected);
  // The bar's text stays readable on a bar darker than the menus' ground.
  QColor text = menu_.font;
  if (!MacMenus() && suilook::IsLight(look_->menuMenuBarColor) != suilook::IsLight(menu_.background))
    text = suilook::IsLight(look_->menuMenuBarColor) ? QColor(Qt::black) : QColor(236, 236, 236);
  if (selected) {
    const QRect sel = mi->rect.adjusted(0, 1, -1, -2);
    if (MacMenus() && !look_->menuSelect.isNull()) {
      p->drawImage(sel, look_->menuSelect);
    } else {
      p->fillRect(sel, menu_.selectedBackground);
      p->setPen(menu_.selectedBorder);
      p->drawRect(sel);
    }
    text = menu_.selectedFont;
  }
  if (!enabled) text = Mix(text, look_->menuMenuBarColor, 0.55);
  p->setPen(text);
  p->setFont(mi->font);
  p->drawText(mi->rect, Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextSingleLine, mi->text);
}

void TsuiStyle::drawControl(ControlElement element, const QStyleOption* o, QPainter* p, const QWidget* w) const {
  const suilook::Look& l = *look_;
  switch (element) {
    case CE_MenuItem:
      if (const auto* mi = qstyleoption_cast<const QStyleOptionMenuItem*>(o)) {
        p->save();
        DrawMenuItem(mi, p);
        p->restore();
        return;
      }
      break;
    case CE_MenuEmptyArea:
      FillMenu(p, o->rect);
      return;
    case CE_MenuBarItem:
      if (const auto* mi = qstyleoption_cast<const QStyleOptionMenuItem*>(o)) {
        p->save();
        DrawMenuBarItem(mi, p);
        p->restore();
        return;
      }
      break;
    case CE_MenuBarEmptyArea:
      FillMenuBar(p, o->rect);
      return;
    case CE_HeaderSection:
    case CE_HeaderEmptyArea:
      if (!l.button.empty()) {
        // The button's shading across the whole header, parted by thin lines.
        const bool down = element == CE_HeaderSection && (o->state & State_Sunken);
        const QImage& face = l.button[down ? suilook::kPressed : suilook::kNormal];
        const QImage column = face.copy(face.width() / 2, 0, 1, face.height());
        // Its top and bottom rows are the button's border; the header keeps the fill.
        const QImage fill = column.copy(0, 2, 1, std::max(1, column.height() - 4));
        p->save();
        p->drawImage(o->rect, fill);
        p->setPen(Mix(l.controlBorderColor, suilook::Average(fill), 0.45));
        p->drawLine(o->rect.bottomLeft(), o->rect.bottomRight());
        if (element == CE_HeaderSection) p->drawLine(o->rect.right(), o->rect.top() + 3, o->rect.right(), o->rect.bottom() - 3);
        p->restore();
        return;
      }
      break;
    case CE_ShapedFrame:
      if (const auto* f = qstyleoption_cast<const QStyleOptionFrame*>(o); f && f->frameShape == QFrame::StyledPanel) {
        drawPrimitive(PE_Frame, o, p, w);
        return;
      }
      break;
    default:
      break;
  }
  QProxyStyle::drawControl(element, o, p, w);
}

void TsuiStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* o, QPainter* p,
                                   const QWidget* w) const {
  const suilook::Look& l = *look_;
  if (control == CC_ScrollBar && l.scrollButtons.size() == 6 && l.scrollSlider.size() == 3) {
    const auto* sb = qstyleoption_cast<const QStyleOptionSlider*>(o);
    if (!sb) return QProxyStyle::drawComplexControl(control, o, p, w);
    const bool horizontal = sb->orientation == Qt::Horizontal;
    const auto& buttons = horizontal ? hScrollButtons_ : l.scrollButtons;
    const auto& slider = horizontal ? hScrollSlider_ : l.scrollSlider;
    p->save();
    p->fillRect(o->rect, l.scrollBarBackgroundColor);
    const auto state = [&](SubControl sc) {
      const bool active = sb->activeSubControls & sc;
      int k = PartState(o, active);
      return k == suilook::kDisabled ? suilook::kNormal : k;
    };
    const QRect sub = subControlRect(control, sb, SC_ScrollBarSubLine, w);
    const QRect add = subControlRect(control, sb, SC_ScrollBarAddLine, w);
    // Turned a quarter, "up" is left and "down" is right: the frames keep their order.
    if (!sub.isEmpty()) DrawNine(*p, sub, buttons[size_t(state(SC_ScrollBarSubLine))], QMargins(3, 3, 3, 3));
    if (!add.isEmpty()) DrawNine(*p, add, buttons[size_t(3 + state(SC_ScrollBarAddLine))], QMargins(3, 3, 3, 3));
    if (sb->maximum > sb->minimum && (o->state & State_Enabled)) {
      const QRect handle = subControlRect(control, sb, SC_ScrollBarSlider, w);
      const QImage& face = slider[size_t(state(SC_ScrollBarSlider))];
      const QMargins m = horizontal ? QMargins(7, 3, 7, 3) : QMargins(3, 7, 3, 7);
      DrawNine(*p, handle, PlainFace(face, horizontal, 7), m);
      // The grip stays its own size in the middle of a long handle.
      const int grip = 10;
      const QRect mid = horizontal ? QRect(face.width() / 2 - grip / 2, 0, grip, face.height())
                                   : QRect(0, face.height() / 2 - grip / 2, face.width(), grip);
      const QRect to = horizontal ? QRect(handle.center().x() - grip / 2, handle.top(), grip, handle.height())
                                  : QRect(handle.left(), handle.center().y() - grip / 2, handle.width(), grip);
      if ((horizontal ? handle.width() : handle.height()) > grip + 12) p->drawImage(to, face, mid);
    }
    p->restore();
    return;
  }
  if (control == CC_Slider && !l.trackBar.isNull() && l.trackSlider.size() == 3 && l.trackSliderV.size() == 3) {
    const auto* sl = qstyleoption_cast<const QStyleOptionSlider*>(o);
    if (!sl) return QProxyStyle::drawComplexControl(control, o, p, w);
    const bool horizontal = sl->orientation == Qt::Horizontal;
    const QRect groove = subControlRect(control, sl, SC_SliderGroove, w);
    const QImage bar = horizontal ? l.trackBar : Turned(l.trackBar);
    const QRect barRect = horizontal
                              ? QRect(groove.left(), groove.center().y() - bar.height() / 2, groove.width(), bar.height())
                              : QRect(groove.center().x() - bar.width() / 2, groove.top(), bar.width(), groove.height());
    DrawNine(*p, barRect, bar, horizontal ? QMargins(3, 0, 3, 0) : QMargins(0, 3, 0, 3));
    const auto& frames = horizontal ? l.trackSlider : l.trackSliderV;
    int k = PartState(o, sl->activeSubControls & SC_SliderHandle);
    if (k == suilook::kDisabled) k = suilook::kNormal;
    const QImage& knob = frames[size_t(k)];
    const QRect handle = subControlRect(control, sl, SC_SliderHandle, w);
    const QRect at(QPoint(0, 0), knob.size());
    p->drawImage(at.translated(handle.center() - at.center()), knob);
    return;
  }
  if (control == CC_ComboBox) {
    const auto* cb = qstyleoption_cast<const QStyleOptionComboBox*>(o);
    if (!cb) return QProxyStyle::drawComplexControl(control, o, p, w);
    p->save();
    const QRect r = o->rect;
    p->fillRect(r.adjusted(1, 1, -1, -1), o->palette.brush(o->state & State_Enabled ? QPalette::Active : QPalette::Disabled,
                                                          QPalette::Base));
    p->setPen((o->state & State_HasFocus) ? Mix(l.controlBorderColor, l.menuSelectedBackgroundColor, 0.6)
                                          : l.controlBorderColor);
    p->drawRect(r.adjusted(0, 0, -1, -1));
    const QRect arrow = subControlRect(control, cb, SC_ComboBoxArrow, w);
    const bool active = (cb->activeSubControls & SC_ComboBoxArrow) || !cb->editable;
    int k = PartState(o, active);
    if (cb->state & State_On) k = suilook::kPressed;
    if (l.comboButton.size() == 3) {
      DrawNine(*p, arrow, l.comboButton[size_t(std::min(k, 2))], QMargins(3, 3, 3, 3));
    } else if (!l.button.empty()) {
      DrawButtonFace(p, arrow, k);
      Arrow(p, arrow, true, buttonText_);
    } else {
      Arrow(p, arrow, true, o->palette.color(QPalette::Text));
    }
    p->restore();
    return;
  }
  QProxyStyle::drawComplexControl(control, o, p, w);
}

QRect TsuiStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* o, SubControl sub,
                                const QWidget* w) const {
  if (control == CC_ComboBox) {
    const QRect r = o->rect;
    const int bw = std::min(17, r.height());
    switch (sub) {
      case SC_ComboBoxArrow: return QRect(r.right() - bw, r.top() + 1, bw, r.height() - 2);
      case SC_ComboBoxEditField: return r.adjusted(4, 1, -bw - 2, -1);
      case SC_ComboBoxFrame: return r;
      case SC_ComboBoxListBoxPopup: return r;
      default: break;
    }
  }
  return QProxyStyle::subControlRect(control, o, sub, w);
}

int TsuiStyle::pixelMetric(PixelMetric metric, const QStyleOption* o, const QWidget* w) const {
  const suilook::Look& l = *look_;
  switch (metric) {
    case PM_ScrollBarExtent:
      if (!l.scrollButtons.empty()) return std::clamp(l.scrollButtons[0].width(), 10, 24);
      break;
    case PM_ScrollBarSliderMin: return 20;
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
      if (!l.checkBox.empty()) return metric == PM_IndicatorWidth ? l.checkBox[0].width() : l.checkBox[0].height();
      break;
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
      if (!l.radioButton.empty())
        return metric == PM_ExclusiveIndicatorWidth ? l.radioButton[0].width() : l.radioButton[0].height();
      break;
    case PM_SliderLength:
    case PM_SliderThickness:
      if (const auto* sl = qstyleoption_cast<const QStyleOptionSlider*>(o); sl && l.trackSlider.size() == 3) {
        const QSize knob = (sl->orientation == Qt::Horizontal ? l.trackSlider : l.trackSliderV)[0].size();
        const bool horizontal = sl->orientation == Qt::Horizontal;
        if (metric == PM_SliderLength) return horizontal ? knob.width() : knob.height();
        return horizontal ? knob.height() : knob.width();
      }
      break;
    case PM_MenuPanelWidth: return 1;
    case PM_MenuHMargin: return 0;
    case PM_MenuVMargin: return 1;
    case PM_SubMenuOverlap: return -1;
    case PM_MenuBarPanelWidth: return 0;
    case PM_MenuBarVMargin: return 0;
    case PM_MenuBarHMargin: return 2;
    case PM_MenuBarItemSpacing: return 0;
    case PM_DefaultFrameWidth: return 1;
    case PM_ButtonShiftHorizontal:
    case PM_ButtonShiftVertical: return 1;
    default: break;
  }
  return QProxyStyle::pixelMetric(metric, o, w);
}

QSize TsuiStyle::sizeFromContents(ContentsType type, const QStyleOption* o, const QSize& size, const QWidget* w) const {
  switch (type) {
    case CT_MenuItem:
      if (const auto* mi = qstyleoption_cast<const QStyleOptionMenuItem*>(o)) {
        if (mi->menuItemType == QStyleOptionMenuItem::Separator) return QSize(size.width(), menu_.separatorHeight);
        const bool sub = mi->menuItemType == QStyleOptionMenuItem::SubMenu;
        const bool shortcut = mi->text.contains('\t');
        return QSize(menu_.barWidth + 6 + size.width() + (shortcut ? 24 : 0) + (sub ? 26 : 20), menu_.itemHeight);
      }
      break;
    case CT_MenuBarItem:
      return QSize(size.width() + 16, std::max(size.height() + 4, 20));
    case CT_PushButton: {
      const QSize s = QProxyStyle::sizeFromContents(type, o, size, w);
      return QSize(s.width(), std::max(s.height(), 23));
    }
    case CT_ComboBox: {
      const QSize s = QProxyStyle::sizeFromContents(type, o, size, w);
      return QSize(s.width(), std::max(s.height(), 22));
    }
    default:
      break;
  }
  return QProxyStyle::sizeFromContents(type, o, size, w);
}

int TsuiStyle::styleHint(StyleHint hint, const QStyleOption* o, const QWidget* w, QStyleHintReturn* r) const {
  switch (hint) {
    case SH_DrawMenuBarSeparator: return 0;
    case SH_MenuBar_MouseTracking:
    case SH_Menu_MouseTracking: return 1;
    case SH_ComboBox_Popup: return 0;
    case SH_ScrollBar_Transient: return 0;
    case SH_ItemView_ShowDecorationSelected: return 1;
    default: break;
  }
  return QProxyStyle::styleHint(hint, o, w, r);
}
