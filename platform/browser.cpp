#include "platform/browser.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include "platform/shell.h"
#include "platform/text.h"

namespace qbrowser {

WebBrowser::WebBrowser(QWidget* parent) : QTextBrowser(parent) {
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setOpenLinks(false);
  setOpenExternalLinks(false);
  setUndoRedoEnabled(false);
  setContextMenuPolicy(Qt::NoContextMenu);
  document()->setDocumentMargin(0);
  connect(this, &QTextBrowser::anchorClicked, this, &WebBrowser::OpenLink);
}

bool WebBrowser::Navigate(const std::string& path) {
  const QString text = qtext::ToQ(path);
  const QUrl given(text);
  const QString file = given.isLocalFile() ? given.toLocalFile() : text;
  QFile page(file);
  if (!page.open(QIODevice::ReadOnly)) {
    clear();
    location_.clear();
    return false;
  }
  const QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
  // Pictures and style sheets of the page resolve beside it.
  document()->setBaseUrl(url);
  setHtml(QString::fromUtf8(page.readAll()));
  location_ = qtext::FromQ(url.toString());
  return true;
}

void WebBrowser::OpenLink(const QUrl& url) {
  // A link within the page or to a page beside it resolves against the page.
  const QUrl target = url.isRelative() ? document()->baseUrl().resolved(url) : url;
  qshell::Open(qtext::FromQ(target.toString()));
}

}  // namespace qbrowser
