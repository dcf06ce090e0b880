#include <gtest/gtest.h>

#include <QPointer>
#include <QWidget>

#include "skin/controls.h"

TEST(TMenuItem, CaptionsSubmenusAndSeparators) {
  QWidget window;
  TsuiMainMenu bar("mmMain", &window);
  auto* skins = new TMenuItem("mniSkins", "Skins", &bar);
  EXPECT_EQ(skins->objectName(), "mniSkins");
  EXPECT_EQ(bar.actions().size(), 1);
  EXPECT_TRUE(skins->Items().empty());

  TMenuItem* blue = skins->Add("mniBlue", "Blue");
  TMenuItem* line = skins->Add("mniLine", "-");
  TMenuItem* dark = skins->Add("mniDark", "DarkBlue");
  ASSERT_EQ(skins->Items(), (std::vector<TMenuItem*>{blue, line, dark}));
  EXPECT_TRUE(line->isSeparator());
  EXPECT_EQ(line->property("Caption").toString(), "-");
  EXPECT_EQ(blue->property("Caption").toString(), "Blue");

  // A translated caption replaces the text; "-" makes a separator and back.
  blue->setProperty("Caption", "Blau");
  EXPECT_EQ(blue->text(), "Blau");
  line->setProperty("Caption", "Keine");
  EXPECT_FALSE(line->isSeparator());
  EXPECT_EQ(line->text(), "Keine");
  blue->setProperty("Hint", "Applies the skin");
  EXPECT_EQ(blue->statusTip(), "Applies the skin");

  QPointer<TMenuItem> gone = blue;
  skins->Clear();
  EXPECT_TRUE(skins->Items().empty());
  EXPECT_TRUE(gone.isNull());
  EXPECT_EQ(skins->Add("mniNew", "New")->objectName(), "mniNew");
  EXPECT_EQ(skins->Items().size(), 1u);
}

TEST(TsuiComboBox, ItemsReplaceTheLinesInPlaceAndKeepTheSelection) {
  TsuiComboBox box("cbbBandwidth", false, nullptr);
  box.setProperty("Items", QStringList{"All Bandwidth", "Broadband", "Modem"});
  box.setCurrentIndex(2);
  box.setProperty("Items", QStringList{"Alle", "Breitband", "Modem (56k)"});
  EXPECT_EQ(box.currentIndex(), 2);
  EXPECT_EQ(box.currentText(), "Modem (56k)");
  EXPECT_EQ(box.property("Items").toStringList(), (QStringList{"Alle", "Breitband", "Modem (56k)"}));
  box.setProperty("Items", QStringList{"One", "Two"});
  EXPECT_EQ(box.count(), 2);
  EXPECT_EQ(box.currentIndex(), -1);

  // An editable box keeps what was typed.
  TsuiComboBox search("cbbSearch", true, nullptr);
  search.setEditText("news");
  search.setProperty("Items", QStringList{"jazz", "rock"});
  EXPECT_EQ(search.currentText(), "news");
}

TEST(TsuiForm, CaptionIsTheWindowsTitle) {
  QWidget window;
  TsuiForm frame("frmSuiMain", &window);
  frame.setProperty("Caption", "Quillon 2.6");
  EXPECT_EQ(window.windowTitle(), "Quillon 2.6");
  window.setWindowTitle("[Window 1] Test Card");
  EXPECT_EQ(frame.property("Caption").toString(), "[Window 1] Test Card");
}

TEST(TImageList, ImagesByIndex) {
  TImageList images("ilSort", 16, 16, nullptr);
  QPixmap up(16, 16);
  up.fill(Qt::red);
  EXPECT_EQ(images.Add(up), 0);
  EXPECT_EQ(images.Add(up), 1);
  EXPECT_FALSE(images.Icon(1).isNull());
  EXPECT_TRUE(images.Icon(2).isNull());
  EXPECT_TRUE(images.Icon(-1).isNull());
}
