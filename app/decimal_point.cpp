#include "app/decimal_point.h"

#include <QStringList>

#include "common/platform.h"
#include "common/worksheet_window.h"

namespace veltrano::DecimalPoint {

void ReadDecimalSeparator() {
  SavedDecimalSeparator = platform().decimal->read();
  // A reading padded with zero characters ends at the first of them.
  const qsizetype end = SavedDecimalSeparator.indexOf(QChar(u'\0'));
  if (end >= 0) SavedDecimalSeparator.truncate(end);
}

void SetDecimalPoint() { platform().decimal->write(QStringLiteral(".")); }

void RestoreDecimalSeparator() { platform().decimal->write(SavedDecimalSeparator); }

QString DecimalCommaWarning() {
  const QStringList lines{
      QStringLiteral("Proper operation of this application requires the use of the DECIMAL POINT."),
      QStringLiteral("Your system is currently using the DECIMAL COMMA."),
      QString(),
      QStringLiteral("Do you wish to temporarily change this system setting to decimal point?"),
      QStringLiteral("(Upon exiting, this application will restore your setting.)"),
      QStringLiteral("(See HELP FILE or visit ") + WorksheetWindow::webAddress() +
          QStringLiteral(" for instructions on how to change MANUALLY)"),
      QString(),
      QStringLiteral("Press YES to change."),
  };
  return lines.join(QChar(u'\r'));
}

bool CheckDecimalSeparator() {
  ReadDecimalSeparator();
  if (SavedDecimalSeparator == QStringLiteral(".")) return true;
  const MessageRequest warning{QStringLiteral("Decimal Comma Warning!"), DecimalCommaWarning(),
                               MessageButtons::YesNoCancel, true};
  if (platform().messages->show(nullptr, warning) != MessageAnswer::Yes) return false;
  SetDecimalPoint();
  return true;
}

}  // namespace veltrano::DecimalPoint
