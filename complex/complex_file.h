#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace veltrano {
class WorksheetReader;
class WorksheetWriter;
}  // namespace veltrano

namespace veltrano::complex {

// What the complex worksheet saves and prints: the texts as the window shows
// them, never re-formatted.
struct ComplexContents {
  std::array<QString, 5> inputs;   // txtA, txtB, txtC, txtD, txtN
  std::array<QString, 9> results;  // indexed by Target
  QStringList roots;

  bool operator==(const ComplexContents&) const = default;
};

void writeComplexFile(const ComplexContents& contents, WorksheetWriter& file);

// Reads the whole file, raising a run-time error for a short or bad one. An
// input text with no number in it is a sign that the file is another
// worksheet's (WorksheetReader::misfit).
ComplexContents readComplexFile(WorksheetReader& file);

QStringList complexPrintedLines(const ComplexContents& contents, std::int32_t task);

}  // namespace veltrano::complex
