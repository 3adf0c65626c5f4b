#include "complex/complex_figure.h"

#include <QtMath>
#include <algorithm>
#include <cmath>

#include "common/numeric_text.h"

namespace veltrano::complex {

namespace {

using figure::direction;
using figure::Figure;
using figure::Ink;

constexpr int kGridLines = 4;          // round steps from 0 to the farthest point, about
constexpr double kArgumentMark = 0.3;  // radius of the argument's mark, in |x|
constexpr double kRingLabelAt = 225;   // where on the roots' circle its radius is told, degrees
constexpr double kPointTurn = 180;     // a point's label may go round it
constexpr double kAxisTurn = 60;
constexpr std::int32_t kPolarTask = 7;
constexpr std::int32_t kRootsTask = 9;
// Beyond this extent the plane's width (twice it and more) would leave the
// double range and the painter could not scale it: the plane is drawn in a
// power of ten as its unit instead, its step labels telling the true values.
constexpr double kLargestPlainExtent = 1e150;

// What each line and label stands for.
enum Part { kRealAxis = 1, kImaginaryAxis, kXPart, kYPart, kResultPart, kRingPart, kRootPart };

// The result's name as the window's result rows call it.
QString resultName(std::int32_t task) {
  static const char* const names[] = {"x + y",  "x - y",  "x * y",      "x / y", "y ^ x",
                                      "Exp(x)", "Log(x)", "Polar form", "x ^ n", "root 1"};
  return QString::fromLatin1(names[std::clamp(task, 0, 9)]);
}

// "3+4i", "-2", "1.5i", "1+1.732i", rounded for reading; "=" when nothing
// was rounded, else "≈".
QString namedPoint(const QString& name, QPointF p) {
  const QString re = figure::roundedForReading(p.x());
  const QString im = figure::roundedForReading(std::abs(p.y()));
  const bool exact = re.toDouble() == p.x() && im.toDouble() == std::abs(p.y());
  QString number = re;
  if (p.y() != 0) {
    const QString imaginary = (im == QStringLiteral("1") ? QString() : im) + u'i';
    number = p.x() == 0 ? (p.y() < 0 ? QStringLiteral("-") : QString()) + imaginary
                        : re + (p.y() < 0 ? u'-' : u'+') + imaginary;
  }
  return name + (exact ? QStringLiteral(" = ") : QStringLiteral(" \u2248 ")) + number;
}

// The polar form's text "5,0.927295218001612" told as "|x| = 5, arg ≈ 0.9273".
QString polarText(const QString& resultText) {
  const QStringList parts = resultText.split(u',');
  if (parts.size() != 2) return resultText;
  return figure::namedValue(QStringLiteral("|x|"), TextToNumber(parts[0])) + QStringLiteral(", ") +
         figure::namedValue(QStringLiteral("arg"), TextToNumber(parts[1]));
}

double reach(QPointF p) { return std::max(std::abs(p.x()), std::abs(p.y())); }

// The farthest coordinate of anything drawn, at least 1 so that 0 alone
// still gets a plane around it.
double extentOf(const ShownComplex& shown) {
  double extent = std::max(1.0, reach(shown.x));
  if (shown.y) extent = std::max(extent, reach(*shown.y));
  if (shown.result && shown.task != kRootsTask) extent = std::max(extent, reach(*shown.result));
  for (QPointF root : shown.roots) extent = std::max(extent, reach(root));
  return extent;
}

figure::Label pointLabel(QPointF at, const QString& text, QPointF away, int part, double spread) {
  figure::Label label{at, text, away.isNull() ? direction(-45) : away};
  label.part = part;
  label.spread = spread;
  return label;
}

// The axes with arrow heads, named Re and Im, each with its first round step told.
void addPlane(Figure& f, double extent, double unit) {
  const double step = figure::roundStep(extent, kGridLines);
  const double lines = std::ceil(extent / step);
  const double edge = lines * step;
  for (double i = -lines; i <= lines; ++i) {
    if (i == 0) continue;
    f.segments.append({QPointF(i * step, -edge), QPointF(i * step, edge), Ink::Grid});
    f.segments.append({QPointF(-edge, i * step), QPointF(edge, i * step), Ink::Grid});
  }
  f.segments.append({QPointF(-edge, 0), QPointF(edge, 0), Ink::Axis, false, true, false, kRealAxis});
  f.segments.append({QPointF(0, -edge), QPointF(0, edge), Ink::Axis, false, true, false, kImaginaryAxis});
  const QString stepText = figure::roundedForReading(step * unit);
  f.labels.append(pointLabel(QPointF(edge, 0), QStringLiteral("Re"), direction(-90), kRealAxis, kAxisTurn));
  f.labels.append(
      pointLabel(QPointF(0, edge), QStringLiteral("Im"), direction(180), kImaginaryAxis, kAxisTurn));
  f.labels.append(pointLabel(QPointF(step, 0), stepText, direction(-90), kRealAxis, kAxisTurn));
  f.labels.append(pointLabel(QPointF(0, step), stepText + u'i', direction(180), kImaginaryAxis, kAxisTurn));
}

// An arrow from 0; none for 0 itself, which has no direction. Labels tell
// the true values, whatever unit the plane is drawn in.
void addArrow(Figure& f, QPointF to, const QString& name, int part, double unit) {
  if (to.isNull()) return;
  f.segments.append({QPointF(0, 0), to, Ink::Input, false, true, true, part});
  f.labels.append(pointLabel(to, namedPoint(name, to * unit), to, part, kPointTurn));
}

void addPoint(Figure& f, QPointF at, const QString& text, int part) {
  f.dots.append({{at}, Ink::Result, true, part});
  f.labels.append(pointLabel(at, text, at, part, kPointTurn));
}

// Every root on its circle, whose radius is told; only the first is large
// and told.
void addRoots(Figure& f, const ShownComplex& shown, double unit) {
  const QPointF first = shown.roots.first();
  const double radius = std::hypot(first.x(), first.y());
  f.arcs.append({QPointF(0, 0), radius, 0, 360, Ink::Line, false, true, kRingPart});
  f.dots.append({shown.roots, Ink::Result, false});
  addPoint(f, first, namedPoint(resultName(kRootsTask), first * unit), kRootPart);
  const QPointF ringPoint = radius * direction(kRingLabelAt);
  f.labels.append(pointLabel(ringPoint, figure::namedValue(QStringLiteral("radius"), radius * unit),
                             direction(kRingLabelAt), kRingPart, kPointTurn));
}

}  // namespace

std::optional<QPointF> pointOfText(const QString& text) {
  QString rest = text;
  double im = 0;
  if (rest.endsWith(QStringLiteral("*i"))) {
    rest.chop(2);
    // The imaginary part starts at the last sign that is not an exponent's.
    qsizetype split = -1;
    for (qsizetype i = rest.size() - 1; i > 0; --i) {
      if ((rest[i] == u'+' || rest[i] == u'-') && rest[i - 1] != u'E') {
        split = i;
        break;
      }
    }
    if (split < 0) return std::nullopt;
    bool ok = false;
    im = rest.mid(split).toDouble(&ok);
    if (!ok) return std::nullopt;
    rest.truncate(split);
  }
  bool ok = false;
  const double re = rest.toDouble(&ok);
  if (!ok) return std::nullopt;
  return QPointF(re, im);
}

namespace {

// Every point of the figure in the given unit.
ShownComplex inUnit(ShownComplex shown, double unit) {
  shown.x /= unit;
  if (shown.y) *shown.y /= unit;
  if (shown.result) *shown.result /= unit;
  for (QPointF& root : shown.roots) root /= unit;
  return shown;
}

}  // namespace

Figure complexFigure(const ShownComplex& given) {
  const double extent = extentOf(given);
  const double unit = extent > kLargestPlainExtent ? std::pow(10.0, std::floor(std::log10(extent))) : 1.0;
  const ShownComplex shown = inUnit(given, unit);
  Figure f;
  addPlane(f, extentOf(shown), unit);
  if (shown.task == kPolarTask && !shown.x.isNull()) {
    const double degrees = qRadiansToDegrees(std::atan2(shown.x.y(), shown.x.x()));
    const double modulus = std::hypot(shown.x.x(), shown.x.y());
    // Measured from the positive real axis the way the polar form gives it,
    // from -90 up to 270 degrees.
    f.arcs.append({QPointF(0, 0), kArgumentMark * modulus, 0, degrees < -90 ? degrees + 360 : degrees});
  }
  addArrow(f, shown.x, QStringLiteral("x"), kXPart, unit);
  if (shown.y) addArrow(f, *shown.y, QStringLiteral("y"), kYPart, unit);
  if (shown.task == kRootsTask) {
    if (!shown.roots.isEmpty()) addRoots(f, shown, unit);
  } else if (shown.result) {
    const QString text = shown.task == kPolarTask ? polarText(shown.resultText)
                                                  : namedPoint(resultName(shown.task), *shown.result * unit);
    addPoint(f, *shown.result, text, kResultPart);
  }
  f.description = complexDescription(given);
  return f;
}

namespace {
QString pointWords(QPointF p) {
  return NumberToText(p.x()) + (p.y() < 0 ? QStringLiteral(" - ") : QStringLiteral(" + ")) +
         NumberToText(std::abs(p.y())) + QStringLiteral("i");
}
}  // namespace

QString complexDescription(const ShownComplex& shown) {
  QString words = QStringLiteral("Complex plane with x = ") + pointWords(shown.x);
  if (shown.y) words += QStringLiteral(", y = ") + pointWords(*shown.y);
  if (shown.task == kRootsTask) {
    if (shown.roots.isEmpty()) return words + QStringLiteral("; no roots listed");
    const QPointF first = shown.roots.first();
    return words + QStringLiteral("; %1 roots on the circle of radius %2, the first at %3")
                       .arg(shown.roots.size())
                       .arg(NumberToText(std::hypot(first.x(), first.y())), pointWords(first));
  }
  if (shown.result) words += QStringLiteral("; result ") + pointWords(*shown.result);
  return words;
}

}  // namespace veltrano::complex
