#pragma once
// Layout helpers the windows and dialogs share.
#include <initializer_list>

#include "skin/theme_manager.h"

class QBoxLayout;
class QPushButton;
class QWidget;
class QVBoxLayout;
class TPanel;
class TsuiFileTheme;
class TsuiForm;

namespace dlg {

// The layout without margins or spacing: the designed places are set by hand.
QBoxLayout* Bare(QBoxLayout* layout);
// A button as wide as its caption with some air and at least minimumWidth; with a
// minimumHeight, also of fixed height, at least that and what the style asks. A
// language file may lengthen a caption, and the style's default would squeeze it.
void FitToCaption(QPushButton* button, int minimumWidth, int minimumHeight = 0);
// Places the dialog's client area over the centre of the owner's: the dialog's frame
// is not known before its first showing, and the window system gives both the same.
void CentreOver(QWidget* dialog, const QWidget* owner);
// A fixed-size dialog's skinned frame with only the close button, and the panel that
// fills it below its title bar; the panel's layout, with the dialogs' margins.
QVBoxLayout* MakeFixedFrame(QWidget* dialog, TsuiForm*& frame, TPanel*& panel);
// The dialog's buttons in a row at the bottom right of the panel, the first the
// default, whatever height the frame's title bar leaves the panel.
void AddButtonRow(QBoxLayout* panel, std::initializer_list<QPushButton*> buttons);
// A dialog's theme manager, named name, and its theme file component, looking after
// the named components in the given style until the main window lends its look.
void MakeLook(QWidget* dialog, const char* name, const TsuiThemeMgrCompList& components, TsuiUIStyle style,
              TsuiThemeManager*& manager, TsuiFileTheme*& fileTheme);

}  // namespace dlg
