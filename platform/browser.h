#pragma once
// The browser strip: shows a local HTML page (the player control's start page) in a
// plain text browser, without scroll bars or a frame of its own. Links on the page open
// in the user's own browser through the shell's "open" verb; the strip itself never
// leaves its page.
#include <QTextBrowser>
#include <string>

namespace qbrowser {

class WebBrowser : public QTextBrowser {
  Q_OBJECT

 public:
  explicit WebBrowser(QWidget* parent = nullptr);

  // Shows the local page at path (a file name or a file: URL). False, leaving the
  // strip blank, when the page cannot be read.
  bool Navigate(const std::string& path);
  // The page shown, as a file: URL; "" while blank.
  std::string LocationURL() const { return location_; }

 private:
  void OpenLink(const QUrl& url);

  std::string location_;
};

}  // namespace qbrowser
