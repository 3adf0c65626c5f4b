#pragma once

#include <QTextBrowser>
#include <QUrl>
#include <memory>
#include <optional>

namespace veltrano::help {

class ChmFile;

// The page pane: pages, pictures and style sheets all come out of the help
// file, addressed as chm:/path/inside/the/file. Nothing else is read: a
// resource the file does not hold, whatever its scheme or path, is an empty
// one, so that a page cannot make the program read the disk, wait on a pipe
// or fill the memory from a device. Pages nested past the caps of
// capNesting are shown flattened.
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
  // True when the page last loaded was nested too deep to show whole.
  bool pageFlattened() const { return pageFlattened_; }

 private:
  QString page(const std::optional<QByteArray>& data);

  std::shared_ptr<const ChmFile> file_;
  bool pageFlattened_ = false;
};

}  // namespace veltrano::help
