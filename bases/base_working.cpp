#include "bases/base_working.h"

#include <algorithm>
#include <map>

#include "common/math_text.h"
#include "common/numeric_text.h"

namespace veltrano::bases {

using working::Step;
using working::Table;
using working::Working;

namespace {

const QString kDigits = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");

QString text(const mpz_class& value) { return QString::fromStdString(value.get_str()); }
QString text(const mpq_class& value) { return QString::fromStdString(value.get_str()); }
QString number(long long value) { return QString::number(value); }
QString baseName(int base) { return QStringLiteral("base %1").arg(base); }

// A fraction a/b not reduced, as one step's product shows it.
QString fraction(const mpz_class& numerator, const mpz_class& denominator) {
  return text(numerator) + u'/' + text(denominator);
}

// Whole part by repeated division: each quotient is divided again until it
// is 0; the remainders are the digits, the last one first.
QList<Step> wholePartSteps(const mpz_class& whole, int base, QString& digits) {
  Step step{QStringLiteral("Whole part %1 by repeated division by %2").arg(text(whole)).arg(base), {}, {}};
  if (whole == 0) {
    digits = QStringLiteral("0");
    step.lines.append(QStringLiteral("The whole part is 0, so its only digit is 0."));
    return {step};
  }
  Table table{{QStringLiteral("step"), QStringLiteral("number"), QStringLiteral("÷ %1 =").arg(base),
               QStringLiteral("remainder"), QStringLiteral("digit")},
              {}};
  mpz_class n = whole, quotient, remainder;
  for (int k = 1; n != 0; ++k) {
    mpz_fdiv_qr_ui(quotient.get_mpz_t(), remainder.get_mpz_t(), n.get_mpz_t(),
                   static_cast<unsigned long>(base));
    const QChar digit = kDigits[static_cast<int>(remainder.get_ui())];
    table.rows.append({number(k), text(n), text(quotient), text(remainder), digit});
    digits.prepend(digit);
    n = quotient;
  }
  step.lines.append(
      QStringLiteral("Divide by %1 until the quotient is 0; each remainder is a digit.").arg(base));
  step.tables.append(table);
  return {step,
          {QStringLiteral("Digits of the whole part"),
           {QStringLiteral("Read from the last remainder up, the digits are %1.").arg(digits)},
           {}}};
}

struct FractionDigits {
  QString digits;
  int periodStart = 0;  // the step from which the digits repeat; 0 when none was found
  QString period;
  bool cut = false;  // still going after the last digit kept
};

// One step of the fraction: the part left times the base; its whole part is
// the next digit and the rest is left for the next step.
FractionDigits fractionDigits(const mpq_class& fractionPart, int base, Table& table) {
  FractionDigits result;
  const mpz_class& denominator = fractionPart.get_den();
  mpz_class left = fractionPart.get_num(), digit;
  // The part left after each step, by the step; the same part again means
  // the same digits again from there on.
  std::map<mpz_class, int> seen{{left, 0}};
  for (int step = 1; step <= BaseConverter::kMaxFractionDigits && left != 0; ++step) {
    mpq_class before(left, denominator);
    before.canonicalize();
    const mpz_class product = before.get_num() * base;
    left *= base;
    mpz_fdiv_qr(digit.get_mpz_t(), left.get_mpz_t(), left.get_mpz_t(), denominator.get_mpz_t());
    mpq_class after(left, denominator);
    after.canonicalize();
    const QChar digitChar = kDigits[static_cast<int>(digit.get_ui())];
    QString leftText = text(after);
    const auto [place, isNew] = seen.try_emplace(left, step);
    if (!isNew && left != 0) {
      leftText += place->second == 0 ? QStringLiteral("  ← as at the start")
                                     : QStringLiteral("  ← as after step %1").arg(place->second);
      result.periodStart = place->second + 1;
    }
    table.rows.append({number(step), fraction(product, before.get_den()), digitChar, leftText});
    result.digits.append(digitChar);
    if (result.periodStart > 0) {
      result.period = result.digits.mid(result.periodStart - 1);
      break;
    }
  }
  result.cut = left != 0;
  return result;
}

// How the fraction's digits end: the remainder 0, a period, or the cut.
QStringList fractionEnd(const FractionDigits& fraction, const QString& wholeDigits, int base) {
  QStringList lines;
  if (!fraction.cut) {
    lines.append(
        QStringLiteral("Nothing is left after step %1: the fraction ends.").arg(fraction.digits.size()));
    return lines;
  }
  if (fraction.periodStart > 0) {
    const QString written =
        wholeDigits + u'.' + fraction.digits.left(fraction.periodStart - 1) + u'(' + fraction.period + u')';
    lines.append(QStringLiteral("From step %1 on the digits %2 repeat: %3 in %4, the digits in brackets "
                                "again and again.")
                     .arg(fraction.periodStart)
                     .arg(fraction.period, written, baseName(base)));
  } else {
    lines.append(QStringLiteral("After %1 steps no part left has come back and something is still left.")
                     .arg(BaseConverter::kMaxFractionDigits));
  }
  lines.append(QStringLiteral("The row shows the first %1 digits after the point, cut, not rounded.")
                   .arg(BaseConverter::kMaxFractionDigits));
  return lines;
}

QList<Step> fractionSteps(const mpq_class& fractionPart, int base, const QString& wholeDigits) {
  Step step{QStringLiteral("Fraction %1 by repeated multiplication by %2").arg(text(fractionPart)).arg(base),
            {QStringLiteral("Multiply what is left by %1 at each step; the whole part of the product is the "
                            "next digit.")
                 .arg(base)},
            {}};
  Table table{{QStringLiteral("step"), QStringLiteral("left × %1").arg(base), QStringLiteral("digit"),
               QStringLiteral("left")},
              {}};
  const FractionDigits digits = fractionDigits(fractionPart, base, table);
  step.tables.append(table);
  return {step,
          {QStringLiteral("How the fraction's digits go on"), fractionEnd(digits, wholeDigits, base), {}}};
}

// The whole part and the fraction of an exact value, each as its own step.
void digitSteps(Working& working, const mpq_class& value, int base) {
  mpz_class whole, rest;
  mpz_fdiv_qr(whole.get_mpz_t(), rest.get_mpz_t(), value.get_num_mpz_t(), value.get_den_mpz_t());
  QString wholeDigits;
  if (base == 10) {
    wholeDigits = text(whole);
    working.steps.append(
        {QStringLiteral("Whole part"), {QStringLiteral("The whole part is %1.").arg(wholeDigits)}, {}});
  } else {
    working.steps += wholePartSteps(whole, base, wholeDigits);
  }
  mpq_class fractionPart(rest, value.get_den());
  fractionPart.canonicalize();
  if (rest != 0) working.steps += fractionSteps(fractionPart, base, wholeDigits);
}

// digit × base^k for each digit of a "#" number, and their sum.
Step digitSumStep(const QString& digits, int base, const mpq_class& value) {
  const qsizetype point = digits.indexOf(u'.');
  const qsizetype wholeLength = point < 0 ? digits.size() : point;
  Step step{QStringLiteral("The digits as a sum of digit × %1 to the power of its place").arg(base), {}, {}};
  QStringList terms, values;
  Table table{
      {QStringLiteral("digit"), QStringLiteral("value"), QStringLiteral("× power"), QStringLiteral("term")},
      {}};
  qsizetype place = 0;
  for (qsizetype i = 0; i < digits.size(); ++i) {
    if (i == point) continue;
    const long long exponent = wholeLength - 1 - place++;
    const int digit = static_cast<int>(kDigits.indexOf(digits[i]));
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), static_cast<unsigned long>(base),
                  static_cast<unsigned long>(std::llabs(exponent)));
    mpq_class term = exponent >= 0 ? mpq_class(digit * power) : mpq_class(mpz_class(digit), power);
    term.canonicalize();
    const QString powerText = QString::number(base) + Superscript(exponent);
    terms.append(QString::number(digit) + u'·' + powerText);
    values.append(text(term));
    table.rows.append({QString(digits[i]), QString::number(digit), powerText, text(term)});
  }
  if (table.rows.isEmpty()) {
    step.lines.append(QStringLiteral("No digits: the value is 0."));
  } else if (table.rows.size() <= 6) {
    step.lines.append(terms.join(QStringLiteral(" + ")));
    step.lines.append(QStringLiteral("= ") + values.join(QStringLiteral(" + ")));
  } else {
    step.tables.append(table);
  }
  step.lines.append(QStringLiteral("= %1").arg(text(value)));
  return step;
}

Working stopped(Working working, const QString& why) {
  working.stopped = true;
  working.steps.append({QStringLiteral("Not converted"), {why}, {}});
  return working;
}

// Why the converter refused the number: the first character it cannot take.
QString refusal(const QString& text, int base) {
  if (text.size() > BaseConverter::kMaxTextLength) {
    return QStringLiteral("The number has %1 characters; at most %2 are read.")
        .arg(text.size())
        .arg(BaseConverter::kMaxTextLength);
  }
  const bool inBase = text.startsWith(u'#');
  const QString allowed = kDigits.left(base);
  bool pointSeen = false;
  for (qsizetype i = inBase ? 1 : 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'.' && (!pointSeen || !inBase)) {
      pointSeen = true;
      continue;
    }
    const QString place = QStringLiteral("\"%1\" at place %2").arg(c).arg(i + 1);
    if (c == u'.') return place + QStringLiteral(" is a second point; a number has at most one.");
    if (inBase && !allowed.contains(c)) {
      return place + QStringLiteral(" is no digit of %1, whose digits are 0 to %2.")
                         .arg(baseName(base), allowed.right(1));
    }
    if (!inBase && !c.isDigit()) {
      return place + QStringLiteral(
                         " is no decimal digit: a decimal number holds the digits 0 to 9 and a point; "
                         "a number in the base begins with #.");
    }
  }
  return QStringLiteral("The converter does not take this number.");
}

}  // namespace

Working BaseWorking(const BaseConverter& converter, const QString& numberText, int base) {
  const QString typed = numberText.toUpper();
  Working working{QStringLiteral("%1 in %2").arg(typed, baseName(base)), {}, false};
  if (!BaseConverter::isValidBase(base))
    return stopped(working,
                   QStringLiteral("The base must be a whole number from 2 to 36, not %1.").arg(base));
  const std::optional<QString> row = converter.convert(typed, base);
  if (!row) return stopped(working, refusal(typed, base));
  if (typed.startsWith(u'#')) {
    working.title = QStringLiteral("%1 from %2 to decimal").arg(typed, baseName(base));
    const mpq_class value = converter.exactValue(typed.mid(1), base).value();
    working.steps.append(digitSumStep(typed.mid(1), base, value));
    digitSteps(working, value, 10);
  } else {
    working.title = QStringLiteral("%1 from decimal to %2").arg(typed, baseName(base));
    const qsizetype secondPoint = typed.indexOf(u'.', typed.indexOf(u'.') + 1);
    const QString read = secondPoint < 0 ? typed : typed.left(secondPoint);
    const mpq_class value = converter.exactValue(read, 10).value();
    Step exact{QStringLiteral("The number as an exact fraction"), {}, {}};
    if (secondPoint >= 0)
      exact.lines.append(
          QStringLiteral("A second point ends the number: %1 is read as %2.").arg(typed, read));
    exact.lines.append(
        QStringLiteral("%1 = %2").arg(read.isEmpty() ? QStringLiteral("0") : read, text(value)));
    working.steps.append(exact);
    digitSteps(working, value, base);
  }
  working.steps.append({QStringLiteral("Result"), {*row}, {}});
  return working;
}

Working BaseWorkingForRow(const BaseConverter& converter, const QString& row) {
  // "11 = #1011 (BASE2)" or "#1011 (BASE2) = 11".
  const qsizetype baseAt = row.indexOf(QStringLiteral(" (BASE"));
  const qsizetype baseEnd = row.indexOf(u')', baseAt);
  bool baseRead = false;
  const int base = baseAt < 0 || baseEnd < 0 ? 0 : row.mid(baseAt + 6, baseEnd - baseAt - 6).toInt(&baseRead);
  const QString numberText =
      row.startsWith(u'#') ? row.left(baseAt) : row.section(QStringLiteral(" = #"), 0, 0);
  Working working{QStringLiteral("Row \"%1\"").arg(row), {}, false};
  if (!baseRead || !BaseConverter::isValidBase(base))
    return stopped(working,
                   QStringLiteral("The row names no base from 2 to 36: it is no result of a conversion."));
  Working made = BaseWorking(converter, numberText, base);
  const QString madeRow = made.steps.last().lines.last();
  if (made.stopped || madeRow != row) {
    return stopped(working,
                   QStringLiteral("Converting %1 in %2 gives \"%3\", not this row: the row was changed "
                                  "after it was made.")
                       .arg(numberText, baseName(base), made.stopped ? QStringLiteral("no row") : madeRow));
  }
  return made;
}

}  // namespace veltrano::bases
