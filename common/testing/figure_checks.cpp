#include "common/testing/figure_checks.h"

namespace veltrano::testing {

using namespace veltrano::figure;

namespace {

QList<QPointF> onDevice(const QList<QPointF>& points, const Mapping& map) {
  QList<QPointF> mapped;
  for (QPointF p : points) mapped << map(p);
  return mapped;
}

QPointF nearestInBox(QPointF p, const QRectF& box) {
  return {std::clamp(p.x(), box.left(), box.right()), std::clamp(p.y(), box.top(), box.bottom())};
}

}  // namespace

LayoutMetrics testMetrics() {
  LayoutMetrics metrics;
  metrics.measure = fixedMeasure(7, 14);
  return metrics;
}

QStringList labelFaults(const Figure& figure, const Layout& layout, const QRectF& target) {
  QStringList faults;
  for (qsizetype i = 0; i < figure.labels.size(); ++i) {
    const Label& label = figure.labels[i];
    const PlacedLabel& placed = layout.labels[i];
    const QString name = QStringLiteral("\"%1\"").arg(label.text);
    if (!placed.clear) faults << name + QStringLiteral(" found no clear place");
    if (!target.contains(placed.box)) faults << name + QStringLiteral(" leaves the bounds");
    for (qsizetype j = i + 1; j < figure.labels.size(); ++j) {
      if (placed.box.intersects(layout.labels[j].box))
        faults << name + QStringLiteral(" overlaps \"%1\"").arg(figure.labels[j].text);
    }
    if (boxMeetsOtherLines(placed.box, figure, layout.map, label.part))
      faults << name + QStringLiteral(" lies on a line it does not name");
    if (label.place == Place::Inside) {
      const QList<QPointF> region = onDevice(label.region, layout.map);
      const bool in =
          placed.leader ? pointInPolygon(placed.leaderFrom, region) : boxInPolygon(placed.box, region);
      if (!in) faults << name + QStringLiteral(" is outside its region");
    }
    if (placed.leader) {
      for (qsizetype j = 0; j < figure.labels.size(); ++j) {
        if (j != i && boxMeetsSegment(layout.labels[j].box, placed.leaderFrom,
                                      nearestInBox(placed.leaderFrom, placed.box)))
          faults << name + QStringLiteral("'s leader crosses \"%1\"").arg(figure.labels[j].text);
      }
    }
  }
  return faults;
}

QStringList labelFaultsAt(const Figure& figure, QSizeF size) {
  const QRectF target(QPointF(0, 0), size);
  return labelFaults(figure, layoutFigure(figure, target, testMetrics()), target);
}

}  // namespace veltrano::testing
