#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QtEndian>
#include <chrono>
#include <thread>
#include <vector>

#include "common/file_access.h"
#include "common/runtime_error.h"
#include "common/testing/failing_file_calls.h"
#include "common/testing/raised_error.h"
#include "common/tests/file_test.h"

using namespace veltrano;
using veltrano::testing::FailingFileCalls;
using veltrano::testing::FileAccess;
using veltrano::testing::kNew;
using veltrano::testing::kOld;
using veltrano::testing::raisedError;
using Step = FailingFileCalls::Step;

namespace {

constexpr int kKilled = 9;

// File system calls that end the process before their nth call, as a kill
// at that point would: nothing after it runs, no destructor tidies up.
// Writes go a few bytes at a time, so that a kill can fall inside one.
class KillingFileCalls : public FileSystemCalls {
 public:
  explicit KillingFileCalls(int nth) : nth_(nth) {}
  int open(int folder, const char* name, int flags, mode_t mode) override {
    return step(), FileSystemCalls::open(folder, name, flags, mode);
  }
  ssize_t write(int fd, const void* data, size_t size) override {
    return step(), FileSystemCalls::write(fd, data, std::min<size_t>(size, 7));
  }
  int fsync(int fd) override { return step(), FileSystemCalls::fsync(fd); }
  int close(int fd) override { return step(), FileSystemCalls::close(fd); }
  int ftruncate(int fd, off_t size) override { return step(), FileSystemCalls::ftruncate(fd, size); }
  int fchown(int fd, uid_t owner, gid_t group) override {
    return step(), FileSystemCalls::fchown(fd, owner, group);
  }
  int setAttribute(int fd, const char* name, const void* value, size_t size) override {
    return step(), FileSystemCalls::setAttribute(fd, name, value, size);
  }
  int rename(int folder, const char* from, const char* to) override {
    return step(), FileSystemCalls::rename(folder, from, to);
  }
  int unlink(int folder, const char* name) override { return step(), FileSystemCalls::unlink(folder, name); }
  int lock(int fd, int operation) override { return step(), FileSystemCalls::lock(fd, operation); }

 private:
  void step() {
    if (++calls_ == nth_) ::_exit(kKilled);
  }
  int nth_;
  int calls_ = 0;
  ScopedFileSystemCalls inUse_{*this};
};

// Saves in a child process that is killed before the nth system call of the
// save; true when it was killed, false when the save ended first.
bool saveKilledAt(int nth, const QString& path, const QByteArray& bytes) {
  const pid_t child = ::fork();
  if (child == 0) {
    KillingFileCalls calls(nth);
    try {
      replaceFileContent(path, bytes);
    } catch (...) {
      ::_exit(1);
    }
    ::_exit(0);
  }
  int status = 0;
  EXPECT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_NE(WEXITSTATUS(status), 1) << "the save failed at call " << nth;
  return WEXITSTATUS(status) == kKilled;
}

// Wherever a save is killed, the file holds its old or its new content
// whole, or else its old content is whole in a backup that leftoverBackupOf
// names; a file written in place keeps its inode and hard links.
TEST_F(FileAccess, ASaveKilledAtAnyStepLeavesOneContentWholeOrABackup) {
  const struct {
    const char* what;
    bool hardLinked;  // written in place
    QByteArray before, after;
  } saves[] = {
      {"replaced, longer", false, kOld, kNew},
      {"replaced, shorter", false, kNew, kOld},
      {"in place, longer", true, kOld, kNew},
      {"in place, shorter", true, kNew, kOld},
  };
  for (const auto& save : saves) {
    writeBytes(path("sheet.txt"), save.before);
    if (save.hardLinked) {
      ASSERT_EQ(::link(at("sheet.txt"), at("hard")), 0);
    }
    const ino_t inode = statusOf("sheet.txt").st_ino;
    int killPoints = 0, torn = 0;
    for (int nth = 1; saveKilledAt(nth, path("sheet.txt"), save.after); ++nth) {
      ++killPoints;
      const QByteArray now = readBytes(path("sheet.txt"));
      const QString backup = leftoverBackupOf(path("sheet.txt"));
      if (!backup.isEmpty()) {
        EXPECT_EQ(readBytes(backup), save.before) << save.what << ", call " << nth;
      }
      if (now != save.before && now != save.after) {
        ++torn;
        EXPECT_FALSE(backup.isEmpty()) << save.what << ": torn without a backup at call " << nth;
      }
      if (save.hardLinked) {
        EXPECT_EQ(statusOf("sheet.txt").st_ino, inode) << save.what;
      }
      for (const QString& name : entries()) {
        if (name.startsWith(".veltrano-")) QFile::remove(path(name));
      }
      writeBytes(path("sheet.txt"), save.before);
    }
    EXPECT_EQ(readBytes(path("sheet.txt")), save.after) << save.what;
    EXPECT_GT(killPoints, 10) << save.what;
    EXPECT_EQ(torn > 0, save.hardLinked) << save.what << ": " << torn << " torn";
    QFile::remove(path("hard"));
  }
}

// Two saves of one file never mix: each locks it for the time of its write.
TEST_F(FileAccess, ConcurrentSavesOfOneFileDoNotMix) {
  writeBytes(path("sheet.txt"), kOld);
  ASSERT_EQ(::link(at("sheet.txt"), at("hard")), 0);  // written in place, where mixing could happen
  std::vector<QByteArray> contents;
  for (int i = 0; i < 3; ++i) contents.push_back(QByteArray(100000 * (3 - i) + 1, char('a' + i)));
  for (int round = 0; round < 40; ++round) {
    std::vector<std::thread> savers;
    for (const QByteArray& content : contents) {
      savers.emplace_back([&] { replaceFileContent(path(round % 2 ? "sheet.txt" : "hard"), content); });
    }
    for (std::thread& saver : savers) saver.join();
    const QByteArray now = readBytes(path("sheet.txt"));
    ASSERT_TRUE(std::find(contents.begin(), contents.end(), now) != contents.end())
        << "round " << round << ": " << now.size() << " bytes, " << now.front() << " to " << now.back();
  }
  EXPECT_EQ(entries(), (QStringList{"hard", "sheet.txt"}));
}

// A save waits for another one that holds the lock, and gives up with the
// cause when it is not released within a few seconds.
TEST_F(FileAccess, ASaveWaitsForTheLockAndGivesUpAfterAFewSeconds) {
  writeBytes(path("sheet.txt"), kOld);
  const int other = ::open(at("sheet.txt"), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(other, LOCK_EX), 0);
  std::thread saver([&] { replaceFileContent(path("sheet.txt"), kNew); });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(readBytes(path("sheet.txt")), kOld);
  ::flock(other, LOCK_UN);
  saver.join();
  EXPECT_EQ(readBytes(path("sheet.txt")), kNew);

  const int held = ::open(at("sheet.txt"), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(raisedError([&] { replaceFileContent(path("sheet.txt"), kOld); }).cause(),
            "Another save of this file has not ended within 5 seconds; try again");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(7));
  EXPECT_EQ(readBytes(path("sheet.txt")), kNew);
  ::close(held);
  ::close(other);
}

// The access list as the system stores it: a version, then entries of tag,
// permissions and id, little-endian.
QByteArray accessList(std::initializer_list<std::array<quint32, 3>> entries) {
  QByteArray list(4, '\0');
  qToLittleEndian<quint32>(2, list.data());
  for (const auto& [tag, permissions, id] : entries) {
    char entry[8];
    qToLittleEndian<quint16>(quint16(tag), entry);
    qToLittleEndian<quint16>(quint16(permissions), entry + 2);
    qToLittleEndian<quint32>(id, entry + 4);
    list.append(entry, 8);
  }
  return list;
}

QByteArray attribute(const QByteArray& file, const char* name) {
  QByteArray value(4096, '\0');
  const ssize_t size = ::getxattr(file, name, value.data(), value.size());
  return size < 0 ? QByteArray() : value.left(size);
}

// A replacing save gives the new file the old one's extended attributes,
// its access list among them, and the same permissions; when they cannot
// be given, the file is written in place, which keeps them too.
TEST_F(FileAccess, ExtendedAttributesAndAccessListsStayWithTheFile) {
  constexpr quint32 kNoId = 0xFFFFFFFF, kNobody = 65534;
  // user::rw-, user:nobody:rw-, group::r--, mask::rw-, other::---
  const QByteArray list = accessList(
      {{0x01, 6, kNoId}, {0x02, 6, kNobody}, {0x04, 4, kNoId}, {0x10, 6, kNoId}, {0x20, 0, kNoId}});
  writeBytes(path("sheet.txt"), kOld);
  if (::setxattr(at("sheet.txt"), "user.veltrano-test", "kept", 4, 0) != 0 ||
      ::setxattr(at("sheet.txt"), "system.posix_acl_access", list.constData(), list.size(), 0) != 0) {
    GTEST_SKIP() << "this file system keeps no extended attributes or access lists: "
                 << systemCause(errno).toStdString();
  }
  const mode_t mode = statusOf("sheet.txt").st_mode;
  const struct {
    const char* what;
    Step failing;  // a step that fails for every call
    bool inPlace;
  } saves[] = {{"replaced", Step::Open, false}, {"attributes refused", Step::Attribute, true}};
  for (const auto& save : saves) {
    const ino_t inode = statusOf("sheet.txt").st_ino;
    {
      FailingFileCalls refused(save.failing, save.failing == Step::Attribute ? 1 : 1000, EPERM, 1000);
      replaceFileContent(path("sheet.txt"), save.inPlace ? kNew : kOld);
    }
    EXPECT_EQ(readBytes(path("sheet.txt")), save.inPlace ? kNew : kOld) << save.what;
    EXPECT_EQ(statusOf("sheet.txt").st_ino == inode, save.inPlace) << save.what;
    EXPECT_EQ(attribute(at("sheet.txt"), "system.posix_acl_access"), list) << save.what;
    EXPECT_EQ(attribute(at("sheet.txt"), "user.veltrano-test"), "kept") << save.what;
    EXPECT_EQ(statusOf("sheet.txt").st_mode, mode) << save.what;
  }
  EXPECT_EQ(entries(), QStringList{"sheet.txt"});
}

// Temporary files that killed saves left are removed at the next save in
// their folder once stale: untouched for a minute with their process gone,
// or untouched for ten minutes. Nothing else is touched.
TEST_F(FileAccess, StaleTemporaryFilesOfKilledSavesAreRemoved) {
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
  const QString dead = QString::number(gone), alive = QString::number(::getpid());
  const struct {
    QString name;
    int untouchedSeconds;
    bool removed;
  } files[] = {
      {".veltrano-" + dead + "-0000000aaa.tmp", 120, true},
      {".veltrano-" + dead + "-0000000bbb.tmp", 10, false},  // its save may only just have been killed
      {".veltrano-" + alive + "-0000000ccc.tmp", 120, false},
      {".veltrano-" + alive + "-0000000ddd.tmp", 700, true},
      {".veltrano-1f2e-0000000eee.bak", 100000, false},  // a backup is the user's to remove
      {".veltrano-notes.tmp", 100000, false},
      {"notes-" + dead + "-0000000fff.tmp", 100000, false},
  };
  for (const auto& file : files) {
    writeBytes(path(file.name), kOld);
    const timespec times[2] = {{time(nullptr) - file.untouchedSeconds, 0},
                               {time(nullptr) - file.untouchedSeconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, at(file.name), times, 0), 0);
  }
  replaceFileContent(path("sheet.txt"), kNew);
  const QStringList left = entries();
  for (const auto& file : files)
    EXPECT_EQ(left.contains(file.name), !file.removed) << file.name.toStdString();
}

// Temporary files are named relative to their folder, so a folder whose path
// is as long as the system takes, with a short file name in it, saves.
TEST_F(FileAccess, AFolderPathNearTheSystemsLimitSaves) {
  QString folder = path("");
  while (folder.size() + 1 + 200 < PATH_MAX - 7) folder += '/' + QString(200, u'd');
  folder += '/' + QString(PATH_MAX - 7 - folder.size() - 1, u'e');
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString file = folder + "/s.txt";  // PATH_MAX - 1 bytes, as long as a path can be
  ASSERT_EQ(QFile::encodeName(file).size(), PATH_MAX - 1);
  replaceFileContent(file, kOld);
  replaceFileContent(file, kNew);
  EXPECT_EQ(readRegularFile(file), kNew);
  ASSERT_EQ(::link(QFile::encodeName(file), QFile::encodeName(folder + "/h")), 0);
  replaceFileContent(folder + "/h", kOld);  // in place, with a backup beside it
  EXPECT_EQ(readRegularFile(file), kOld);
  EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), (QStringList{"h", "s.txt"}));
}

}  // namespace
