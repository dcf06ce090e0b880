// quillon-style-pictures: draws the pictures of the five built-in styles into bitmap
// files with the resource list that embeds them (run by the build), and the image
// files and description of a shipped skin (run by hand; its output is kept in
// data/skins/ and built into a skin file by quillon-skin).
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "tools/style_pictures/pictures.h"

using namespace stylepictures;

namespace {

QColor C(int r, int g, int b) { return QColor(r, g, b); }

struct Look {
  const char* prefix;  // the resource names' prefix, or the skin's name
  Palette palette;
};

Palette MacOS() {
  Palette c;
  c.titleTop = C(238, 238, 238), c.titleBottom = C(200, 200, 204), c.titleLine = C(150, 150, 150);
  c.titlePinstripe = true, c.titleHeight = 23;
  c.titleButtons = TitleButtons::Circles, c.titleButtonSize = 15, c.titleButtonTop = 4, c.titleButtonKeyed = false;
  c.glyph = C(60, 60, 60), c.titleFace = C(200, 200, 200), c.closeFace = C(236, 82, 72);
  c.faceTop = C(255, 255, 255), c.faceBottom = C(214, 220, 230), c.border = C(127, 127, 127);
  c.hotTop = C(214, 234, 255), c.hotBottom = C(150, 196, 246), c.hotBorder = C(70, 120, 200);
  c.downTop = C(120, 172, 236), c.downBottom = C(58, 118, 210);
  c.radius = 10, c.gloss = true, c.buttonKeyed = true;
  c.formBg = C(231, 231, 231);
  c.accent = C(40, 100, 200), c.accentDark = C(30, 80, 170);
  c.scrollTop = C(150, 190, 240), c.scrollBottom = C(60, 120, 210), c.scrollBorder = C(90, 110, 150), c.arrow = C(60, 60, 60);
  c.scrollSize = 15;
  return c;
}

Palette WinXP() {
  Palette c;
  c.titleTop = C(58, 140, 255), c.titleBottom = C(0, 72, 214), c.titleLine = C(0, 44, 160);
  c.titleGloss = true, c.titleHeight = 30, c.corner = 8;
  c.titleButtons = TitleButtons::Rounded, c.titleButtonSize = 21, c.titleButtonTop = 5;
  c.glyph = C(255, 255, 255), c.titleFace = C(40, 110, 240), c.closeFace = C(226, 84, 44);
  c.faceTop = C(255, 255, 255), c.faceBottom = C(232, 230, 222), c.border = C(0, 60, 116);
  c.hotTop = C(255, 250, 236), c.hotBottom = C(250, 222, 160), c.hotBorder = C(230, 150, 20);
  c.downTop = C(222, 220, 212), c.downBottom = C(240, 238, 232);
  c.radius = 3;
  c.formBg = C(239, 235, 222);
  c.accent = C(33, 161, 33), c.accentDark = C(20, 120, 20);
  c.scrollTop = C(230, 238, 255), c.scrollBottom = C(186, 206, 250), c.scrollBorder = C(150, 174, 230), c.arrow = C(77, 97, 133);
  c.scrollSize = 17;
  return c;
}

Palette DeepBlue() {
  Palette c;
  c.titleTop = C(62, 70, 160), c.titleBottom = C(24, 30, 96), c.titleLine = C(10, 12, 50);
  c.titleHeight = 23;
  c.titleButtons = TitleButtons::Flat, c.titleButtonSize = 19, c.titleButtonTop = 2;
  c.glyph = C(235, 238, 255), c.titleFace = C(90, 100, 200), c.closeFace = C(200, 50, 60);
  c.faceTop = C(246, 247, 252), c.faceBottom = C(204, 208, 232), c.border = C(68, 74, 160);
  c.hotTop = C(236, 240, 255), c.hotBottom = C(180, 190, 245), c.hotBorder = C(40, 50, 180);
  c.downTop = C(170, 178, 225), c.downBottom = C(210, 214, 240);
  c.radius = 2;
  c.formBg = C(232, 232, 232);
  c.accent = C(68, 74, 160), c.accentDark = C(40, 44, 120);
  c.scrollTop = C(226, 228, 244), c.scrollBottom = C(190, 196, 228), c.scrollBorder = C(110, 116, 180), c.arrow = C(40, 44, 110);
  return c;
}

Palette Protein() {
  Palette c;
  c.titleTop = C(104, 108, 122), c.titleBottom = C(50, 53, 63), c.titleLine = C(24, 26, 32);
  c.titleHeight = 23;
  c.titleButtons = TitleButtons::Flat, c.titleButtonSize = 19, c.titleButtonTop = 2, c.titleButtonKeyed = true;
  c.glyph = C(240, 242, 248), c.titleFace = C(45, 48, 196), c.closeFace = C(210, 50, 50);
  c.faceTop = C(255, 255, 255), c.faceBottom = C(222, 224, 230), c.border = C(128, 130, 140);
  c.hotTop = C(246, 248, 255), c.hotBottom = C(212, 216, 246), c.hotBorder = C(45, 48, 196);
  c.downTop = C(200, 204, 222), c.downBottom = C(232, 234, 242);
  c.radius = 3;
  c.formBg = C(251, 251, 251);
  c.accent = C(45, 48, 196), c.accentDark = C(30, 32, 150);
  c.scrollTop = C(248, 248, 250), c.scrollBottom = C(214, 216, 224), c.scrollBorder = C(150, 152, 164), c.arrow = C(70, 72, 84);
  return c;
}

Palette BlueGlass() {
  Palette c;
  c.titleTop = C(130, 170, 246), c.titleBottom = C(50, 96, 210), c.titleLine = C(30, 60, 150);
  c.titleGloss = true, c.titleHeight = 30, c.corner = 11;
  c.titleButtons = TitleButtons::Rounded, c.titleButtonSize = 18, c.titleButtonTop = 6, c.titleButtonKeyed = true;
  c.glyph = C(255, 255, 255), c.titleFace = C(70, 120, 230), c.closeFace = C(214, 64, 64);
  c.faceTop = C(236, 244, 255), c.faceBottom = C(160, 192, 246), c.border = C(80, 110, 190);
  c.hotTop = C(246, 250, 255), c.hotBottom = C(130, 176, 255), c.hotBorder = C(60, 90, 220);
  c.downTop = C(120, 160, 236), c.downBottom = C(90, 130, 220);
  c.radius = 7, c.gloss = true, c.buttonKeyed = true;
  c.formBg = C(231, 231, 231);
  c.accent = C(94, 94, 236), c.accentDark = C(60, 60, 200);
  c.scrollTop = C(200, 220, 255), c.scrollBottom = C(120, 160, 236), c.scrollBorder = C(90, 120, 200), c.arrow = C(40, 60, 140);
  return c;
}

// The shipped skins: a dark one, a green one and a warm one.
Palette Ember() {
  Palette c;
  c.titleTop = C(64, 64, 70), c.titleBottom = C(30, 30, 34), c.titleLine = C(240, 120, 30);
  c.titleHeight = 26;
  c.titleButtons = TitleButtons::Flat, c.titleButtonSize = 20, c.titleButtonTop = 3, c.titleButtonKeyed = true;
  c.glyph = C(236, 236, 236), c.titleFace = C(240, 120, 30), c.closeFace = C(220, 60, 40);
  c.faceTop = C(84, 84, 92), c.faceBottom = C(54, 54, 60), c.border = C(24, 24, 28);
  c.hotTop = C(110, 96, 84), c.hotBottom = C(76, 60, 48), c.hotBorder = C(240, 120, 30);
  c.downTop = C(40, 40, 44), c.downBottom = C(64, 64, 70);
  c.radius = 3;
  c.formBg = C(46, 46, 50);
  c.accent = C(240, 120, 30), c.accentDark = C(190, 80, 10);
  c.scrollTop = C(78, 78, 86), c.scrollBottom = C(58, 58, 64), c.scrollBorder = C(24, 24, 28), c.arrow = C(230, 150, 80);
  return c;
}

Palette Jade() {
  Palette c;
  c.titleTop = C(38, 166, 140), c.titleBottom = C(8, 104, 96), c.titleLine = C(4, 70, 64);
  c.titleGloss = true, c.titleHeight = 28, c.corner = 6;
  c.titleButtons = TitleButtons::Circles, c.titleButtonSize = 16, c.titleButtonTop = 6, c.titleButtonKeyed = true;
  c.glyph = C(255, 255, 255), c.titleFace = C(40, 150, 130), c.closeFace = C(230, 90, 80);
  c.faceTop = C(250, 255, 253), c.faceBottom = C(200, 232, 220), c.border = C(60, 140, 120);
  c.hotTop = C(240, 255, 250), c.hotBottom = C(160, 226, 204), c.hotBorder = C(10, 120, 100);
  c.downTop = C(150, 210, 190), c.downBottom = C(200, 236, 224);
  c.radius = 11, c.gloss = true, c.buttonKeyed = true;
  c.formBg = C(234, 245, 240);
  c.accent = C(10, 130, 110), c.accentDark = C(6, 96, 84);
  c.scrollTop = C(214, 240, 230), c.scrollBottom = C(150, 210, 190), c.scrollBorder = C(80, 150, 130), c.arrow = C(20, 90, 80);
  return c;
}

Palette Amethyst() {
  Palette c;
  c.titleTop = C(134, 92, 196), c.titleBottom = C(70, 34, 120), c.titleLine = C(230, 190, 90);
  c.titleHeight = 27, c.corner = 4;
  c.titleButtons = TitleButtons::Rounded, c.titleButtonSize = 19, c.titleButtonTop = 4, c.titleButtonKeyed = true;
  c.glyph = C(255, 244, 214), c.titleFace = C(104, 64, 160), c.closeFace = C(190, 60, 90);
  c.faceTop = C(255, 252, 246), c.faceBottom = C(232, 220, 244), c.border = C(120, 86, 170);
  c.hotTop = C(255, 250, 236), c.hotBottom = C(244, 226, 180), c.hotBorder = C(200, 150, 40);
  c.downTop = C(210, 196, 232), c.downBottom = C(236, 228, 246);
  c.radius = 4;
  c.formBg = C(246, 242, 250);
  c.accent = C(110, 60, 170), c.accentDark = C(80, 40, 130);
  c.scrollTop = C(240, 234, 250), c.scrollBottom = C(208, 192, 232), c.scrollBorder = C(140, 110, 180), c.arrow = C(90, 50, 140);
  return c;
}

bool Save(const QImage& image, const QString& path) {
  if (image.convertToFormat(QImage::Format_RGB32).save(path, "BMP")) return true;
  std::cerr << "quillon-style-pictures: cannot write " << path.toStdString() << "\n";
  return false;
}

int Styles(const QString& outDir) {
  QDir().mkpath(outDir);
  const std::vector<Look> looks = {{"MACOS", MacOS()}, {"WINXP", WinXP()}, {"DEEPBLUE", DeepBlue()},
                                   {"PROTEIN", Protein()}, {"BLUEGLASS", BlueGlass()}};
  std::map<QString, QImage> files;
  for (const Look& look : looks)
    for (const auto& [kind, image] : DrawLook(look.palette)) {
      // DeepBlue, Protein and BlueGlass share one scroll button picture, DeepBlue's.
      const QString prefix(look.prefix);
      if (kind != "SCROLLBUTTON" || prefix == "MACOS" || prefix == "WINXP")
        files[prefix + "_" + QString::fromStdString(kind)] = image;
      else if (prefix == "DEEPBLUE")
        files["MORE_SCROLLBUTTON"] = image;
    }
  const Palette mac = MacOS();
  files["MACOS_FORM_BACKGROUND"] = Pinstripes(C(236, 236, 236), C(226, 226, 226), 8, 4);
  files["MACOS_MENU_BAR"] = Gradient(C(250, 250, 250), C(214, 214, 218), 8, 22, false);
  files["MACOS_MENU_SELECT"] = Gradient(mac.downTop, mac.downBottom, 8, 20, true);
  files["PROTEIN_FORM_BACKGROUND"] = Grain(C(251, 251, 251), 16);

  QFile qrc(outDir + "/styles.qrc");
  if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    std::cerr << "quillon-style-pictures: cannot write " << qrc.fileName().toStdString() << "\n";
    return 1;
  }
  QTextStream list(&qrc);
  list << "<RCC>\n  <qresource prefix=\"/skin/styles\">\n";
  for (const auto& [name, image] : files) {
    if (!Save(image, outDir + "/" + name + ".bmp")) return 1;
    list << "    <file>" << name << ".bmp</file>\n";
  }
  list << "  </qresource>\n</RCC>\n";
  return 0;
}

int Rgb(QColor c) { return c.red() + 256 * c.green() + 65536 * c.blue(); }

int Skin(const QString& name, const QString& outDir) {
  const std::map<QString, Palette> skins = {{"Ember", Ember()}, {"Jade", Jade()}, {"Amethyst", Amethyst()}};
  const auto found = skins.find(name);
  if (found == skins.end()) {
    std::cerr << "quillon-style-pictures: no skin " << name.toStdString() << "\n";
    return 2;
  }
  const Palette& c = found->second;
  const bool dark = c.formBg.lightness() < 128;
  QDir().mkpath(outDir);
  static const std::map<std::string, const char*> items = {
      {"BUTTON", "ButtonImage"},
      {"CHECKBOX", "CheckBoxImage"},
      {"RADIOBUTTON", "RadioButtonImage"},
      {"TITLEBTN", "TitleBarButtonImage"},
      {"TITLE_LEFT", "TitleBarLeftImage"},
      {"TITLE_CLIENT", "TitleBarClientImage"},
      {"TITLE_RIGHT", "TitleBarRightImage"},
      {"PROGRESSBAR", "ProgressBarImage"},
      {"TRACKBAR_BAR", "TrackBarBarImage"},
      {"TRACKBAR_SLIDER", "TrackBarSliderImage"},
      {"TRACKBAR_SLIDER_V", "TrackBarSliderVImage"},
      {"SCROLLBAR_BUTTON", "ScrollBarButtonImage"},
      {"SCROLLBAR_TRACK", "ScrollBarSliderImage"},
      {"CHECKLIST", "CheckListBoxImage"},
      {"SCROLLBUTTON", "ScrollButtonImage"},
      {"TAB", "TabControlTabImage"},
      {"TAB_LINE", "TabControlBarImage"},
      {"SIDECHENNEL_HANDLE", "SideChannelHandleImage"},
      {"SIDECHENNEL_BAR", "SideChannelBarImage"},
  };
  QFile file(outDir + "/" + name + ".txt");
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 1;
  QTextStream d(&file);
  d << "# The " << name << " skin: built into " << name << ".sui by quillon-skin build.\n";
  for (const auto& [kind, image] : DrawLook(c)) {
    const auto item = items.find(kind);
    if (item == items.end()) continue;
    if (!Save(image, outDir + "/" + item->second + ".bmp")) return 1;
    d << "file " << item->second << " " << item->second << ".bmp\n";
  }
  // The frame's sides and bottom, shaded like the title bar.
  const int border = 4;
  if (!Save(Gradient(c.titleBottom, c.titleBottom.darker(140), border, 8, false).transformed(QTransform().rotate(90)),
            outDir + "/FormLeftBorderImage.bmp") ||
      !Save(Gradient(c.titleBottom, c.titleBottom.darker(140), 8, border, false), outDir + "/FormBottomBorderImage.bmp"))
    return 1;
  d << "file FormLeftBorderImage FormLeftBorderImage.bmp\nfile FormBottomBorderImage FormBottomBorderImage.bmp\n";
  const QColor text = dark ? C(232, 232, 232) : C(24, 24, 28);
  const QColor menuBg = dark ? C(58, 58, 64) : C(255, 255, 255);
  const QColor selectedText = dark ? C(255, 255, 255) : C(255, 255, 255);
  const std::vector<std::pair<const char*, int>> ints = {
      {"TitleBarButtonLeftOffsetInt", 2},
      {"TitleBarButtonRightOffsetInt", -4},
      {"TitleBarButtonTopInt", c.titleButtonTop},
      {"FormMinWidthInt", 180},
      {"FormRoundCornerInt", c.corner},
      {"FormBorderWidthInt", border},
      {"FormBottomRoundCornerInt", 0},
      {"FormBackgroundColor", Rgb(c.formBg)},
      {"FormBorderColor", Rgb(c.titleLine)},
      {"MenuSelectedBorderColor", Rgb(c.accentDark)},
      {"MenuSelectedBackgroundColor", Rgb(c.accent)},
      {"MenuSelectedFontColor", Rgb(selectedText)},
      {"MenuBackgroundColor", Rgb(menuBg)},
      {"MenuFontColor", Rgb(text)},
      {"MenuBarColor", Rgb(dark ? C(40, 40, 44) : c.formBg.darker(108))},
      {"ControlBorderColor", Rgb(dark ? C(20, 20, 22) : c.border)},
      {"ControlBackgroundColor", Rgb(dark ? C(36, 36, 40) : C(255, 255, 255))},
      {"ControlFontColor", Rgb(text)},
      {"ScrollBarBackgroundColor", Rgb(dark ? C(40, 40, 44) : c.formBg.darker(104))},
      {"ToolBarButtonBorderColor", Rgb(c.border)},
      {"ToolBarButtonBackgroundColor", Rgb(c.faceTop)},
      {"ToolBarButtonDownBackgroundColor", Rgb(c.downTop)},
      {"TitleBarFontColor", Rgb(c.glyph)},
      {"MenuMenuBarColor", Rgb(dark ? C(40, 40, 44) : c.formBg)},
  };
  for (const auto& [item, value] : ints) d << "int " << item << " " << value << "\n";
  d << "bool ButtonTransparentBool " << (c.buttonKeyed ? 1 : 0) << "\n";
  d << "bool TitleBarButtonTransparentBool " << (c.titleButtonKeyed ? 1 : 0) << "\n";
  return 0;
}

int Usage() {
  std::cerr << "usage: quillon-style-pictures styles OUTDIR\n"
               "       quillon-style-pictures skin Ember|Jade|Amethyst OUTDIR\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // Pictures only; no window is shown.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() == 3 && args[1] == "styles") return Styles(args[2]);
  if (args.size() == 4 && args[1] == "skin") return Skin(args[2], args[3]);
  return Usage();
}
