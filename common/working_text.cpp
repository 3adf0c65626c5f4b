#include "common/working_text.h"

#include <QHash>
#include <QStringList>
#include <algorithm>

namespace veltrano::working {

namespace {

const QString kIndent = QStringLiteral("   ");
const QString kGrey = QStringLiteral("#808080");

// The Unicode forms of the characters that have one raised or lowered.
const QHash<QChar, QChar>& superscripts() {
  static const QHash<QChar, QChar> map{
      {u'0', u'\u2070'}, {u'1', u'\u00b9'}, {u'2', u'\u00b2'},      {u'3', u'\u00b3'}, {u'4', u'\u2074'},
      {u'5', u'\u2075'}, {u'6', u'\u2076'}, {u'7', u'\u2077'},      {u'8', u'\u2078'}, {u'9', u'\u2079'},
      {u'+', u'\u207a'}, {u'-', u'\u207b'}, {u'\u2212', u'\u207b'}, {u'(', u'\u207d'}, {u')', u'\u207e'},
      {u'n', u'\u207f'}, {u'i', u'\u2071'}};
  return map;
}

const QHash<QChar, QChar>& subscripts() {
  static const QHash<QChar, QChar> map{
      {u'0', u'\u2080'}, {u'1', u'\u2081'}, {u'2', u'\u2082'},      {u'3', u'\u2083'}, {u'4', u'\u2084'},
      {u'5', u'\u2085'}, {u'6', u'\u2086'}, {u'7', u'\u2087'},      {u'8', u'\u2088'}, {u'9', u'\u2089'},
      {u'+', u'\u208a'}, {u'-', u'\u208b'}, {u'\u2212', u'\u208b'}, {u'(', u'\u208d'}, {u')', u'\u208e'},
      {u'n', u'\u2099'}, {u'k', u'\u2096'}, {u'i', u'\u1d62'}};
  return map;
}

// The text raised or lowered in Unicode when every character has a form,
// else marked with the sign and brackets that plain text reads as such.
QString shifted(const QString& text, const QHash<QChar, QChar>& map, QChar sign) {
  QString out;
  for (QChar c : text) {
    const auto found = map.constFind(c);
    if (found == map.constEnd()) return sign + QStringLiteral("(") + text + QStringLiteral(")");
    out += *found;
  }
  return out;
}

// Splits a text at its ^{...} and _{...} marks: the plain pieces go to
// plain(), the marked ones to marked() with their sign.
template <typename Plain, typename Marked>
void walkMarks(const QString& text, Plain plain, Marked marked) {
  qsizetype from = 0;
  while (from < text.size()) {
    qsizetype mark = -1;
    for (qsizetype i = from; i + 1 < text.size(); ++i) {
      if ((text[i] == u'^' || text[i] == u'_') && text[i + 1] == u'{') {
        mark = i;
        break;
      }
    }
    const qsizetype close = mark < 0 ? -1 : text.indexOf(u'}', mark + 2);
    if (close < 0) {
      plain(text.mid(from));
      return;
    }
    plain(text.mid(from, mark - from));
    marked(text[mark], text.mid(mark + 2, close - mark - 2));
    from = close + 1;
  }
}

QString plainOf(const QString& text) {
  QString out;
  walkMarks(
      text, [&](const QString& piece) { out += piece; },
      [&](QChar sign, const QString& piece) {
        out += shifted(piece, sign == u'^' ? superscripts() : subscripts(), sign);
      });
  return out;
}

QString htmlOf(const QString& text) {
  QString out;
  walkMarks(
      text, [&](const QString& piece) { out += piece.toHtmlEscaped(); },
      [&](QChar sign, const QString& piece) {
        const QString tag = sign == u'^' ? QStringLiteral("sup") : QStringLiteral("sub");
        out += QStringLiteral("<%1>%2</%1>").arg(tag, piece.toHtmlEscaped());
      });
  return out;
}

QString gapText(const Table& table) {
  return QStringLiteral("\u2026 %1 more rows \u2026").arg(table.rowsLeftOut);
}

int columnCount(const Table& table) {
  qsizetype count = table.header.size();
  for (const QStringList& row : table.rows) count = std::max(count, row.size());
  return static_cast<int>(count);
}

QString plainTable(const Table& table) {
  const int columns = columnCount(table);
  QList<QStringList> cells;
  if (!table.header.isEmpty()) cells << table.header;
  cells << table.rows;
  QList<qsizetype> widths(columns, 0);
  for (QStringList& row : cells) {
    for (QString& cell : row) cell = plainOf(cell);
    while (row.size() < columns) row << QString();
    for (int c = 0; c < columns; ++c) widths[c] = std::max(widths[c], row[c].size());
  }
  QString out;
  const qsizetype headerRows = table.header.isEmpty() ? 0 : 1;
  for (qsizetype r = 0; r < cells.size(); ++r) {
    if (table.rowsLeftOut > 0 && r == headerRows + table.leftOutAfterRow)
      out += kIndent + gapText(table) + u'\n';
    QStringList padded;
    for (int c = 0; c < columns; ++c) padded << cells[r][c].rightJustified(widths[c]);
    out += kIndent + padded.join(QStringLiteral(" | ")) + u'\n';
  }
  if (table.rowsLeftOut > 0 && cells.size() == headerRows + table.leftOutAfterRow)
    out += kIndent + gapText(table) + u'\n';
  return out;
}

// A number is never broken across lines: a wide table scrolls instead.
QString htmlRow(const QStringList& row, int columns, const QString& cellTag) {
  QString out = QStringLiteral("<tr>");
  for (int c = 0; c < columns; ++c) {
    const QString cell = c < row.size() ? htmlOf(row[c]) : QString();
    out += QStringLiteral("<%1 align=\"right\" nowrap=\"nowrap\">%2</%1>").arg(cellTag, cell);
  }
  return out + QStringLiteral("</tr>\n");
}

// Qt lays out every cell of a table as a frame of its own: a long table
// (the hundreds of steps of a long number in base 2) would take the pane
// several frames to show. Beyond a screenful its rows are set as the plain
// table, in a fixed-width font, which lays out as fast as plain lines.
constexpr qsizetype kLongestCellTable = 40;

QString preformattedTable(const Table& table) {
  return QStringLiteral("<pre>") + plainTable(table).toHtmlEscaped() + QStringLiteral("</pre>\n");
}

QString htmlTable(const Table& table) {
  if (table.rows.size() > kLongestCellTable) return preformattedTable(table);
  const int columns = columnCount(table);
  QString out = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n");
  if (!table.header.isEmpty()) out += htmlRow(table.header, columns, QStringLiteral("th"));
  const QString gap = QStringLiteral("<tr><td colspan=\"%1\" align=\"center\">%2</td></tr>\n")
                          .arg(columns)
                          .arg(gapText(table).toHtmlEscaped());
  for (qsizetype r = 0; r < table.rows.size(); ++r) {
    if (table.rowsLeftOut > 0 && r == table.leftOutAfterRow) out += gap;
    out += htmlRow(table.rows[r], columns, QStringLiteral("td"));
  }
  if (table.rowsLeftOut > 0 && table.rows.size() == table.leftOutAfterRow) out += gap;
  return out + QStringLiteral("</table>\n");
}

}  // namespace

QString greyedNote(const Working& working, Shown shown) {
  if (working.stopped) return QStringLiteral("Stopped: the last step says where and why.");
  if (shown == Shown::Greyed)
    return QStringLiteral("Greyed: the fields on show no longer read as these numbers.");
  return {};
}

QString toPlainText(const Working& working, Shown shown) {
  QString out;
  if (!working.title.isEmpty()) out += plainOf(working.title) + u'\n';
  const QString note = greyedNote(working, shown);
  if (!note.isEmpty()) out += note + u'\n';
  for (qsizetype i = 0; i < working.steps.size(); ++i) {
    const Step& step = working.steps[i];
    out += QStringLiteral("%1. %2\n").arg(i + 1).arg(plainOf(step.rule));
    for (const QString& line : step.lines) out += kIndent + plainOf(line) + u'\n';
    for (const Table& table : step.tables) out += plainTable(table);
  }
  return out;
}

QString toRichText(const Working& working, Shown shown) {
  const QString note = greyedNote(working, shown);
  QString out = QStringLiteral(
                    "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"/>"
                    "<title>%1</title></head>\n")
                    .arg(plainOf(working.title).toHtmlEscaped());
  out +=
      note.isEmpty() ? QStringLiteral("<body>\n") : QStringLiteral("<body style=\"color:%1\">\n").arg(kGrey);
  if (!working.title.isEmpty()) out += QStringLiteral("<h3>%1</h3>\n").arg(htmlOf(working.title));
  if (!note.isEmpty()) out += QStringLiteral("<p><i>%1</i></p>\n").arg(note.toHtmlEscaped());
  for (qsizetype i = 0; i < working.steps.size(); ++i) {
    const Step& step = working.steps[i];
    out += QStringLiteral("<p><b>%1. %2</b>").arg(i + 1).arg(htmlOf(step.rule));
    for (const QString& line : step.lines) out += QStringLiteral("<br/>\n&#160;&#160;&#160;") + htmlOf(line);
    out += QStringLiteral("</p>\n");
    for (const Table& table : step.tables) out += htmlTable(table);
  }
  return out + QStringLiteral("</body></html>\n");
}

}  // namespace veltrano::working
