#pragma once
// The user-interface services every window uses: message boxes, the file-open dialog
// and the beep go through one replaceable service, so tests can script the answers and
// read what was shown. Guard is the application's default error report: a command
// handler runs inside it, an error it raises is shown in a message box with its text,
// the command ends there and the application goes on. No exception may unwind through
// Qt's event loop.
#include <QObject>
#include <deque>
#include <exception>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

class QWidget;

namespace qui {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

// What a message box showed.
struct Message {
  std::string text;
  std::string caption;
  Icon icon = Icon::None;
  Buttons buttons = Buttons::Ok;
};

// What a file-open dialog was asked for.
struct OpenFileRequest {
  std::string caption;  // "" for the dialog's own title
  std::string folder;   // "" for the dialog's choice
  std::string filter;   // Qt filter text, "" for every file
};

class Service {
 public:
  virtual ~Service() = default;
  // Shows a modal message box over parent (the active window when null).
  virtual Answer MessageBox(QWidget* parent, const Message& message) = 0;
  // The full path of the file the user picked, nothing when cancelled.
  virtual std::optional<std::string> OpenFile(QWidget* parent, const OpenFileRequest& request) = 0;
  // The system's simple beep.
  virtual void Beep() = 0;
};

// The service in force: the Qt one unless a test installed its own.
Service& Current();
// Installs a service (not owned); null restores the Qt one. Returns the one before.
Service* Install(Service* service);

// Shorthands over Current().
Answer MessageBox(QWidget* parent, const std::string& text, const std::string& caption, Icon icon,
                  Buttons buttons = Buttons::Ok);
std::optional<std::string> OpenFile(QWidget* parent, const OpenFileRequest& request = {});
void Beep();

// The application's title: the default caption of the error report.
std::string AppTitle();
void SetAppTitle(const std::string& title);

// The default error report: a message box with the error text, the application's
// title as caption, an error icon and an OK button.
void ReportError(const std::string& text);
void ReportException(std::exception_ptr error);

// Runs a command handler; an error it raises goes to the default error report.
// True when the handler ran to its end.
template <class Handler>
bool Guard(Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
    return true;
  } catch (...) {
    ReportException(std::current_exception());
    return false;
  }
}

// Connects a command handler to a signal so that it runs inside Guard. The handler
// takes the signal's arguments or none.
template <class Sender, class Signal, class Handler>
QMetaObject::Connection OnCommand(Sender* sender, Signal signal, const QObject* context, Handler handler) {
  return QObject::connect(sender, signal, context, [handler](auto&&... args) -> void {
    Guard([&] {
      if constexpr (std::is_invocable_v<Handler&, decltype(args)...>)
        handler(std::forward<decltype(args)>(args)...);
      else
        handler();
    });
  });
}

// Moves a window into or out of the band of windows that stay above all others,
// keeping its place and size.
void SetStayOnTop(QWidget* window, bool onTop);

// A scripted service for tests: records every message box, file request and beep, and
// answers from the queues; a dry queue answers with the default button (Ok or Yes) and
// a cancelled file dialog.
class ScriptedService : public Service {
 public:
  Answer MessageBox(QWidget* parent, const Message& message) override;
  std::optional<std::string> OpenFile(QWidget* parent, const OpenFileRequest& request) override;
  void Beep() override { ++beeps; }

  std::vector<Message> messages;
  std::vector<OpenFileRequest> fileRequests;
  int beeps = 0;
  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> files;
};

// Installs a service for the life of the object, then puts the previous one back.
class ScopedService {
 public:
  explicit ScopedService(Service* service) : previous_(Install(service)) {}
  ~ScopedService() { Install(previous_); }
  ScopedService(const ScopedService&) = delete;
  ScopedService& operator=(const ScopedService&) = delete;

 private:
  Service* previous_;
};

}  // namespace qui
