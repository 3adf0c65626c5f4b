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
constexpr std::int32_t kPolarTask = 7;
constexpr std::int32_t kRootsTask = 9;
// Beyond this extent the plane's width (twice it and more) would leave the
// double range and the painter could not scale it: the plane is drawn in a
// power of ten as its unit instead, its step labels telling the true values.
constexpr double kLargestPlainExtent = 1e150;

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

void addPlane(Figure& f, double extent, double unit) {
  const double step = figure::roundStep(extent, kGridLines);
  const double lines = std::ceil(extent / step);
  const double edge = lines * step;
  for (double i = -lines; i <= lines; ++i) {
    if (i == 0) continue;
    f.segments.append({QPointF(i * step, -edge), QPointF(i * step, edge), Ink::Grid});
    f.segments.append({QPointF(-edge, i * step), QPointF(edge, i * step), Ink::Grid});
  }
  f.segments.append({QPointF(-edge, 0), QPointF(edge, 0), Ink::Axis, false, true});
  f.segments.append({QPointF(0, -edge), QPointF(0, edge), Ink::Axis, false, true});
  f.labels.append({QPointF(edge, 0), QStringLiteral("Re"), direction(-60)});
  f.labels.append({QPointF(0, edge), QStringLiteral("Im"), direction(-30)});
  f.labels.append({QPointF(step, 0), NumberToText(step * unit), direction(-60)});
  f.labels.append({QPointF(0, step), NumberToText(step * unit) + QStringLiteral("i"), direction(-30)});
}

// An arrow from 0; none for 0 itself, which has no direction.
void addArrow(Figure& f, QPointF to, const QString& name) {
  if (to.isNull()) return;
  f.segments.append({QPointF(0, 0), to, Ink::Input, false, true, true});
  f.labels.append({to, name, to});
}

void addPoint(Figure& f, QPointF at, const QString& text) {
  f.dots.append({{at}, Ink::Result, true});
  f.labels.append({at, text, at.isNull() ? direction(-45) : at});
}

// Every root on its circle; only the first is large and told.
void addRoots(Figure& f, const ShownComplex& shown) {
  const QPointF first = shown.roots.first();
  f.arcs.append({QPointF(0, 0), std::hypot(first.x(), first.y()), 0, 360, Ink::Line, false, true});
  f.dots.append({shown.roots, Ink::Result, false});
  addPoint(f, first, shown.firstRootText);
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
  addArrow(f, shown.x, QStringLiteral("x"));
  if (shown.y) addArrow(f, *shown.y, QStringLiteral("y"));
  if (shown.task == kRootsTask) {
    if (!shown.roots.isEmpty()) addRoots(f, shown);
  } else if (shown.result) {
    addPoint(f, *shown.result, shown.resultText);
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
