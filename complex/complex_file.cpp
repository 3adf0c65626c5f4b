#include "complex/complex_file.h"

#include "common/worksheet_file.h"
#include "complex/complex_solver.h"

namespace veltrano::complex {

namespace {

const QString& result(const ComplexContents& contents, Target target) {
  return contents.results[static_cast<std::size_t>(target)];
}

// A typed input holding a comma (or a leading blank) would not read back as
// it was written: the comma splits it into two fields and shifts every later
// field. Such a text goes into double quotes, which the reader takes off.
void inputLine(WorksheetWriter& file, const QString& text) {
  const bool splits = text.contains(u',') || text.startsWith(u' ') || text.startsWith(u'\t');
  if (splits && !text.contains(u'"')) {
    file.quotedLine(text);
  } else {
    file.textLine(text);
  }
}

}  // namespace

void writeComplexFile(const ComplexContents& contents, WorksheetWriter& file) {
  for (const QString& input : contents.inputs) inputLine(file, input);
  for (Target target : {Target::Sum, Target::Difference, Target::Product, Target::Quotient, Target::YtoX,
                        Target::Exp, Target::Log}) {
    file.textLine(result(contents, target));
  }
  file.quotedLine(result(contents, Target::Polar));
  file.textLine(result(contents, Target::XtoN));
  file.numberLine(static_cast<std::int32_t>(contents.roots.size()));
  for (const QString& row : contents.roots) file.textLine(row);
}

ComplexContents readComplexFile(WorksheetReader& file) {
  ComplexContents contents;
  for (QString& input : contents.inputs) input = file.readField();
  for (QString& text : contents.results) text = file.readField();
  // Rows are read one by one, never reserved from the count, so that a
  // corrupt count cannot ask for memory the file does not back.
  const std::int32_t count = file.readCount();
  for (std::int32_t row = 0; row < count; ++row) contents.roots.append(file.readField());
  return contents;
}

QStringList complexPrintedLines(const ComplexContents& contents, std::int32_t task) {
  const auto& in = contents.inputs;
  const TaskGroup group = groupOf(task);
  QStringList lines;
  lines << QStringLiteral("x = ") + in[0] + QStringLiteral(" + ") + in[1] + QStringLiteral(" * i");
  if (group == TaskGroup::TwoNumber) {
    lines << QStringLiteral("y = ") + in[2] + QStringLiteral(" + ") + in[3] + QStringLiteral(" * i");
  } else if (group == TaskGroup::Power) {
    lines << QStringLiteral("n = ") + in[4];
  }
  lines << QString();
  if (group == TaskGroup::TwoNumber) {
    lines << QStringLiteral("x + y = ") + result(contents, Target::Sum)
          << QStringLiteral("x - y = ") + result(contents, Target::Difference)
          << QStringLiteral("x * y = ") + result(contents, Target::Product)
          << QStringLiteral("x / y = ") + result(contents, Target::Quotient)
          << QStringLiteral("y ^ x = ") + result(contents, Target::YtoX);
  } else if (group == TaskGroup::Power) {
    lines << QStringLiteral("x ^ n = ") + result(contents, Target::XtoN) << QStringLiteral("nth roots of x:");
    lines += contents.roots;
  }
  lines << QStringLiteral("Exp(x) = ") + result(contents, Target::Exp)
        << QStringLiteral("Log(x) = ") + result(contents, Target::Log)
        << QStringLiteral("Polar form of x = ") + result(contents, Target::Polar);
  return lines;
}

}  // namespace veltrano::complex
