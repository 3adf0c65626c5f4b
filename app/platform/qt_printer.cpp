#include "app/platform/qt_printer.h"

#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <cerrno>
#include <utility>

#include "common/figure_painter.h"
#include "common/runtime_error.h"

namespace veltrano {

namespace {

constexpr int kBodyPoints = 10;
constexpr int kHeaderPoints = 8;  // the header and footer are smaller than the lines

// Why a PDF file could not be started, in the system's words: Qt only says
// that it failed, so the file and its folder are asked the way the writing
// would have found them.
QString startFailureCause(const QPrinter& printer) {
  const QString path = printer.outputFileName();
  if (path.isEmpty()) return QStringLiteral("The printer did not accept the job");
  const QFileInfo file(path);
  if (file.isDir()) return systemCause(EISDIR);
  const QByteArray probed = QFile::encodeName(file.exists() ? path : file.absolutePath());
  if (::access(probed.constData(), file.exists() ? W_OK : (W_OK | X_OK)) != 0) return systemCause(errno);
  return QStringLiteral("The PDF file could not be written");
}

}  // namespace

// Paints the pages of one document: the header (heading at the left, date
// at the right, a rule below), the body and the footer "page 2 of 3".
class QtPrinter::PagePainter {
 public:
  PagePainter(QPainter& painter, QPrinter& printer, const QString& fontName, QString heading, QString date)
      : painter_(painter),
        page_(printer.pageLayout().paintRectPixels(printer.resolution())),
        bodyFont_(fontName, kBodyPoints),
        smallFont_(fontName, kHeaderPoints),
        body_(bodyFont_, &printer),
        small_(smallFont_, &printer),
        heading_(std::move(heading)),
        date_(std::move(date)) {}

  PageMeasures bodyMeasures() const {
    return {.width = static_cast<double>(page_.width()),
            .height = static_cast<double>(page_.height() - 2 * frameHeight()),
            .lineHeight = static_cast<double>(body_.height()),
            .textWidth = [this](const QString& text) { return body_.horizontalAdvance(text); }};
  }

  void paint(const PageBody& body, const std::vector<ShownFigure>& figures,
             const std::vector<PrintEntry>& entries, int number, int count) {
    paintHeader();
    const int top = frameHeight();
    for (const PlacedEntry& placed : body) {
      const int figure = entries[static_cast<std::size_t>(placed.entry)].figure;
      if (figure >= 0) {
        const ShownFigure& shown = figures[static_cast<std::size_t>(figure)];
        const figure::Colours colours = figure::printColours();
        figure::paintFigure(painter_, shown.figure, QRectF(0, top + placed.top, page_.width(), placed.height),
                            shown.greyed ? figure::greyed(colours) : colours, true);
      } else {
        painter_.setFont(bodyFont_);
        painter_.drawText(QPointF(0, top + placed.top + body_.ascent()), placed.text);
      }
    }
    painter_.setFont(smallFont_);
    painter_.drawText(QRect(0, page_.height() - small_.height(), page_.width(), small_.height()),
                      Qt::AlignHCenter | Qt::AlignBottom, pageFooter(number, count));
  }

 private:
  // The header's line and the gap below it; the footer takes as much.
  int frameHeight() const { return 2 * small_.height(); }

  void paintHeader() {
    painter_.setFont(smallFont_);
    const int dateWidth = small_.horizontalAdvance(date_);
    const int room = std::max(0, page_.width() - dateWidth - small_.averageCharWidth() * 2);
    painter_.drawText(0, small_.ascent(), small_.elidedText(heading_, Qt::ElideRight, room));
    painter_.drawText(page_.width() - dateWidth, small_.ascent(), date_);
    const int rule = small_.height() * 3 / 2;
    painter_.setPen(QPen(Qt::black, 0));
    painter_.drawLine(0, rule, page_.width(), rule);
  }

  QPainter& painter_;
  const QRect page_;
  const QFont bodyFont_;
  const QFont smallFont_;
  const QFontMetrics body_;
  const QFontMetrics small_;
  const QString heading_;
  const QString date_;
};

QtPrinter::QtPrinter() : fontName_(QApplication::font().family()) {}

QtPrinter::~QtPrinter() = default;

// The print system is loaded on the first print only, so that start-up
// does not wait for it.
QPrinter& QtPrinter::device() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

bool QtPrinter::showPrintDialog(QWidget* owner) {
  owner_ = owner;
  QPrintDialog dialog(&device(), owner);
  return dialog.exec() == QDialog::Accepted;
}

// The margins the printer would use, but never less than 10 mm a side:
// some printers offer 4 mm, which cuts close to the edge of the sheet.
void QtPrinter::setMargins() {
  constexpr double kLeastMillimetres = 10;
  QPageLayout layout = device().pageLayout();
  layout.setUnits(QPageLayout::Millimeter);
  const QMarginsF usual = layout.margins();
  const QMarginsF margins(std::max(usual.left(), kLeastMillimetres), std::max(usual.top(), kLeastMillimetres),
                          std::max(usual.right(), kLeastMillimetres),
                          std::max(usual.bottom(), kLeastMillimetres));
  device().setPageMargins(margins, QPageLayout::Millimeter);
}

void QtPrinter::printLine(const QString& text) { entries_.push_back({text}); }

void QtPrinter::printFigure(const figure::Figure& figure, bool greyed) {
  entries_.push_back({QString(), static_cast<int>(figures_.size())});
  figures_.push_back({figure, greyed});
}

// A printer that cannot start a job is a device error, as a file would be,
// with the cause in plain words.
void QtPrinter::beginDocument(QPainter& painter) {
  setMargins();
  if (!painter.begin(&device())) {
    const QString name =
        device().outputFileName().isEmpty() ? device().printerName() : device().outputFileName();
    raise(ErrorNumber::PathFileAccess, name, startFailureCause(device()));
  }
}

void QtPrinter::endDoc() {
  // The document is taken whole, so that one that fails leaves nothing
  // behind for the next.
  const Document document{std::exchange(heading_, {}), std::exchange(entries_, {}),
                          std::exchange(figures_, {})};
  QPainter painter;
  beginDocument(painter);
  // An empty document still goes out as an empty job.
  if (!paintPages(document, painter)) {
    stopJob(painter);
    return;
  }
  painter.end();
}

bool QtPrinter::paintPages(const Document& document, QPainter& painter) {
  PagePainter pages(painter, device(), fontName_, document.heading, pageDate(platform().clock->now().date()));
  const std::vector<PageBody> bodies = layOutPages(document.entries, pages.bodyMeasures());
  const int count = static_cast<int>(bodies.size());
  // The progress closes however the painting ends.
  struct ShownProgress {
    Progress* progress;
    ~ShownProgress() {
      if (progress) progress->end();
    }
  } shown{count > kPagesPrintedWithoutProgress ? platform().progress : nullptr};
  if (shown.progress) shown.progress->begin(owner_, QStringLiteral("Printing %1 pages").arg(count), count);
  for (int i = 0; i < count; ++i) {
    if (i > 0) device().newPage();
    pages.paint(bodies[static_cast<std::size_t>(i)], document.figures, document.entries, i + 1, count);
    if (shown.progress && !shown.progress->advance(i + 1)) return false;
  }
  return true;
}

// Cancel sends nothing: a printer drops the job; a PDF file, which Qt
// cannot abort, is removed rather than left cut short and unreadable.
void QtPrinter::stopJob(QPainter& painter) {
  if (device().abort()) {
    painter.end();
    return;
  }
  painter.end();
  if (!device().outputFileName().isEmpty()) QFile::remove(device().outputFileName());
}

}  // namespace veltrano
