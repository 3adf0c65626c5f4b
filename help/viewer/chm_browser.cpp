#include "help/viewer/chm_browser.h"

#include <QImage>
#include <QTextDocument>

#include "help/chm/chm_file.h"

namespace veltrano::help {

namespace {
const QString kScheme = QStringLiteral("chm");
}

ChmBrowser::ChmBrowser(QWidget* parent) : QTextBrowser(parent) {
  // Links are followed by the window, which keeps them inside the file.
  setOpenLinks(false);
  setOpenExternalLinks(false);
}

QUrl ChmBrowser::urlOf(const QString& objectPath) {
  QUrl url;
  url.setScheme(kScheme);
  url.setPath(normalisedObjectPath(objectPath));
  return url;
}

void ChmBrowser::showFile(std::shared_ptr<const ChmFile> file, const QString& topic) {
  file_ = std::move(file);
  // A new file may hold a page of the same name: drop the old page first so
  // that setSource cannot take it for the page already shown.
  setSource(QUrl());
  clear();
  if (!topic.isEmpty()) setSource(urlOf(topic));
  clearHistory();
}

QUrl ChmBrowser::resolved(const QUrl& link) const {
  if (!link.isRelative()) return link;
  const QUrl base = source().isEmpty() ? urlOf(QStringLiteral("/")) : source();
  return base.resolved(link);
}

bool ChmBrowser::leadsInside(const QUrl& link) const {
  const QUrl target = resolved(link);
  return file_ && target.scheme() == kScheme && file_->contains(target.path());
}

QVariant ChmBrowser::loadResource(int type, const QUrl& name) {
  const QUrl target = resolved(name);
  if (!file_ || target.scheme() != kScheme) return {};
  const std::optional<QByteArray> data = file_->read(target.path());
  if (!data) return {};
  if (type == QTextDocument::ImageResource) return QImage::fromData(*data);
  return *data;
}

}  // namespace veltrano::help
