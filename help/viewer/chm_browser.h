#pragma once

#include <QTextBrowser>
#include <QUrl>
#include <memory>

namespace veltrano::help {

class ChmFile;

// The page pane: pages, pictures and style sheets all come out of the help
// file, addressed as chm:/path/inside/the/file.
class ChmBrowser : public QTextBrowser {
  Q_OBJECT
 public:
  explicit ChmBrowser(QWidget* parent = nullptr);

  static QUrl urlOf(const QString& objectPath);

  // Shows another file's page; the history starts afresh.
  void showFile(std::shared_ptr<const ChmFile> file, const QString& topic);
  // Where a link of the current page leads (relative links resolved).
  QUrl resolved(const QUrl& link) const;
  // True when the link leads to a page that this help file holds.
  bool leadsInside(const QUrl& link) const;

  QVariant loadResource(int type, const QUrl& name) override;

 private:
  std::shared_ptr<const ChmFile> file_;
};

}  // namespace veltrano::help
