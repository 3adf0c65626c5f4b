#include "complex/complex_file.h"

#include <algorithm>
#include <limits>

#include "common/worksheet_file.h"
#include "complex/complex_solver.h"

namespace veltrano::complex {

namespace {

const QString& result(const ComplexContents& contents, Target target) {
  return contents.results[static_cast<std::size_t>(target)];
}

}  // namespace

void writeComplexFile(const ComplexContents& contents, WorksheetWriter& file) {
  for (const QString& input : contents.inputs) file.textLine(input);
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
  const auto inputs = static_cast<qsizetype>(contents.inputs.size());
  const QStringList numbers = file.readNumberFields(static_cast<int>(inputs));
  const QStringList results = file.readFields(static_cast<int>(contents.results.size()));
  std::copy(numbers.begin(), numbers.end(), contents.inputs.begin());
  std::copy(results.begin(), results.end(), contents.results.begin());
  // More rows than the list holds are read all the same: the window shows
  // the first ones and says the list is full.
  contents.roots = file.readRows(std::numeric_limits<std::int32_t>::max());
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
