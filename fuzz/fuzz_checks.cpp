#include "fuzz/fuzz_checks.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <clocale>
#include <cmath>
#include <memory>
#include <vector>

#include "bases/base_converter.h"
#include "bases/base_working.h"
#include "bases/bases_window.h"
#include "circles/circles_window.h"
#include "common/dimension.h"
#include "common/numeric_text.h"
#include "common/result_list.h"
#include "common/runtime_error.h"
#include "common/testing/fake_platform.h"
#include "common/testing/pipe_probe.h"
#include "common/ui_style.h"
#include "common/worksheet_file.h"
#include "complex/complex_file.h"
#include "complex/complex_window.h"
#include "factors/factors_window.h"
#include "factors/prime_sieve.h"
#include "factors/prime_table.h"
#include "help/chm/chm_file.h"
#include "help/chm/contents_file.h"
#include "help/viewer/chm_browser.h"
#include "help/viewer/help_window.h"
#include "triangles/triangles_window.h"

namespace veltrano::fuzzing {
namespace {

// Reading a file may fail with the file errors only.
Violation unexpected(const RuntimeError& e) {
  using enum ErrorNumber;
  if (e.number() == InputPastEndOfFile || e.number() == TypeMismatch || e.number() == Overflow) return {};
  return QStringLiteral("error %1").arg(int(e.number()));
}

// Any text: a finite value or Overflow, and the value written back reads
// again to the same text. The rest said to be unread ends the text, and what
// stands before it reads as the whole text does.
Violation textToNumber(const QByteArray& bytes) {
  const QString text = QString::fromUtf8(bytes);
  const NumberExtent extent = ReadNumberExtent(text);
  double value = 0;
  try {
    value = TextToNumber(text);
  } catch (const RuntimeError& e) {
    if (e.number() == ErrorNumber::Overflow) return std::nullopt;
    return QStringLiteral("error %1").arg(int(e.number()));
  }
  const QString written = NumberToText(value);
  if (!std::isfinite(value) || NumberToText(TextToNumber(written)) != written)
    return "read back wrong: " + written;
  const QString trimmed = text.trimmed();
  if (!trimmed.endsWith(extent.rest) || TextToNumber(trimmed.chopped(extent.rest.size())) != value)
    return "unread rest wrong: " + extent.rest;
  return std::nullopt;
}

// Any bytes: fields and counts, always moving forward, until one of the file
// errors, as more reads than there can be fields must end; and any text the
// writer writes, the reader reads back whole, a double quote as an apostrophe.
Violation readWorksheet(const QByteArray& bytes) {
  WorksheetReader reader(bytes);
  try {
    for (qsizetype i = 0; i <= bytes.size() + 1; ++i)
      i % 3 == 0 ? void(reader.readCount()) : void(reader.readField());
    return QStringLiteral("the reader does not reach the end");
  } catch (const RuntimeError& e) {
    if (Violation violation = unexpected(e)) return violation;
  }
  const QString text = decodeWindows1252(bytes);
  const QString kept = QString(text).replace(u'"', u'\'');
  WorksheetWriter writer;
  writer.textLine(text);
  writer.quotedLine(text);
  writer.numberLine(static_cast<std::int32_t>(bytes.size()));
  WorksheetReader back(writer.bytes());
  if (back.readField() != kept || back.readField() != kept || back.readCount() != bytes.size() ||
      !back.atEnd())
    return QStringLiteral("not read back");
  return std::nullopt;
}

// Everything Open may change: each control's text, rows, check and marks,
// the file name a later Save writes to, the title and the changed mark; the
// status area with the rest, unless left out.
QStringList snapshot(const QWidget& window, bool withStatus = true) {
  QStringList state{Dimension::CurrentFileName, window.windowTitle(),
                    QString::number(window.isWindowModified())};
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    if (!withStatus && widget->objectName() == QLatin1String("lblStatus")) continue;
    QString item = widget->objectName() + QString::number(widget->isEnabled() * 2 + style::isStale(widget));
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) item += edit->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) item += label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) item += u"-x"[button->isChecked()];
    if (const auto* list = qobject_cast<const ResultList*>(widget)) item += list->rows().join(u'\n');
    state << item;
  }
  return state;
}

// What a window that took the file shows in one control: the list's rows, or
// the file's last field, which the solves that loading runs leave as it is.
QStringList countedRows(const QByteArray& bytes) {
  WorksheetReader file(bytes);
  QStringList rows;
  for (std::int32_t i = file.readCount(); i > 0; --i) rows << file.readField();
  return rows;
}

template <int fieldCount>
QStringList lastField(const QByteArray& bytes) {
  WorksheetReader file(bytes);
  for (int i = 1; i < fieldCount; ++i) file.readField();
  return {file.readField()};
}

QStringList complexRoots(const QByteArray& bytes) {
  WorksheetReader file(bytes);
  return complex::readComplexFile(file).roots;
}

QStringList shown(const QWidget& window, const char* name) {
  const auto* control = window.findChild<QWidget*>(QLatin1String(name));
  if (const auto* list = qobject_cast<const ResultList*>(control)) return list->rows();
  return {qobject_cast<const QLineEdit*>(control)->text()};
}

template <class Window>
WorksheetWindow* make() {
  return new Window;
}

struct WindowKind {
  const char* name;
  WorksheetWindow* (*make)();
  const char* control;
  QStringList (*expected)(const QByteArray&);
};

constexpr WindowKind kWindowKinds[] = {
    {"open_factors", make<factors::FactorsWindow>, "lstFactors", countedRows},
    {"open_triangles", make<triangles::TrianglesWindow>, "txtArea", lastField<7>},
    {"open_circles", make<circles::CirclesWindow>, "txtSegment", lastField<6>},
    {"open_complex", make<complex::ComplexWindow>, "lstResults", complexRoots},
    {"open_bases", make<bases::BasesWindow>, "lstResults", countedRows},
};

// One window, changed and opened again and again: after the question, let go
// with No, it takes the file, or shows one error box and keeps every text,
// row, mark, the title, the changed mark and the current file name as they were.
// What it took, saved and opened again, changes nothing but the file name,
// the title and the status area, a double quote aside, which is saved as an
// apostrophe.
struct OpenRun {
  const WindowKind* kind;
  std::shared_ptr<QTemporaryDir> folder = std::make_shared<QTemporaryDir>();
  std::shared_ptr<WorksheetWindow> window{kind->make()};
  Violation operator()(const QByteArray& bytes) const;
  Violation savedAndOpenedAgain() const;
};

Violation OpenRun::savedAndOpenedAgain() const {
  const QString path = folder->filePath(QStringLiteral("saved.txt"));
  QFile::remove(path);
  testing::FakePlatform& fakes = testing::fakes();
  QStringList before = snapshot(*window, false).mid(2);
  fakes.files.saveAnswers = {path};
  window->findChild<QAction*>(QStringLiteral("mnuSaveAs"))->trigger();
  if (!QFile::exists(path)) return std::nullopt;  // an empty list writes no file
  fakes.files.openAnswers = {path};
  window->findChild<QAction*>(QStringLiteral("mnuOpen"))->trigger();
  if (!fakes.messages.shown.empty()) return "the saved file was refused: " + fakes.messages.shown[0].text;
  if (snapshot(*window, false).mid(2) != before.replaceInStrings(QStringLiteral("\""), QStringLiteral("'")))
    return QStringLiteral("the saved file does not open as it was saved");
  return std::nullopt;
}

Violation OpenRun::operator()(const QByteArray& bytes) const {
  const QString path = folder->filePath(QStringLiteral("fuzz.txt"));
  if (QFile file(path); !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    return "cannot write " + path;
  testing::FakePlatform& fakes = testing::fakes();
  fakes.messages.shown.clear();
  fakes.messages.answers.assign(3, MessageAnswer::Ok);  // more than one box is a fault too
  fakes.messages.answers.push_front(MessageAnswer::No);
  fakes.files.openAnswers = {path};
  Dimension::CurrentFileName = folder->filePath(QStringLiteral("earlier.txt"));
  window->setWindowModified(true);
  const QStringList before = snapshot(*window);
  window->findChild<QAction*>(QStringLiteral("mnuOpen"))->trigger();
  if (fakes.messages.shown.empty() || fakes.messages.shown[0].buttons != MessageButtons::YesNoCancel)
    return QStringLiteral("Open of a changed window did not ask");
  fakes.messages.shown.erase(fakes.messages.shown.begin());
  const auto boxes = fakes.messages.shown.size();
  if (!fakes.files.openAnswers.empty()) return QStringLiteral("Open asked for no file");
  if (boxes > 1) return QStringLiteral("Open showed %1 boxes").arg(boxes);
  if (boxes == 1 && snapshot(*window) != before)
    return "the window changed on a refused file: " + fakes.messages.shown[0].text;
  if (boxes == 1) return std::nullopt;
  if (Dimension::CurrentFileName != path) return QStringLiteral("the file name was not kept");
  if (window->isWindowModified() || !window->windowTitle().endsWith(QStringLiteral(" - fuzz.txt[*]")))
    return QStringLiteral("the window still counts as changed or does not name the file");
  if (shown(*window, kind->control) != kind->expected(bytes).mid(0, ResultList::kMaxRows))
    return QStringLiteral("the window does not hold the file");
  return savedAndOpenedAgain();
}

// The first byte chooses whether the rest is the whole file or the start of one
// that a correct table completes, so that whole tables are reached too.
Violation loadPrimeTable(const QByteArray& bytes) {
  if (bytes.isEmpty()) return std::nullopt;
  QByteArray file = bytes.mid(1);
  if (bytes[0] % 2 == 0) {
    static const std::vector<QByteArray> tails = [] {
      QFile table(QCoreApplication::applicationDirPath() + u'/' + factors::PrimeTable::FileName);
      if (!table.open(QIODevice::ReadOnly)) qFatal("the prime table is missing");
      std::vector<QByteArray> from{table.readAll()};  // the table from its first, second, ... number on
      while (from.size() < 8) from.push_back(from.back().mid(from.back().indexOf('\n') + 1));
      return from;
    }();
    file += "\r\n" + tails[static_cast<unsigned char>(bytes[0]) / 2 % 8];
  }
  static const std::vector<std::int32_t> primes = factors::primesUpTo(factors::PrimeTable::LargestPrime);
  try {
    const factors::PrimeTable table = factors::PrimeTable::fromBytes(file, QStringLiteral("fuzz"));
    for (std::int32_t i = 1; i <= factors::PrimeTable::TableSize; ++i)
      if (table[i] != primes[static_cast<std::size_t>(i - 1)])
        return QStringLiteral("entry %1 is not the prime of its place").arg(i);
  } catch (const RuntimeError& e) {
    return unexpected(e);
  }
  return std::nullopt;
}

// Digits as the converter writes them: no leading zeros in the whole part (a
// lone 0 when it has none), no trailing zeros in the fraction, and no point
// without a fraction.
QString plainDigits(const QString& number) {
  const qsizetype point = number.indexOf(u'.');
  QString whole = point < 0 ? number : number.left(point);
  QString fraction = point < 0 ? QString() : number.mid(point + 1);
  while (whole.startsWith(u'0')) whole.remove(0, 1);
  while (fraction.endsWith(u'0')) fraction.chop(1);
  if (whole.isEmpty()) whole = QStringLiteral("0");
  return fraction.isEmpty() ? whole : whole + u'.' + fraction;
}

// The digits a line shows are the number typed, exactly: read back in their
// base they give the same value, so a whole number comes back as the same
// text and so does a fraction that ends. A fraction cut after the most digits
// lies below the number by less than one unit of its last digit.
Violation shownExactly(const bases::BaseConverter& converter, const QString& typed, int typedBase,
                       const QString& shown, int shownBase) {
  const std::optional<mpq_class> value = converter.exactValue(typed, typedBase);
  const std::optional<mpq_class> shownValue = converter.exactValue(shown, shownBase);
  if (!value || !shownValue) return QStringLiteral("%1 or %2 cannot be read back").arg(typed, shown);
  const qsizetype point = shown.indexOf(u'.');
  const qsizetype fractionDigits = point < 0 ? 0 : shown.size() - point - 1;
  if (fractionDigits < bases::BaseConverter::kMaxFractionDigits) {
    if (converter.digitsInBase(*shownValue, typedBase) == plainDigits(typed)) return std::nullopt;
    return QStringLiteral("%1 does not come back from %2").arg(typed, shown);
  }
  mpz_class unit;  // shownBase^kMaxFractionDigits
  mpz_ui_pow_ui(unit.get_mpz_t(), static_cast<unsigned long>(shownBase),
                bases::BaseConverter::kMaxFractionDigits);
  const mpq_class below = *value - *shownValue;
  if (below >= 0 && below * unit < 1) return std::nullopt;
  return QStringLiteral("%1 is not %2 cut").arg(shown, typed);
}

// The base from the first byte, the text from the rest: a well-formed line
// or nothing, and the line shows the number exactly. Its working ends in the
// line, or stops when there is none; the text read as a row of a file gets a
// working too.
Violation convertInBase(const QByteArray& bytes) {
  if (bytes.isEmpty()) return std::nullopt;
  const int base = 2 + static_cast<unsigned char>(bytes[0]) % 35;
  const QString text = QString::fromUtf8(bytes.mid(1)), upper = text.toUpper();
  static const bases::BaseConverter converter;
  const std::optional<QString> line = converter.convert(text, base);
  const working::Working working = bases::BaseWorking(converter, text, base);
  bases::BaseWorkingForRow(converter, text);
  if (!line)
    return working.stopped ? std::nullopt : Violation(QStringLiteral("a working for a refused number"));
  if (working.stopped || working.steps.last().lines.last() != *line)
    return "a working that ends apart from " + *line;
  const QString baseMark = QStringLiteral(" (BASE%1)").arg(base);
  if (upper.startsWith(u'#')) {
    static const QRegularExpression decimal(QStringLiteral("^[0-9]+(\\.[0-9]+)?$"));
    const QString prefix = upper + baseMark + QStringLiteral(" = ");
    const QString digits = line->mid(prefix.size());
    if (!line->startsWith(prefix) || !decimal.match(digits).hasMatch()) return "bad line " + *line;
    return shownExactly(converter, upper.mid(1), base, digits, 10);
  }
  const QString digitClass = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ").left(base);
  const QString prefix = upper + QStringLiteral(" = #");
  const QString digits = line->mid(prefix.size(), line->size() - prefix.size() - baseMark.size());
  if (!line->startsWith(prefix) || !line->endsWith(baseMark) ||
      !QRegularExpression(QStringLiteral("^[%1]+(\\.[%1]+)?$").arg(digitClass)).match(digits).hasMatch())
    return "bad line " + *line;
  // A second point ends the number.
  return shownExactly(converter, upper.section(u'.', 0, 1), 10, digits, base);
}

// The contents tree as the window lists it: the entries and how deep they go.
std::pair<int, int> treeSize(const QTreeWidget& tree) {
  int entries = 0, depth = 0;
  for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it) {
    int level = 1;
    for (const QTreeWidgetItem* parent = (*it)->parent(); parent; parent = parent->parent()) ++level;
    ++entries;
    depth = std::max(depth, level);
  }
  return {entries, depth};
}

// Where the help inputs point their pictures outside the file: a picture and
// a named pipe that the check puts there.
const char kOutsidePicture[] = "/tmp/veltrano-fuzz-picture.png";
const char kOutsidePipe[] = "/tmp/veltrano-fuzz-pipe";

// The page laid out and painted: every picture the file does not hold shows
// one empty pixel, nothing having been read from the disk.
Violation picturesFromTheFileOnly(help::ChmBrowser& browser, const help::ChmFile& file) {
  QTextDocument* page = browser.document();
  page->documentLayout()->documentSize();
  browser.viewport()->grab();
  for (QTextBlock block = page->begin(); block != page->end(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.isImageFormat()) continue;
      const QUrl name(format.toImageFormat().name());
      const QUrl inFile = browser.resolved(name);
      if (inFile.scheme() == QLatin1String("chm") && file.contains(inFile.path())) continue;
      if (page->resource(QTextDocument::ImageResource, name).value<QImage>().size() != QSize(1, 1))
        return "a picture from outside the file is shown: " + name.toString();
    }
  }
  return std::nullopt;
}

// A help file's bytes or, when they do not begin as one, a help file of one
// page whose bytes serve as its contents file too. The reader refuses the
// file or reads every object it lists; the window shows it with a tree
// within the caps and a note exactly when the contents were cut, with
// pictures from the file alone, or refuses it when it has no page to show
// and then stays as it was.
struct HelpRun {
  std::shared_ptr<help::HelpWindow> window = std::make_shared<help::HelpWindow>();
  HelpRun() {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.save(QString::fromLatin1(kOutsidePicture));
  }
  Violation operator()(const QByteArray& bytes) const;
};

Violation HelpRun::operator()(const QByteArray& bytes) const {
  using help::ChmFile;
  const QString name = QStringLiteral("fuzz.chm");
  std::shared_ptr<const ChmFile> file =
      bytes.startsWith("ITSF") ? ChmFile::fromBytes(bytes, name)
                               : ChmFile::fromObjects(name, {{QStringLiteral("/contents.hhc"), bytes},
                                                             {QStringLiteral("/index.htm"), bytes}});
  if (!file) return std::nullopt;
  qint64 held = 0;
  for (const QString& object : file->objectPaths()) {
    const std::optional<QByteArray> data = file->read(object);
    if (!data) return "a listed object cannot be read: " + object;
    held += data->size();
  }
  if (held > ChmFile::kLargestContent) return QStringLiteral("the objects hold %1 bytes").arg(held);

  const QString contentsFile = file->contentsFile();
  const help::Contents contents = help::parseContents(
      QString::fromLatin1(contentsFile.isEmpty() ? QByteArray() : *file->read(contentsFile)));
  const QString titleBefore = window->windowTitle();
  const testing::PipeProbe pipe{QString::fromLatin1(kOutsidePipe)};
  if (!window->showFile(file)) {
    if (window->windowTitle() != titleBefore) return QStringLiteral("a refused file changed the window");
    return std::nullopt;
  }
  const QUrl page = window->browser()->source();
  if (page.isEmpty() || !file->contains(page.path()))
    return "the window shows no page of the file: " + page.toString();
  const auto [entries, depth] = treeSize(*window->contents());
  if (entries > help::Contents::kMaxEntries || depth > help::Contents::kMaxDepth)
    return QStringLiteral("the tree holds %1 entries %2 levels deep").arg(entries).arg(depth);
  if (window->contentsNote()->isHidden() == (contents.tooDeep || contents.tooMany || contents.tooLong))
    return QStringLiteral("the note does not match the cut");
  if (Violation violation = picturesFromTheFileOnly(*window->browser(), *file)) return violation;
  if (pipe.opened()) return QStringLiteral("a page opened a pipe outside the file");
  return std::nullopt;
}

}  // namespace

Check checkFor(const QString& target) {
  if (target == QLatin1String("text_to_number")) return textToNumber;
  if (target == QLatin1String("worksheet_reader")) return readWorksheet;
  if (target == QLatin1String("prime_table")) return loadPrimeTable;
  if (target == QLatin1String("bases_convert")) return convertInBase;
  if (target == QLatin1String("help_file")) return HelpRun{};
  for (const WindowKind& kind : kWindowKinds)
    if (target == QLatin1String(kind.name)) return OpenRun{&kind};
  qFatal("no fuzz target %s", qPrintable(target));
}

void startHeadless(int& argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  new QApplication(argc, argv);  // lives as long as the process
  QApplication::setStyle(QStringLiteral("Fusion"));
  std::setlocale(LC_NUMERIC, "C");
  testing::resetFakes();
}

}  // namespace veltrano::fuzzing
