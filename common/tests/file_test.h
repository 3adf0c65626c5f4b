#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>

#include "common/testing/window_test.h"

namespace veltrano::testing {

inline const QByteArray kOld = " 1 \r\n360= 2  2  2  3  3  5\r\n";
inline const QByteArray kNew = " 2 \r\n97= PRIME\r\n360= 2  2  2  3  3  5\r\n";

class FileAccess : public WindowTest {
 protected:
  // A file of the test's folder, named for the system's calls.
  QByteArray at(const QString& name) const { return QFile::encodeName(path(name)); }
  struct stat statusOf(const QString& name) const {
    struct stat status {};
    EXPECT_EQ(::lstat(at(name), &status), 0) << name.toStdString();
    return status;
  }
  // What the folder holds, hidden files included: no file of a failed save may stay behind.
  QStringList entries() const {
    return QDir(path("")).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  }
};

}  // namespace veltrano::testing
