#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace veltrano::working {

// The working behind a worksheet's results, as plain data: each worksheet
// builds it beside its solver from the very values the solver used, and one
// renderer turns it into the pane's rich text and into plain text (copy,
// print, screen readers). Texts use Unicode for the mathematics (², √, ·,
// −, ≈, °, θ), which reads the same in both forms; a superscript or
// subscript beyond them is marked ^{...} or _{...} (see working_text.h).

// Repeated steps of one kind, one row each (a division, a digit, an iterate).
struct Table {
  QStringList header;
  QList<QStringList> rows;
  // Rows left out between the first and the last ones listed, told in words
  // ("… 32757 more rows …"); 0 when every row is listed.
  int rowsLeftOut = 0;
  int leftOutAfterRow = 0;  // the rows listed before the gap
};

// One step: the rule in words, then its lines: the formula, the formula with
// the numbers put in, the result. A value a field shows is written exactly
// as the field shows it; a value rounded for reading is marked with ≈.
struct Step {
  QString rule;       // "Angle A by the law of cosines"
  QStringList lines;  // "cos A = (b² + c² − a²) / (2·b·c)", "= (16 + 25 − 9) / (2·4·5)", "= 0.8"
  QList<Table> tables;
};

struct Working {
  QString title;  // "Triangle, case a,b,c (SSS): a = 3, b = 4, c = 5"
  QList<Step> steps;
  // The solve stopped: the results on show no longer answer the fields, and
  // the last step says at which point and why.
  bool stopped = false;

  bool isEmpty() const { return title.isEmpty() && steps.isEmpty(); }
};

}  // namespace veltrano::working
