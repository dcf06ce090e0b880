// zunder: creates the application and its main window, and runs until the window closes.
#include <QApplication>
#include <clocale>
#include <memory>

#include "app/frm_about.h"
#include "app/frm_main.h"
#include "app/frm_open.h"
#include "platform/ui.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The player windows' media engines refuse to start unless numbers are formatted
  // the C way.
  std::setlocale(LC_NUMERIC, "C");
  qui::SetAppTitle("Quillon");
  // Closing the main window ends the application, whatever player windows are open.
  app.setQuitOnLastWindowClosed(false);

  int result = 1;
  std::unique_ptr<TfrmMain> window;
  // The dialogs are made once, after the main window, and reused at every showing.
  std::unique_ptr<TfrmAbout> about;
  std::unique_ptr<TfrmOpen> open;
  qui::Guard([&] {
    window = std::make_unique<TfrmMain>();
    about = std::make_unique<TfrmAbout>(window.get());
    open = std::make_unique<TfrmOpen>(window.get());
    QObject::connect(window.get(), &TfrmMain::Closed, &app, &QCoreApplication::quit);
    window->show();
    result = app.exec();
  });
  qui::Guard([&] {
    open.reset();
    about.reset();
    window.reset();
  });
  return result;
}
