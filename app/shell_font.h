#pragma once

#include <QFont>
#include <QStringList>

#include "common/ui_style.h"

namespace veltrano {

// "MS Sans Serif" as the shell's windows were designed with. Where it is
// missing, the narrow Liberation Sans stands in before the system's default
// sans serif, which is too wide for the captions of the task selector.
inline QFont shellFont(double pointSize) {
  QFont font = style::font(QStringLiteral("MS Sans Serif"), pointSize, true);
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
  return font;
}

}  // namespace veltrano
