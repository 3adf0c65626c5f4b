// Every checked-in fuzz input, the crashes found among them, goes again
// through the check of its target on every build.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

#include "common/testing/printers.h"
#include "fuzz/fuzz_checks.h"

namespace veltrano::fuzzing {
namespace {

void checkCorpus(const QString& target, const std::function<Violation(const QByteArray&)>& check) {
  const QDir folder(QStringLiteral(VELTRANO_FUZZ_CORPUS "/") + target);
  const QStringList names = folder.entryList(QDir::Files);
  EXPECT_FALSE(names.isEmpty()) << qPrintable(target);
  for (const QString& name : names) {
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(name);
    EXPECT_EQ(check(file.readAll()), std::nullopt) << qPrintable(target + u'/' + name);
  }
}

TEST(FuzzRegression, OpenTakesTheFileOrLeavesTheWindowAsItWas) {
  for (const char* window : {"factors", "triangles", "circles", "complex", "bases"}) {
    OpenRun run{QLatin1String(window)};
    checkCorpus(QStringLiteral("open_") + QLatin1String(window), [&](const QByteArray& bytes) { return run.open(bytes); });
  }
}

TEST(FuzzRegression, PrimeTableLoadsOrRaisesAFileError) { checkCorpus(QStringLiteral("prime_table"), loadPrimeTable); }

TEST(FuzzRegression, ConvertGivesAWellFormedLineOrNothing) {
  checkCorpus(QStringLiteral("bases_convert"), convertInBase);
}

}  // namespace
}  // namespace veltrano::fuzzing
