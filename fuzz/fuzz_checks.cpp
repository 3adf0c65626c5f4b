#include "fuzz/fuzz_checks.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <clocale>
#include <functional>
#include <vector>

#include "bases/base_converter.h"
#include "bases/bases_window.h"
#include "circles/circles_window.h"
#include "common/dimension.h"
#include "common/numeric_text.h"
#include "common/result_list.h"
#include "common/runtime_error.h"
#include "common/testing/fake_platform.h"
#include "common/ui_style.h"
#include "common/worksheet_file.h"
#include "complex/complex_file.h"
#include "complex/complex_window.h"
#include "factors/factors_window.h"
#include "factors/prime_table.h"
#include "triangles/triangles_window.h"

namespace veltrano::fuzzing {
namespace {

// Everything Open may change: each control's text, rows, check and marks,
// and the file name a later Save writes to.
QStringList snapshot(const QWidget& window) {
  QStringList state{Dimension::CurrentFileName};
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    QString item = widget->objectName() + QString::number(widget->isEnabled()) +
                   QString::number(style::isStale(widget)) + u'|';
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) item += edit->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) item += label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
      item += QString::number(button->isChecked());
    if (const auto* list = qobject_cast<const ResultList*>(widget)) item += list->rows().join(u'\n');
    state << item;
  }
  return state;
}

QStringList readFields(const QByteArray& bytes, int count) {
  WorksheetReader file(bytes);
  QStringList fields;
  for (int i = 0; i < count; ++i) fields << file.readField();
  return fields;
}

QStringList readCountedRows(const QByteArray& bytes) {
  WorksheetReader file(bytes);
  const std::int32_t count = file.readCount();
  QStringList rows;
  for (std::int32_t i = 0; i < count; ++i) rows << file.readField();
  return rows;
}

// What the window must show after taking the file: the named list's rows,
// or the named field's text (the last field of the file keeps its text
// whatever the solves that loading runs find).
using TakenCheck = std::function<bool(const QWidget&, const QByteArray&)>;

TakenCheck listHolds(const char* name, std::function<QStringList(const QByteArray&)> rowsOf) {
  return [name, rowsOf](const QWidget& window, const QByteArray& bytes) {
    return window.findChild<ResultList*>(QLatin1String(name))->rows() ==
           rowsOf(bytes).mid(0, ResultList::kMaxRows);
  };
}

TakenCheck lastFieldHolds(const char* name, int fieldCount) {
  return [name, fieldCount](const QWidget& window, const QByteArray& bytes) {
    return window.findChild<QLineEdit*>(QLatin1String(name))->text() == readFields(bytes, fieldCount).last();
  };
}

QStringList complexRoots(const QByteArray& bytes) {
  WorksheetReader file(bytes);
  return complex::readComplexFile(file).roots;
}

struct WindowKind {
  const char* name;
  std::function<WorksheetWindow*()> make;
  TakenCheck taken;
};

const WindowKind& windowKind(const QString& name) {
  static const WindowKind kinds[] = {
      {"factors", [] { return new factors::FactorsWindow; }, listHolds("lstFactors", readCountedRows)},
      {"triangles", [] { return new triangles::TrianglesWindow; }, lastFieldHolds("txtArea", 7)},
      {"circles", [] { return new circles::CirclesWindow; }, lastFieldHolds("txtSegment", 6)},
      {"complex", [] { return new complex::ComplexWindow; }, listHolds("lstResults", complexRoots)},
      {"bases", [] { return new bases::BasesWindow; }, listHolds("lstResults", readCountedRows)},
  };
  for (const WindowKind& kind : kinds)
    if (name == QLatin1String(kind.name)) return kind;
  qFatal("no window %s", qPrintable(name));
}

}  // namespace

OpenRun::OpenRun(const QString& windowName)
    : windowName_(windowName), window_(windowKind(windowName).make()) {}

OpenRun::~OpenRun() = default;

Violation OpenRun::open(const QByteArray& bytes) {
  const QString path = folder_.filePath(QStringLiteral("fuzz.txt"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
    return QStringLiteral("cannot write %1").arg(path);
  file.close();

  testing::FakePlatform& fakes = testing::fakes();
  fakes.messages.shown.clear();
  fakes.messages.answers.assign(3, MessageAnswer::Ok);  // more than one box is a fault too
  fakes.files.openAnswers = {path};
  Dimension::CurrentFileName = folder_.filePath(QStringLiteral("earlier.txt"));
  const QStringList before = snapshot(*window_);

  window_->findChild<QAction*>(QStringLiteral("mnuOpen"))->trigger();

  const auto boxes = fakes.messages.shown.size();
  fakes.messages.answers.clear();
  if (!fakes.files.openAnswers.empty()) return QStringLiteral("Open asked for no file");
  if (boxes > 1) return QStringLiteral("Open showed %1 boxes").arg(boxes);
  if (boxes == 1) {
    if (snapshot(*window_) != before)
      return QStringLiteral("the window changed on a refused file (%1)").arg(fakes.messages.shown[0].text);
    return std::nullopt;
  }
  if (Dimension::CurrentFileName != path) return QStringLiteral("the file name was not kept");
  if (!windowKind(windowName_).taken(*window_, bytes)) return QStringLiteral("the window does not hold the file");
  return std::nullopt;
}

Violation loadPrimeTable(const QByteArray& bytes) {
  if (bytes.isEmpty()) return std::nullopt;
  QByteArray file = bytes.mid(1);
  if (bytes[0] % 2 == 0) {
    // The fuzzed bytes stand for the first few numbers; a correct table
    // gives the rest.
    static const std::vector<QByteArray> tails = [] {
      QFile table(QCoreApplication::applicationDirPath() + u'/' + factors::PrimeTable::FileName);
      if (!table.open(QIODevice::ReadOnly)) qFatal("the prime table is missing");
      const QByteArray whole = table.readAll();
      std::vector<QByteArray> from{whole};  // the table from its first, second, ... number on
      while (from.size() < 8) from.push_back(from.back().mid(from.back().indexOf('\n') + 1));
      return from;
    }();
    file += "\r\n" + tails[static_cast<unsigned char>(bytes[0]) / 2 % 8];
  }
  try {
    const factors::PrimeTable table = factors::PrimeTable::fromBytes(file, QStringLiteral("fuzz"));
    for (std::int32_t i = 1; i <= factors::PrimeTable::TableSize; ++i)
      if (table[i] < 2 || table[i] <= table[i - 1]) return QStringLiteral("entry %1 is not increasing").arg(i);
  } catch (const RuntimeError& e) {
    const ErrorNumber n = e.number();
    if (n != ErrorNumber::InputPastEndOfFile && n != ErrorNumber::TypeMismatch && n != ErrorNumber::Overflow)
      return QStringLiteral("unexpected error %1").arg(static_cast<int>(n));
  }
  return std::nullopt;
}

Violation convertInBase(const QByteArray& bytes) {
  if (bytes.isEmpty()) return std::nullopt;
  const int base = 2 + static_cast<unsigned char>(bytes[0]) % 35;
  const QString text = QString::fromUtf8(bytes.mid(1));
  static const bases::BaseConverter converter;
  const std::optional<QString> line = converter.convert(text, base);
  if (!line) return std::nullopt;
  const QString upper = text.toUpper();
  const QString baseMark = QStringLiteral(" (BASE%1)").arg(base);
  const QString digitClass = QStringLiteral("[%1]+(\\.[%1]+)?")
                                 .arg(base <= 10 ? QStringLiteral("0-%1").arg(base - 1)
                                                 : QStringLiteral("0-9A-%1").arg(QChar(u'A' + base - 11)));
  if (upper.startsWith(u'#')) {
    static const QRegularExpression decimal(QStringLiteral("^[0-9]+(\\.[0-9]+)?$"));
    if (!line->startsWith(upper + baseMark + QStringLiteral(" = ")) ||
        !decimal.match(line->mid(upper.size() + baseMark.size() + 3)).hasMatch())
      return QStringLiteral("bad line %1").arg(*line);
    return std::nullopt;
  }
  const QString prefix = upper + QStringLiteral(" = #");
  const QString digits = line->mid(prefix.size(), line->size() - prefix.size() - baseMark.size());
  if (!line->startsWith(prefix) || !line->endsWith(baseMark) ||
      !QRegularExpression(u'^' + digitClass + u'$').match(digits).hasMatch())
    return QStringLiteral("bad line %1").arg(*line);
  // A whole number a double holds exactly comes back unchanged.
  bool whole = false;
  const qlonglong value = upper.toLongLong(&whole);
  if (whole && upper.size() <= 15 &&
      converter.convert(u'#' + digits, base) != u'#' + digits + baseMark + QStringLiteral(" = ") + QString::number(value))
    return QStringLiteral("%1 does not come back from #%2").arg(upper, digits);
  return std::nullopt;
}

void startHeadless(int& argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  new QApplication(argc, argv);  // lives as long as the process
  QApplication::setStyle(QStringLiteral("Fusion"));
  std::setlocale(LC_NUMERIC, "C");
  testing::resetFakes();
}

}  // namespace veltrano::fuzzing
