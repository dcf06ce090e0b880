#pragma once
// A main window over list files that the test writes into its own installation folder,
// with message boxes answered by a script.
#include <QString>
#include <QTreeWidgetItem>
#include <memory>
#include <string>
#include <vector>

#include "app/channel_model.h"
#include "app/frm_main.h"
#include "platform/ui.h"
#include "tests/support/test_dir.h"

tagTV_ITEM Channel(const std::string& name, const std::string& bitrate, const std::string& country,
                   const std::string& location = "");

class MainWindowTest : public ScratchTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes a list file beside the stand-in executable, as the program saves it.
  void WriteList(const std::string& relative, const std::vector<tagTV_ITEM>& items);
  // The records of a list file as the program reads it.
  std::vector<tagTV_ITEM> ReadList(const std::string& relative);
  std::string LibPath(const std::string& relative) const { return BinDir() + relative; }

  TfrmMain& Open();

  // The child of nodeTV captioned caption; null when none.
  QTreeWidgetItem* Group(const QString& caption) const;
  std::vector<QString> Children(const QTreeWidgetItem* node) const;
  // The shown rows: one column's texts, top to bottom.
  std::vector<std::string> Column(int column) const;
  void SelectNode(QTreeWidgetItem* node);
  void SelectRow(int row);

  qui::ScriptedService script;
  std::unique_ptr<qui::ScopedService> scripted;
  std::unique_ptr<TfrmMain> window;
};
