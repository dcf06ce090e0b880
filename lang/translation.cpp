#include "lang/translation.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFont>
#include <QHeaderView>
#include <QLayout>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QScopeGuard>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <string>

#include "lang/mlang.h"
#include "platform/text.h"

namespace qlang {
namespace {

constexpr char kCharsetProperty[] = "qlangFontCharset";

bool Listed(const TMLang::Names& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

std::string NameOf(const QObject& o) { return qtext::FromQ(o.objectName()); }

std::string Indexed(const std::string& key, int i) { return key + "[" + std::to_string(i) + "]"; }

// By class name: a hosted control module carries its own copy of TMLang, which a
// cast from this copy does not recognise.
bool IsLanguageComponent(const QObject* o) { return o->inherits("TMLang"); }

bool HoldsLanguage(const QObject& o) {
  const auto& children = o.children();
  return std::any_of(children.begin(), children.end(), [](const QObject* c) { return IsLanguageComponent(c); });
}

void Walk(const QObject& o, std::vector<QObject*>& out) {
  for (QObject* c : o.children()) {
    if (IsLanguageComponent(c) || HoldsLanguage(*c)) continue;
    const QString name = c->objectName();
    if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && !qobject_cast<QLayout*>(c)) out.push_back(c);
    Walk(*c, out);
  }
}

std::optional<QMetaProperty> TypedProperty(const QObject& o, std::string_view name, QMetaType::Type type) {
  auto p = FindProperty(o, name);
  if (p && p->metaType().id() == type) return p;
  return std::nullopt;
}

// A kind the class declares; item-view kinds count on item views only.
std::optional<Kind> DeclaredKind(const QObject& o) {
  const QMetaObject* mo = o.metaObject();
  const int i = mo->indexOfClassInfo("LangKind");
  if (i < 0) return std::nullopt;
  const std::string_view v = mo->classInfo(i).value();
  if (v == "Splitter") return Kind::Splitter;
  if (v == "Timer") return Kind::Timer;
  if (v == "Other") return Kind::Other;
  if (!qobject_cast<const QAbstractItemView*>(&o)) return std::nullopt;
  if (v == "ListView") return Kind::ListView;
  if (v == "TreeView") return Kind::TreeView;
  if (v == "HeaderControl") return Kind::HeaderControl;
  if (v == "DataGrid") return Kind::DataGrid;
  return std::nullopt;
}

int PointSize(const QObject& o, const QFont& f) {
  if (f.pointSize() > 0) return f.pointSize();
  const auto* w = qobject_cast<const QWidget*>(&o);
  const int dpi = w ? w->logicalDpiY() : 96;
  return std::max(1, qRound(f.pixelSize() * 72.0 / dpi));
}

// Changes a published font; an equal font is not set again, so a control that follows
// its window's font goes on following it.
template <typename Change>
void ChangeFont(QObject& o, const QMetaProperty& p, Change change) {
  const QFont before = p.read(&o).value<QFont>();
  QFont f = before;
  change(f);
  if (f != before) p.write(&o, f);
}

bool UsableCharset(int c) { return c >= 0 && c <= 255; }

// Model texts: read as shown, written as edited.
std::string CellText(const QModelIndex& i) { return qtext::FromQ(i.data(Qt::DisplayRole).toString()); }

void SetCellText(QAbstractItemModel& m, const QModelIndex& i, const std::string& text) {
  if (!m.setData(i, qtext::ToQ(text), Qt::EditRole)) m.setData(i, qtext::ToQ(text), Qt::DisplayRole);
}

void Nodes(const QAbstractItemModel& m, const QModelIndex& parent, std::vector<QPersistentModelIndex>& out) {
  for (int r = 0; r < m.rowCount(parent); ++r) {
    const QModelIndex i = m.index(r, 0, parent);
    out.emplace_back(i);
    Nodes(m, i, out);
  }
}

class Pass {
 public:
  explicit Pass(TMLang& lang) : lang_(lang), owner_(*lang.Owner()), ownerName_(NameOf(owner_)) {}

  void Run() {
    OwnerFont();
    for (const auto& p : lang_.StringProperties()) {
      if (lang_.IgnoreFormCaption() && p == "Caption") continue;
      TextRule(owner_, ownerName_, p);
    }
    for (const auto& p : lang_.StringsProperties()) ListRule(owner_, ownerName_, p);
    // A setter may delete what comes later; visit only what still lives.
    std::vector<QPointer<QObject>> components;
    for (QObject* c : Components(owner_)) components.emplace_back(c);
    for (const auto& c : components)
      if (c) Component(*c);
  }

 private:
  // Applies the key rule and hands a translation to set.
  template <typename Set>
  void Rule(const std::string& key, const std::string& current, Set set) {
    const std::string text = lang_.KeyRule(key, current);
    if (!text.empty()) set(text);
  }

  void TextRule(QObject& o, const std::string& name, const std::string& p) {
    const auto prop = TypedProperty(o, p, QMetaType::QString);
    if (!prop) return;
    Rule(name + "_" + p, qtext::FromQ(prop->read(&o).toString()),
         [&](const std::string& t) { prop->write(&o, qtext::ToQ(t)); });
  }

  void ListRule(QObject& o, const std::string& name, const std::string& p) {
    const auto prop = TypedProperty(o, p, QMetaType::QStringList);
    if (!prop) return;
    QStringList lines = prop->read(&o).toStringList();
    bool changed = false;
    // Lines translated before a refused fill keep their new texts.
    const auto store = qScopeGuard([&] {
      if (changed) prop->write(&o, lines);
    });
    for (int i = 0; i < lines.size(); ++i)
      Rule(Indexed(name + "_" + p, i), qtext::FromQ(lines[i]), [&](const std::string& t) {
        lines[i] = qtext::ToQ(t);
        changed = true;
      });
  }

  void OwnerFont() {
    const auto prop = TypedProperty(owner_, "Font", QMetaType::QFont);
    if (!prop || !prop->isWritable()) return;
    const bool fill = lang_.AutoCreateMode();
    const std::string face = lang_.ReadValue(ownerName_ + "_FontName");
    if (!face.empty())
      ChangeFont(owner_, *prop, [&](QFont& f) { f.setFamily(qtext::ToQ(face)); });
    else if (fill)
      lang_.WriteValue(ownerName_ + "_FontName", qtext::FromQ(prop->read(&owner_).value<QFont>().family()),
                       lang_.AddBracket());
    const int size = lang_.ReadInt(ownerName_ + "_FontSize").value_or(0);
    if (size > 0)
      ChangeFont(owner_, *prop, [&](QFont& f) { f.setPointSize(size); });
    else if (size == 0 && fill)
      lang_.WriteValue(ownerName_ + "_FontSize", std::to_string(PointSize(owner_, prop->read(&owner_).value<QFont>())),
                       false);
    const int charset = lang_.ReadInt(ownerName_ + "_FontCharset").value_or(-1);
    if (UsableCharset(charset))
      SetFontCharset(owner_, charset);
    else if (charset == -1 && fill)
      lang_.WriteValue(ownerName_ + "_FontCharset", std::to_string(FontCharset(owner_)), false);
  }

  void ComponentFont(QObject& c, const std::string& name) {
    auto font = TypedProperty(c, "Font", QMetaType::QFont);
    if (font && !font->isWritable()) font.reset();
    const auto fontName = TypedProperty(c, "FontName", QMetaType::QString);
    const auto fontSize = TypedProperty(c, "FontSize", QMetaType::Int);
    const auto fontCharset = TypedProperty(c, "FontCharset", QMetaType::Int);
    const auto changeFont = [&](auto change) {
      if (font) ChangeFont(c, *font, change);
    };

    std::string face = lang_.ReadValue(name + "_FontName");
    if (face.empty()) face = lang_.ReadValue(ownerName_ + "_FontName");
    if (!face.empty()) {
      changeFont([&](QFont& f) { f.setFamily(qtext::ToQ(face)); });
      if (fontName) fontName->write(&c, qtext::ToQ(face));
    }

    int size = lang_.ReadInt(name + "_FontSize").value_or(0);
    if (size == 0 && Listed(lang_.SaveFontSizeCtrls(), name)) {
      std::optional<int> own;
      if (font)
        own = PointSize(c, font->read(&c).value<QFont>());
      else if (fontSize)
        own = fontSize->read(&c).toInt();
      if (own && lang_.AutoCreateMode()) lang_.WriteValue(name + "_FontSize", std::to_string(*own), false);
    } else {
      if (size == 0) size = lang_.ReadInt(ownerName_ + "_FontSize").value_or(0);
      if (size > 0) {
        changeFont([&](QFont& f) { f.setPointSize(size); });
        if (fontSize) fontSize->write(&c, size);
      }
    }

    int charset = lang_.ReadInt(name + "_FontCharset").value_or(-1);
    if (charset == -1) charset = lang_.ReadInt(ownerName_ + "_FontCharset").value_or(-1);
    if (UsableCharset(charset)) {
      if (font) SetFontCharset(c, charset);
      if (fontCharset) fontCharset->write(&c, charset);
    }
  }

  void Component(QObject& c) {
    const std::string name = NameOf(c);
    ComponentFont(c, name);
    const Kind kind = KindOf(c);
    if (kind == Kind::Splitter || kind == Kind::Timer) return;
    if (Listed(lang_.IgnoreControls(), name)) return;
    auto* view = qobject_cast<QAbstractItemView*>(&c);
    switch (kind) {
      case Kind::ListView:
        ListView(*view, name);
        return;
      case Kind::TreeView:
        if (!lang_.IncludeTreeViewItems()) break;
        TreeView(*view, name);
        return;
      case Kind::HeaderControl:
        Sections(*view, name + "_SectionsText");
        return;
      case Kind::DataGrid:
        Sections(*view, name + "_ColumnsCaption");
        return;
      default:
        break;
    }
    auto* combo = kind == Kind::ComboBox ? qobject_cast<QComboBox*>(&c) : nullptr;
    const int selected = combo ? combo->currentIndex() : -1;
    const auto reselect = qScopeGuard([&] {
      if (combo && combo->currentIndex() != selected) combo->setCurrentIndex(selected);
    });
    for (const auto& p : lang_.StringProperties()) TextRule(c, name, p);
    for (const auto& p : lang_.StringsProperties()) ListRule(c, name, p);
  }

  // Header sections along the header's orientation, columns for any other view.
  void Sections(QAbstractItemView& view, const std::string& key) {
    QAbstractItemModel* m = view.model();
    if (!m) return;
    const auto* header = qobject_cast<QHeaderView*>(&view);
    const Qt::Orientation o = header ? header->orientation() : Qt::Horizontal;
    const int count = o == Qt::Horizontal ? m->columnCount(view.rootIndex()) : m->rowCount(view.rootIndex());
    for (int i = 0; i < count; ++i)
      Rule(Indexed(key, i), qtext::FromQ(m->headerData(i, o, Qt::DisplayRole).toString()),
           [&](const std::string& t) {
             if (!m->setHeaderData(i, o, qtext::ToQ(t), Qt::EditRole)) m->setHeaderData(i, o, qtext::ToQ(t));
           });
  }

  void ListView(QAbstractItemView& view, const std::string& name) {
    QAbstractItemModel* m = view.model();
    if (!m) return;
    if (lang_.IncludeListViewHead()) Sections(view, name + "_ColumnCaption");
    if (!lang_.IncludeListViewItems()) return;
    // Rows are held by persistent indexes: a sorted view moves them as captions change.
    const QModelIndex root = view.rootIndex();
    std::vector<QPersistentModelIndex> rows;
    for (int r = 0; r < m->rowCount(root); ++r) rows.emplace_back(m->index(r, 0, root));
    const int subItems = m->columnCount(root) - 1;
    for (int i = 0; i < int(rows.size()); ++i) {
      const QPersistentModelIndex item = rows[size_t(i)];
      if (!item.isValid()) continue;
      Rule(Indexed(name + "_ItemCaption", i), CellText(item), [&](const std::string& t) { SetCellText(*m, item, t); });
      for (int j = 0; j < subItems && item.isValid(); ++j) {
        const QPersistentModelIndex sub = item.sibling(item.row(), j + 1);
        Rule(Indexed(Indexed(name + "_SubItem", i) + "Caption", j), CellText(sub),
             [&](const std::string& t) { SetCellText(*m, sub, t); });
      }
    }
  }

  void TreeView(QAbstractItemView& view, const std::string& name) {
    QAbstractItemModel* m = view.model();
    if (!m) return;
    std::vector<QPersistentModelIndex> nodes;
    Nodes(*m, view.rootIndex(), nodes);
    for (int i = 0; i < int(nodes.size()); ++i) {
      const QPersistentModelIndex node = nodes[size_t(i)];
      if (node.isValid())
        Rule(Indexed(name + "_ItemText", i), CellText(node), [&](const std::string& t) { SetCellText(*m, node, t); });
    }
  }

  TMLang& lang_;
  QObject& owner_;
  const std::string ownerName_;
};

}  // namespace

Kind KindOf(const QObject& o) {
  if (const auto declared = DeclaredKind(o)) return *declared;
  if (qobject_cast<const QSplitter*>(&o) || qobject_cast<const QSplitterHandle*>(&o)) return Kind::Splitter;
  if (qobject_cast<const QTimer*>(&o)) return Kind::Timer;
  if (qobject_cast<const QComboBox*>(&o)) return Kind::ComboBox;
  if (qobject_cast<const QHeaderView*>(&o)) return Kind::HeaderControl;
  if (qobject_cast<const QTableView*>(&o)) return Kind::DataGrid;
  if (const auto* tree = qobject_cast<const QTreeView*>(&o))
    return !tree->isHeaderHidden() && !tree->rootIsDecorated() ? Kind::ListView : Kind::TreeView;
  return Kind::Other;
}

std::vector<QObject*> Components(const QObject& owner) {
  std::vector<QObject*> out;
  Walk(owner, out);
  return out;
}

std::optional<QMetaProperty> FindProperty(const QObject& o, std::string_view name) {
  const QMetaObject* mo = o.metaObject();
  for (int i = 0; i < mo->propertyCount(); ++i)
    if (qtext::SameText(mo->property(i).name(), name)) return mo->property(i);
  return std::nullopt;
}

int FontCharset(const QObject& o) {
  const QVariant v = o.property(kCharsetProperty);
  return v.isValid() ? v.toInt() : kDefaultCharset;
}

void SetFontCharset(QObject& o, int charset) { o.setProperty(kCharsetProperty, charset); }

void TranslateWindow(TMLang& lang) {
  if (!lang.OwnerIsVisual() || lang.FilePath().empty()) return;
  Pass(lang).Run();
}

}  // namespace qlang
