// Every checked-in fuzz input, the crashes found among them, goes again
// through the check of its target on every build.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

#include "common/testing/printers.h"
#include "fuzz/fuzz_checks.h"

namespace veltrano::fuzzing {
namespace {

TEST(FuzzRegression, EveryCorpusInputPassesTheCheckOfItsTarget) {
  const QDir corpus(QStringLiteral(VELTRANO_FUZZ_CORPUS));
  const QStringList targets = corpus.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  EXPECT_EQ(targets.size(), 10);
  for (const QString& target : targets) {
    const Check check = checkFor(target);
    const QDir folder(corpus.filePath(target));
    for (const QString& name : folder.entryList(QDir::Files)) {
      QFile file(folder.filePath(name));
      ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(name);
      EXPECT_EQ(check(file.readAll()), std::nullopt) << qPrintable(target + u'/' + name);
    }
  }
}

}  // namespace
}  // namespace veltrano::fuzzing
