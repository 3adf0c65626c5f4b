#include "common/program_settings.h"

#include <QSettings>

namespace veltrano {

std::unique_ptr<QSettings> programSettings() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Veltrano"),
                                     QStringLiteral("Veltrano"));
}

bool rememberedSetting(const QString& key) { return programSettings()->value(key, false).toBool(); }

void remember(const QString& key, bool value) { programSettings()->setValue(key, value); }

}  // namespace veltrano
