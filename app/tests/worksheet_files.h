#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace veltrano::testing {

// The task indices of the table of worksheets.
inline constexpr int kFactorsTask = 0;
inline constexpr int kTrianglesTask = 1;
inline constexpr int kCirclesTask = 2;
inline constexpr int kComplexTask = 3;
inline constexpr int kBasesTask = 4;

// A file of one worksheet, as its window saves it.
struct SampleFile {
  QString name;  // a file name for it
  int task;      // whose file it is
  QByteArray bytes;
};

// One file of each worksheet, in the order of the table.
inline QList<SampleFile> sampleFiles() {
  return {
      {"primes.txt", kFactorsTask, " 3 \r\n360= 2  2  2  3  3  5\r\n97= PRIME\r\n8= 2  2  2  \r\n"},
      {"triangle.txt", kTrianglesTask, "3\r\n4\r\n5\r\n36.87\r\n53.13\r\n90\r\n6\r\n"},
      {"circle.txt", kCirclesTask,
       "1\r\n1\r\n.9588510394096375\r\n57.29577357044914\r\n.5\r\n7.926452985896049D-02\r\n"},
      {"roots.txt", kComplexTask,
       "1\r\n0\r\n0\r\n0\r\n3\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\"\"\r\n\r\n 3 \r\n1+1.73205080756888*i\r\n"
       "-2+2.44929359829471E-16*i\r\n1-1.73205080756888*i\r\n"},
      {"bases.txt", kBasesTask, " 2 \r\n255 = #FF (BASE16)\r\n = #0 (BASE16)\r\n"},
  };
}

}  // namespace veltrano::testing
