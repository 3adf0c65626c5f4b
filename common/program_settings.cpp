#include "common/program_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QSettings>

namespace veltrano {
namespace {

struct SettingsRun {
  QHash<QString, bool> choices;  // every choice of the run, written or not
  bool writingGivenUp = false;
};

SettingsRun& run() {
  static SettingsRun theRun;
  return theRun;
}

// QSettings waits for the lock of its file without limit when it writes, so
// the lock is tried here first, with a limit, and let go again at once.
bool lockIsFree(const QString& settingsFile) {
  QDir().mkpath(QFileInfo(settingsFile).path());
  QLockFile probe(settingsFile + QStringLiteral(".lock"));
  if (!probe.tryLock(kSettingsLockWaitMs)) return false;
  probe.unlock();
  return true;
}

bool write(const QString& key, bool value) {
  const std::unique_ptr<QSettings> settings = programSettings();
  if (!lockIsFree(settings->fileName())) return false;
  settings->setValue(key, value);
  settings->sync();
  return settings->status() == QSettings::NoError;
}

}  // namespace

std::unique_ptr<QSettings> programSettings() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Veltrano"),
                                     QStringLiteral("Veltrano"));
}

bool rememberedSetting(const QString& key) {
  const auto kept = run().choices.constFind(key);
  if (kept != run().choices.cend()) return *kept;
  return programSettings()->value(key, false).toBool();
}

bool remember(const QString& key, bool value) {
  SettingsRun& current = run();
  current.choices.insert(key, value);
  if (current.writingGivenUp) return false;
  if (write(key, value)) return true;
  current.writingGivenUp = true;  // the next choice would only wait as long again
  return false;
}

QString notRememberedNote() {
  return QStringLiteral(
             "Shown panes will be remembered only until Veltrano ends: %1 is locked or cannot be written")
      .arg(QDir::toNativeSeparators(programSettings()->fileName()));
}

void startSettingsRun() { run() = SettingsRun(); }

}  // namespace veltrano
