#include "common/testing/fake_platform.h"

#include <gtest/gtest.h>
#include <QCoreApplication>

#include <memory>

#include "common/line_wrap.h"

namespace veltrano::testing {

MessageAnswer FakeMessageBoxes::show(QWidget*, const MessageRequest& request) {
  shown.push_back(request);
  if (answers.empty()) {
    ADD_FAILURE() << "Unexpected message box \"" << request.title.toStdString()
                  << "\": " << request.text.toStdString();
    switch (request.buttons) {
      case MessageButtons::Ok: return MessageAnswer::Ok;
      case MessageButtons::YesNo: return MessageAnswer::No;
      default: return MessageAnswer::Cancel;
    }
  }
  const MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

QString nextAnswer(std::deque<QString>& answers, const char* dialog) {
  if (answers.empty()) {
    ADD_FAILURE() << "Unexpected " << dialog << " dialog";
    return {};
  }
  QString path = answers.front();
  answers.pop_front();
  return path;
}

namespace {
constexpr int kHeaderLines = 2;  // the heading and date, then a blank line
constexpr int kFooterLines = 2;  // a blank line, then "page 2 of 3"
}  // namespace

void FakePrinter::printLine(const QString& text) {
  const QStringList pieces = WrapLine(text, pageWidth, [](const QString& piece) { return piece.size(); });
  for (const QString& piece : pieces) page.push_back({piece, font});
  entries_.push_back({text});
}

void FakePrinter::printFigure(const figure::Figure& figure, bool greyed) {
  entries_.push_back({QString(), static_cast<int>(figures.size())});
  figures.push_back({figure, greyed, static_cast<int>(page.size())});
}

void FakePrinter::endDoc() {
  const PageMeasures measures{.width = static_cast<double>(pageWidth),
                              .height = static_cast<double>(pageHeight - kHeaderLines - kFooterLines),
                              .lineHeight = 1,
                              .textWidth = [](const QString& piece) { return piece.size(); }};
  const std::vector<PageBody> bodies = layOutPages(entries_, measures);
  const QString date = pageDate(platform().clock->now().date());
  std::vector<PrintedPage> pages;
  for (std::size_t i = 0; i < bodies.size(); ++i) {
    PrintedPage printed;
    printed.heading = heading;
    printed.date = date;
    printed.footer = pageFooter(static_cast<int>(i) + 1, static_cast<int>(bodies.size()));
    for (const PlacedEntry& placed : bodies[i]) {
      if (entries_[static_cast<std::size_t>(placed.entry)].figure >= 0) {
        ++printed.figures;
      } else {
        printed.lines << placed.text;
      }
    }
    pages.push_back(printed);
  }
  pageJobs.push_back(pages);
  entries_.clear();
  jobs.push_back(page);
  page.clear();
  figureJobs.push_back(figures);
  figures.clear();
}

QStringList FakePrinter::lastJobTexts() const {
  QStringList texts;
  if (!jobs.empty()) {
    for (const PrintedLine& line : jobs.back()) texts << line.text;
  }
  return texts;
}

QDateTime FakeClock::now() {
  // Whole seconds, as the clock the start-up reads.
  QDateTime whole = time;
  whole.setTime(QTime(time.time().hour(), time.time().minute(), time.time().second()));
  return whole;
}

void FakePlatform::install() {
  installPlatform({&messages, &files, &printer, &help, &decimal, &clock, &shell, &progress,
                   QCoreApplication::applicationDirPath()});
}

namespace {
std::unique_ptr<FakePlatform> current;  // constant-initialised: usable before main
}  // namespace

FakePlatform& fakes() {
  if (!current) resetFakes();
  return *current;
}

void resetFakes() {
  current = std::make_unique<FakePlatform>();
  current->install();
}

}  // namespace veltrano::testing
