#include "help/viewer/chm_browser.h"

#include <QImage>
#include <QStringDecoder>
#include <QTextDocument>

#include "help/chm/chm_file.h"
#include "help/chm/page_nesting.h"

namespace veltrano::help {

namespace {
const QString kScheme = QStringLiteral("chm");

// What a picture that the file does not hold, or cannot decode, shows: one
// transparent pixel.
QImage noImage() {
  QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}
}  // namespace

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

// Every answer is a value of the type asked for, never an empty QVariant:
// for an empty one the document reads file: URLs itself, and for an image
// that is null the image handler loads its name as a path from the disk.
QVariant ChmBrowser::loadResource(int type, const QUrl& name) {
  const QUrl target = resolved(name);
  std::optional<QByteArray> data;
  if (file_ && target.scheme() == kScheme) data = file_->read(target.path());
  switch (type) {
    case QTextDocument::ImageResource: {
      const QImage image = data ? QImage::fromData(*data) : QImage();
      return image.isNull() ? noImage() : image;
    }
    case QTextDocument::HtmlResource: return page(data);
    default: return data.value_or(QByteArray());
  }
}

QString ChmBrowser::page(const std::optional<QByteArray>& data) {
  pageFlattened_ = false;
  if (!data) return {};
  QStringDecoder decoder = QStringDecoder::decoderForHtml(*data);
  if (!decoder.isValid()) decoder = QStringDecoder(QStringDecoder::Utf8);
  CappedPage capped = capNesting(decoder(*data));
  pageFlattened_ = capped.flattened;
  return capped.html;
}

}  // namespace veltrano::help
