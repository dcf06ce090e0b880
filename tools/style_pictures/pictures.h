#pragma once
// The pictures of a look, drawn from a handful of colours and shapes: the five
// built-in styles take theirs from here at build time, and the shipped skins were
// made from it once and are kept as image files.
//
// Strip layouts (frames from the left, all of one width):
//   BUTTON             4: normal, hot, pressed, disabled
//   CHECKBOX, RADIO    4: unchecked, checked, unchecked disabled, checked disabled
//   TITLEBTN          18: close, maximise, minimise, restore, help, control box;
//                         each normal, hot, pressed
//   SCROLLBAR_BUTTON   6: up normal, hot, pressed; down normal, hot, pressed
//                         (left and right are up and down turned a quarter)
//   SCROLLBAR_TRACK    3: the slider normal, hot, pressed (vertical; turned for
//                         horizontal bars)
//   TRACKBAR_SLIDER(_V) 3: normal, hot, pressed
//   COMBOBOX_BUTTON    3: normal, hot, pressed
//   CHECKLIST          2: unchecked, checked
//   SCROLLBUTTON       4: up, down, left, right
//   TAB                3: normal, hot, selected
// Magenta (255, 0, 255) is the see-through colour of every picture.
#include <QColor>
#include <QImage>
#include <map>
#include <string>

namespace stylepictures {

enum class TitleButtons { Circles, Rounded, Flat };

struct Palette {
  // Title bar.
  QColor titleTop, titleBottom, titleLine;
  bool titleGloss = false;
  bool titlePinstripe = false;
  int titleHeight = 24;
  int corner = 0;  // round top corners of the window
  // Title bar buttons.
  TitleButtons titleButtons = TitleButtons::Flat;
  int titleButtonSize = 18;
  int titleButtonTop = 2;  // from the top of the bar
  bool titleButtonKeyed = false;  // see-through corners; else the bar is drawn behind
  QColor glyph, titleFace, closeFace;
  // Push buttons.
  QColor faceTop, faceBottom, border, hotTop, hotBottom, hotBorder, downTop, downBottom;
  int radius = 3;
  bool gloss = false;
  bool buttonKeyed = false;
  // What the pictures sit on.
  QColor formBg;
  // Marks, sliders, progress.
  QColor accent, accentDark;
  // Scroll bars.
  QColor scrollTop, scrollBottom, scrollBorder, arrow;
  int scrollSize = 16;
};

// Every picture of a look by its kind (BUTTON, TITLE_LEFT, ...).
std::map<std::string, QImage> DrawLook(const Palette& palette);

// Extras some built-in styles draw with.
QImage Pinstripes(QColor light, QColor dark, int width, int height);
QImage Gradient(QColor top, QColor bottom, int width, int height, bool gloss);
QImage Grain(QColor base, int size);

}  // namespace stylepictures
