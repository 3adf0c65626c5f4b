#include "common/line_wrap.h"

namespace veltrano {
namespace {

// The most characters of text that fit on one line after prefix, at least
// one so that every line makes progress, and never half a surrogate pair.
qsizetype longestFit(const QString& prefix, const QString& text, double pageWidth,
                     const std::function<double(const QString&)>& width) {
  qsizetype fits = 1;
  qsizetype tooLong = text.size();
  while (tooLong - fits > 1) {
    const qsizetype middle = fits + (tooLong - fits) / 2;
    if (width(prefix + text.left(middle)) <= pageWidth) {
      fits = middle;
    } else {
      tooLong = middle;
    }
  }
  if (fits > 1 && text[fits - 1].isHighSurrogate()) --fits;
  return fits;
}

}  // namespace

QStringList WrapLine(const QString& line, double pageWidth,
                     const std::function<double(const QString&)>& width) {
  QStringList pieces;
  QString indent;
  QString rest = line;
  while (width(indent + rest) > pageWidth && rest.size() > 1) {
    const qsizetype fits = longestFit(indent, rest, pageWidth, width);
    // After the last blank, or the last of several, that fits: the blanks
    // end this piece and the next starts with what follows them.
    qsizetype cut = fits;
    while (cut > 0 && !(rest[cut - 1] == u' ' && rest[cut] != u' ')) --cut;
    if (cut == 0) cut = fits;
    pieces << indent + rest.left(cut);
    rest = rest.mid(cut);
    indent = kWrapIndent;
  }
  pieces << indent + rest;
  return pieces;
}

}  // namespace veltrano
