// zunder: creates the application and its main window, and runs until the window closes.
#include <QApplication>
#include <clocale>
#include <memory>

#include "app/frm_main.h"
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
  qui::Guard([&] {
    window = std::make_unique<TfrmMain>();
    QObject::connect(window.get(), &TfrmMain::Closed, &app, &QCoreApplication::quit);
    window->show();
    result = app.exec();
  });
  qui::Guard([&] { window.reset(); });
  return result;
}
