#include "platform/shell.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/text.h"

namespace qshell {
namespace {

class DesktopOpener : public Opener {
 public:
  bool Open(const std::string& address) override {
    if (address.empty()) return false;
    // A full path names a local file; anything else is an address as typed.
    const QString text = qtext::ToQ(address);
    const QUrl url = address[0] == '/' ? QUrl::fromLocalFile(text) : QUrl::fromUserInput(text);
    return url.isValid() && QDesktopServices::openUrl(url);
  }
};

Opener* installed = nullptr;

Opener& Current() {
  static DesktopOpener desktop;
  return installed ? *installed : desktop;
}

}  // namespace

bool Open(const std::string& address) { return Current().Open(address); }

Opener* Install(Opener* opener) {
  Opener* previous = installed;
  installed = opener;
  return previous;
}

}  // namespace qshell
