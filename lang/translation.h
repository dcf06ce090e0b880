#pragma once
// The translation pass over a window: the owner's font, texts and lists, then every
// component's font, texts, lists, columns, items, nodes and sections, each through the
// key rule of the window's language component (TMLang). The rewrite of its StrList
// stays in TMLang::DoUpdateLangRes, which calls TranslateWindow first.
//
// How a window and its controls take part (the rules skinned controls and windows follow):
//
// Components. The components of a window are its descendant QObjects, depth first in
// children() order (the order of creation; raise() and lower() move a widget to the end
// or the front). An object is a component when its objectName() is set and does not
// begin with "qt_", and it is no layout. Qt's own inner parts are mostly unnamed or
// "qt_"-named; the few others, such as a tab bar's scroll buttons, only take the
// window's font. Unnamed and "qt_" objects are still walked through. An object that
// holds a language component of its own (a child TMLang: another window, a frame, a
// hosted control form) is translated by that one into its own section, so the walk
// leaves it and everything inside it alone. Language components are no components.
//
// Texts and lists. A component's texts and lists are its published properties
// (Q_PROPERTY), found by name without regard to case: QString properties for the names
// of StringProperties ("Caption", "Hint"), QStringList properties for the names of
// StringsProperties ("Items", "Tabs"). A window publishes Caption for its title; a menu
// item (a QAction subclass) publishes Caption and Hint like any control. Write a list
// property so that it replaces the texts in place (QComboBox::setItemText per line): a
// combo box gets its selected index back after the pass either way.
//
// Fonts. A component has a font when it publishes a writable QFont property "Font"
// (QWidget's and QAction's "font" count). Sizes are in points; a font set in pixels
// reports its size in points at the widget's logical DPI. Qt fonts cover every script, so
// the character set (0..255) draws nothing differently: it is kept as the object's dynamic
// property "qlangFontCharset" (FontCharset / SetFontCharset below, default 1), so the
// language file round-trips. A component without a font may publish "FontName"
// (QString), "FontSize" and "FontCharset" (int) values instead, or beside it; the pass
// sets both. A size below 1 and a character set outside 0..255 in the file are not used.
//
// Kinds (KindOf):
//  - a class that declares Q_CLASSINFO("LangKind", "Splitter" | "Timer" | "Other") is
//    of that kind; an item view (QAbstractItemView) may also declare "ListView",
//    "TreeView", "HeaderControl" or "DataGrid" (a declaration is inherited);
//  - otherwise QSplitter, QSplitterHandle: splitter; QTimer: timer (only their fonts are
//    handled); QComboBox: combo box (texts and lists, selected index kept); QHeaderView:
//    header control (its model's header sections along its orientation); QTableView:
//    data grid (its horizontal header captions); a QTreeView in report style, that is
//    showing its header without root decoration: list view; any other QTreeView: tree
//    view;
//  - anything else, list boxes (QListView, QListWidget) too: other (texts and lists).
// A list view's columns are its model's horizontal header sections, its items the rows
// under its root index: column 0 is the item caption, column j + 1 its sub-item j. A tree
// view's nodes are the column-0 cells of its model, counted depth first. Texts are read
// in the display role and written in the edit role.
#include <QMetaProperty>
#include <QObject>
#include <optional>
#include <string_view>
#include <vector>

class TMLang;

namespace qlang {

enum class Kind { Other, ListView, TreeView, HeaderControl, DataGrid, ComboBox, Splitter, Timer };

Kind KindOf(const QObject& o);

// The window's components in the order the pass visits them.
std::vector<QObject*> Components(const QObject& owner);

// A published property by name, compared without regard to case.
std::optional<QMetaProperty> FindProperty(const QObject& o, std::string_view name);

// The character set of an object's font; kDefaultCharset until one is set.
constexpr int kDefaultCharset = 1;
int FontCharset(const QObject& o);
void SetFontCharset(QObject& o, int charset);

// The owner's font, texts and lists, then each component; nothing without an open file
// or for a data module. Throws "Unable to write to %s" from a refused fill; what was
// applied before it stays.
void TranslateWindow(TMLang& lang);

}  // namespace qlang
