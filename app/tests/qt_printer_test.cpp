#include "app/platform/qt_printer.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "common/runtime_error.h"
#include "common/testing/fake_platform.h"
#include "common/testing/printers.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

class QtPrinterTest : public ::testing::Test {
 protected:
  // Prints lines numbered from 1 into a PDF file under the heading.
  void printToPdf(int lines, const QString& heading = "Veltrano \u2013 Triangles \u2013 a,b,A (SSA)") {
    printer_.device().setOutputFormat(QPrinter::PdfFormat);
    printer_.device().setOutputFileName(pdf_);
    printer_.setHeading(heading);
    for (int i = 1; i <= lines; ++i) printer_.printLine(QStringLiteral("line %1").arg(i));
    printer_.endDoc();
  }

  // The text of each page of the PDF file, as pdftotext reads it.
  QStringList pdfPages() const {
    QProcess process;
    process.start("pdftotext", {"-layout", "-enc", "UTF-8", pdf_, "-"});
    EXPECT_TRUE(process.waitForFinished(30000));
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    return pages;
  }

  QTemporaryDir folder_;
  QString pdf_ = folder_.filePath("printed.pdf");
  QtPrinter printer_;
};

// Read back from the PDF: each page has the heading, the date of the clock
// and "page 2 of 3" around its lines, and the lines follow each other from
// page to page. A document with nothing in it is an empty page, as before.
TEST_F(QtPrinterTest, EveryPageOfThePdfHasTheHeadingDateAndPageOfPages) {
  if (QStandardPaths::findExecutable("pdftotext").isEmpty())
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed: the PDF is not read back";
  fakes().clock.time = QDateTime(QDate(2026, 3, 7), QTime(9, 30));
  printToPdf(200);
  const QStringList pages = pdfPages();
  ASSERT_GE(pages.size(), 3);
  int next = 1;
  for (int i = 0; i < pages.size(); ++i) {
    const QStringList rows = pages[i].split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(rows.size(), 3) << i;
    EXPECT_TRUE(rows.first().contains(
        QRegularExpression("^Veltrano \u2013 Triangles \u2013 a,b,A \\(SSA\\) +2026-03-07$")))
        << rows.first().toStdString();
    EXPECT_EQ(rows.last().trimmed(), QStringLiteral("page %1 of %2").arg(i + 1).arg(pages.size()));
    for (const QString& row : rows.mid(1, rows.size() - 2))
      EXPECT_EQ(row.trimmed(), QStringLiteral("line %1").arg(next++));
  }
  EXPECT_EQ(next, 201);

  printToPdf(0);
  EXPECT_EQ(pdfPages().join("").trimmed(), "");
}

// A job of more than two pages shows its progress page by page; Cancel stops
// it after the page being printed and leaves no PDF cut short behind.
TEST_F(QtPrinterTest, LongJobsShowProgressAndStopOnCancel) {
  struct Case {
    int lines;
    int cancelAt;
    int progressShown;
    bool fileLeft;
  } cases[] = {
      {120, -1, 0, true},  // two pages
      {400, -1, 1, true},
      {400, 2, 1, false},
  };
  for (const Case& c : cases) {
    resetFakes();
    fakes().progress.cancelAt = c.cancelAt;
    QFile::remove(pdf_);
    printToPdf(c.lines);
    const FakeProgress& progress = fakes().progress;
    EXPECT_EQ(progress.begun, c.progressShown) << c.lines;
    EXPECT_EQ(progress.ended, c.progressShown) << c.lines;
    if (c.progressShown) {
      EXPECT_EQ(progress.label, QStringLiteral("Printing %1 pages").arg(progress.steps));
      const int printed = c.cancelAt < 0 ? progress.steps : c.cancelAt;
      EXPECT_EQ(progress.advanced.size(), static_cast<std::size_t>(printed));
      EXPECT_EQ(progress.advanced.back(), printed);
    }
    EXPECT_EQ(QFile::exists(pdf_), c.fileLeft) << c.lines << " " << c.cancelAt;
  }
}

// A PDF file that cannot be written gives the run-time error with the file
// and the cause in the system's words; the next job prints as usual.
TEST_F(QtPrinterTest, AFileThatCannotBeWrittenIsNamedWithItsCause) {
  struct Case {
    QString path;
    QString cause;
  } cases[] = {
      {folder_.filePath("missing/printed.pdf"), "No such file or directory"},
      {folder_.path(), "Is a directory"},
  };
  for (const Case& c : cases) {
    printer_.device().setOutputFormat(QPrinter::PdfFormat);
    printer_.device().setOutputFileName(c.path);
    printer_.printLine("lost");
    try {
      printer_.endDoc();
      ADD_FAILURE() << "no error for " << c.path.toStdString();
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), ErrorNumber::PathFileAccess);
      EXPECT_EQ(error.path(), c.path);
      EXPECT_EQ(error.cause(), c.cause);
    }
  }
  printToPdf(1);
  EXPECT_TRUE(QFile::exists(pdf_));
}

}  // namespace
