#include "platform/ui.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

#include "platform/text.h"

namespace qui {
namespace {

QMessageBox::Icon ToQt(Icon icon) {
  switch (icon) {
    case Icon::Information:
      return QMessageBox::Information;
    case Icon::Warning:
      return QMessageBox::Warning;
    case Icon::Error:
      return QMessageBox::Critical;
    case Icon::Question:
      return QMessageBox::Question;
    case Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(Buttons buttons) {
  switch (buttons) {
    case Buttons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

Answer FromQt(int button) {
  switch (button) {
    case QMessageBox::Ok:
      return Answer::Ok;
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

class QtService : public Service {
 public:
  Answer MessageBox(QWidget* parent, const Message& m) override {
    QMessageBox box(ToQt(m.icon), qtext::ToQ(m.caption), qtext::ToQ(m.text), ToQt(m.buttons),
                    parent ? parent : QApplication::activeWindow());
    // Escape and the title bar's close button answer as Cancel does, or as the only
    // button does when there is no Cancel.
    if (m.buttons == Buttons::YesNo) box.setEscapeButton(QMessageBox::No);
    return FromQt(box.exec());
  }

  std::optional<std::string> OpenFile(QWidget* parent, const OpenFileRequest& r) override {
    const QString file = QFileDialog::getOpenFileName(parent ? parent : QApplication::activeWindow(),
                                                      qtext::ToQ(r.caption), qtext::ToQ(r.folder), qtext::ToQ(r.filter));
    if (file.isEmpty()) return std::nullopt;
    return qtext::FromQ(file);
  }

  void Beep() override { QApplication::beep(); }
};

QtService& QtDefault() {
  static QtService service;
  return service;
}

Service* installed = nullptr;

}  // namespace

Service& Current() { return installed ? *installed : QtDefault(); }

Service* Install(Service* service) {
  Service* previous = installed;
  installed = service;
  return previous;
}

Answer MessageBox(QWidget* parent, const std::string& text, const std::string& caption, Icon icon, Buttons buttons) {
  return Current().MessageBox(parent, Message{text, caption, icon, buttons});
}

std::optional<std::string> OpenFile(QWidget* parent, const OpenFileRequest& request) {
  return Current().OpenFile(parent, request);
}

void Beep() { Current().Beep(); }

std::string AppTitle() { return qtext::FromQ(QCoreApplication::applicationName()); }

void SetAppTitle(const std::string& title) { QCoreApplication::setApplicationName(qtext::ToQ(title)); }

void ReportError(const std::string& text) {
  // The report itself must not throw back into the handler that failed.
  try {
    MessageBox(nullptr, text, AppTitle(), Icon::Error, Buttons::Ok);
  } catch (...) {
  }
}

void ReportException(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    ReportError(e.what());
  } catch (...) {
    ReportError("An unexpected error ended the command.");
  }
}

void SetStayOnTop(QWidget* window, bool onTop) {
  if (!window) return;
  const QRect place = window->geometry();
  const bool visible = window->isVisible();
  // Changing window flags re-creates the native window hidden; put it back as it was.
  window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  window->setGeometry(place);
  if (visible) window->show();
}

Answer ScriptedService::MessageBox(QWidget*, const Message& message) {
  messages.push_back(message);
  if (answers.empty()) return (message.buttons == Buttons::YesNo || message.buttons == Buttons::YesNoCancel) ? Answer::Yes : Answer::Ok;
  const Answer a = answers.front();
  answers.pop_front();
  return a;
}

std::optional<std::string> ScriptedService::OpenFile(QWidget*, const OpenFileRequest& request) {
  fileRequests.push_back(request);
  if (files.empty()) return std::nullopt;
  auto f = files.front();
  files.pop_front();
  return f;
}

}  // namespace qui
