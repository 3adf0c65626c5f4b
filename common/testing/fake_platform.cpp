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

void FakePrinter::printLine(const QString& text) {
  const QStringList pieces = WrapLine(text, pageWidth, [](const QString& piece) { return piece.size(); });
  for (const QString& piece : pieces) page.push_back({piece, font});
}

void FakePrinter::endDoc() {
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
  installPlatform(
      {&messages, &files, &printer, &help, &decimal, &clock, &shell, QCoreApplication::applicationDirPath()});
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
