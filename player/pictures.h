#pragma once
// The pictures of the control bar, the logo page and the browser strip, drawn by code
// to the sizes the control's layout is built on. A button has one picture per state.
#include <QColor>
#include <QImage>

namespace qplayer::pictures {

enum class State { Normal, Hover, Down, Disabled };

// Image buttons.
enum class Button { Menu, Play, Pause, Stop, Sound, SoundMuted, HideBar, CloseStrip };
QSize ButtonSize(Button button);
QImage ButtonPicture(Button button, State state);

// Image panels of the control bar: the two ends and the stretched middle of the
// status display, and the tiled ground under the volume bar.
enum class Panel { DisplayLeft, DisplayMiddle, DisplayRight, VolumeGround };
QSize PanelSize(Panel panel);
QImage PanelPicture(Panel panel);

// The logo page's ground, drawn at the page's size.
QImage LogoGround(QSize size);

// Colours the widgets paint with, so the pictures and the widgets agree.
QColor BarLine();          // the line between the video area and the bar
QColor DisplayText();      // status text on the display
QColor StripGround();      // browser strip
QColor Accent();           // volume level, play button
QColor BrandRed();         // brand link

}  // namespace qplayer::pictures
