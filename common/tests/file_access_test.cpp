#include "common/file_access.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cerrno>
#include <functional>

#include "common/runtime_error.h"
#include "common/testing/failing_file_calls.h"
#include "common/testing/printers.h"
#include "common/worksheet_file.h"

using namespace veltrano;
using veltrano::testing::FailingFileCalls;
using Step = FailingFileCalls::Step;

namespace {

RuntimeError errorOf(const std::function<void()>& step) {
  try {
    step();
  } catch (const RuntimeError& e) {
    return e;
  }
  ADD_FAILURE() << "no error";
  return RuntimeError(ErrorNumber::InvalidCall);
}

struct stat statusOf(const QString& path) {
  struct stat status {};
  EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &status), 0) << path.toStdString();
  return status;
}

QByteArray bytesOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

const QByteArray kOld = " 1 \r\n360= 2  2  2  3  3  5\r\n";
const QByteArray kNew = " 2 \r\n97= PRIME\r\n360= 2  2  2  3  3  5\r\n";

class FileAccess : public ::testing::Test {
 protected:
  QString path(const QString& name) const { return folder.filePath(name); }
  static void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
  }
  // What the folder holds, hidden files included: no file of a failed save may stay behind.
  QStringList entries() const {
    return QDir(folder.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  }

  QTemporaryDir folder;
};

// Open never waits for a writer nor reads what no worksheet could write.
TEST_F(FileAccess, ReadsOnlyRegularFilesOfAWorksheetsSize) {
  ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", path("zero")));
  ASSERT_TRUE(QDir(folder.path()).mkdir("folder"));
  put(path("ten"), "0123456789");
  {
    QFile huge(path("huge"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(kMaxReadableFileBytes + 1));  // sparse
  }
  const std::tuple<QString, qint64, ErrorNumber, QString> refused[] = {
      {path("missing"), kMaxReadableFileBytes, ErrorNumber::FileNotFound, ""},
      {path("none/missing"), kMaxReadableFileBytes, ErrorNumber::PathNotFound,
       "There is no folder " + path("none")},
      {path("folder"), kMaxReadableFileBytes, ErrorNumber::PathFileAccess, "This is a folder, not a file"},
      {path("pipe"), kMaxReadableFileBytes, ErrorNumber::PathFileAccess,
       "This is a pipe, not a regular file"},
      {path("zero"), kMaxReadableFileBytes, ErrorNumber::PathFileAccess,
       "This is a device, not a regular file"},
      {path("ten"), 9, ErrorNumber::PathFileAccess,
       "The file is too large: 10 bytes, where no worksheet file has more than 9"},
      {path("huge"), kMaxReadableFileBytes, ErrorNumber::PathFileAccess,
       "The file is too large: 67108865 bytes, where no worksheet file has more than 67108864"},
  };
  for (const auto& [file, limit, number, cause] : refused) {
    const RuntimeError error = errorOf([&, &file = file, limit = limit] { readRegularFile(file, limit); });
    EXPECT_EQ(error.number(), number) << file.toStdString();
    EXPECT_EQ(error.path(), file);
    EXPECT_EQ(error.cause(), cause) << file.toStdString();
  }
  EXPECT_EQ(readRegularFile(path("ten"), 10), "0123456789");
  EXPECT_EQ(WorksheetReader::fromFile(path("ten")).readField(), "0123456789");
}

// The new file takes the old one's place whole, with its permissions and
// owner; a link is followed; hard links are written through, in place.
TEST_F(FileAccess, SaveReplacesTheFileAndKeepsWhatBelongsToIt) {
  put(path("sheet.txt"), kOld);
  ASSERT_EQ(::chmod(QFile::encodeName(path("sheet.txt")).constData(), 0640), 0);
  replaceFileContent(path("sheet.txt"), kNew);
  EXPECT_EQ(bytesOf(path("sheet.txt")), kNew);
  EXPECT_EQ(statusOf(path("sheet.txt")).st_mode & 07777, 0640u);

  const mode_t mask = ::umask(022);
  ::umask(mask);
  replaceFileContent(path("new.txt"), kNew);
  EXPECT_EQ(statusOf(path("new.txt")).st_mode & 07777, 0666u & ~mask);

  // Through two links, and through one whose target does not exist yet.
  ASSERT_TRUE(QFile::link("sheet.txt", path("link1")) && QFile::link(path("link1"), path("link2")));
  ASSERT_TRUE(QFile::link("later.txt", path("dangling")));
  replaceFileContent(path("link2"), kOld);
  replaceFileContent(path("dangling"), kOld);
  EXPECT_TRUE(S_ISLNK(statusOf(path("link1")).st_mode) && S_ISLNK(statusOf(path("link2")).st_mode));
  EXPECT_EQ(bytesOf(path("sheet.txt")), kOld);
  EXPECT_EQ(bytesOf(path("later.txt")), kOld);

  ASSERT_EQ(
      ::link(QFile::encodeName(path("sheet.txt")).constData(), QFile::encodeName(path("hard")).constData()),
      0);
  const ino_t inode = statusOf(path("sheet.txt")).st_ino;
  replaceFileContent(path("hard"), kNew);
  EXPECT_EQ(bytesOf(path("sheet.txt")), kNew);
  EXPECT_EQ(statusOf(path("sheet.txt")).st_ino, inode);
  EXPECT_EQ(statusOf(path("sheet.txt")).st_mode & 07777, 0640u);

  if (::geteuid() == 0) {  // only an administrator can give a file away
    ASSERT_EQ(::chown(QFile::encodeName(path("new.txt")).constData(), 4321, 4322), 0);
    replaceFileContent(path("new.txt"), kOld);
    EXPECT_TRUE(statusOf(path("new.txt")).st_uid == 4321 && statusOf(path("new.txt")).st_gid == 4322);
  }
  EXPECT_EQ(entries(),
            (QStringList{"dangling", "hard", "later.txt", "link1", "link2", "new.txt", "sheet.txt"}));
}

TEST_F(FileAccess, SaveRefusesWhatIsNoRegularFile) {
  ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
  ASSERT_TRUE(QDir(folder.path()).mkdir("folder"));
  ASSERT_TRUE(QFile::link("pipe", path("to-pipe")));
  const bool device =
      ::mknod(QFile::encodeName(path("null")).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  const std::tuple<QString, ErrorNumber, QString> refused[] = {
      {path("pipe"), ErrorNumber::PathFileAccess, "This is a pipe, not a regular file"},
      {path("to-pipe"), ErrorNumber::PathFileAccess, "This is a pipe, not a regular file"},
      {path("folder"), ErrorNumber::PathFileAccess, "This is a folder, not a file"},
      {path("no/such/file.txt"), ErrorNumber::PathNotFound, "There is no folder " + path("no/such")},
      {device ? path("null") : path("folder"), ErrorNumber::PathFileAccess,
       device ? "This is a device, not a regular file" : "This is a folder, not a file"},
  };
  for (const auto& [file, number, cause] : refused) {
    const RuntimeError error = errorOf([&file = file] { replaceFileContent(file, kNew); });
    EXPECT_EQ(error.number(), number) << file.toStdString();
    EXPECT_EQ(error.cause(), cause) << file.toStdString();
  }
  EXPECT_TRUE(S_ISFIFO(statusOf(path("pipe")).st_mode));
  EXPECT_TRUE(!device || S_ISCHR(statusOf(path("null")).st_mode));
  EXPECT_EQ(entries().size(), device ? 4 : 3);
}

// Whatever step fails, the old file stays byte for byte, the error names
// the cause, and nothing is left beside it.
TEST_F(FileAccess, ASaveThatFailsAtAnyStepKeepsTheOldFile) {
  const struct {
    Step step;
    int errorCode;
    const char* cause;
  } failures[] = {
      {Step::Open, EACCES, "Permission denied: no new file can be made in the folder "},
      {Step::Write, ENOSPC, "No space left on device"},
      {Step::Fsync, EIO, "Input/output error"},
      {Step::Close, EDQUOT, "Disk quota exceeded"},
      {Step::Rename, EBUSY, "Device or resource busy"},
  };
  for (const auto& failure : failures) {
    put(path("sheet.txt"), kOld);
    FailingFileCalls calls(failure.step, 1, failure.errorCode);
    const RuntimeError error = errorOf([&] { replaceFileContent(path("sheet.txt"), kNew); });
    EXPECT_EQ(error.message().section(u'\n', 0, 4),
              "Run-time error '75':\n\nPath/File access error\n\n" + path("sheet.txt"));
    EXPECT_TRUE(error.cause().startsWith(QLatin1String(failure.cause))) << error.cause().toStdString();
    EXPECT_EQ(bytesOf(path("sheet.txt")), kOld) << failure.cause;
    EXPECT_EQ(entries(), QStringList{"sheet.txt"}) << failure.cause;
  }
  FailingFileCalls shortWrites(Step::Write, 0, 0);
  shortWrites.maxWrite = 3;
  replaceFileContent(path("sheet.txt"), kNew);
  EXPECT_EQ(bytesOf(path("sheet.txt")), kNew);
}

// A file written in place keeps a flushed copy of its old content until the
// write is done: a failed write is undone from it, and if even that fails,
// both contents stay on the disk and the error says where.
TEST_F(FileAccess, AFailedWriteInPlaceIsUndone) {
  // Writes: the new content beside the file, the copy of the old, then the file itself.
  const struct {
    Step step;
    int nth, times;
    const char* cause;
  } failures[] = {
      {Step::Write, 3, 1, "No space left on device"},
      {Step::Truncate, 1, 1, "No space left on device"},
      {Step::Fsync, 3, 1, "No space left on device"},
      {Step::Open, 3, 1, "No space left on device"},
  };
  put(path("sheet.txt"), kOld);
  ASSERT_EQ(
      ::link(QFile::encodeName(path("sheet.txt")).constData(), QFile::encodeName(path("hard")).constData()),
      0);
  for (const auto& failure : failures) {
    FailingFileCalls calls(failure.step, failure.nth, ENOSPC, failure.times);
    const RuntimeError error = errorOf([&] { replaceFileContent(path("sheet.txt"), kNew); });
    EXPECT_EQ(error.cause(), failure.cause);
    EXPECT_EQ(bytesOf(path("hard")), kOld);
    EXPECT_EQ(entries(), (QStringList{"hard", "sheet.txt"}));
  }

  FailingFileCalls lost(Step::Write, 3, ENOSPC, 2);  // the write and the undoing
  const QString cause = errorOf([&] { replaceFileContent(path("sheet.txt"), kNew); }).cause();
  const QStringList kept =
      cause.section(u'\n', 1).split(QRegularExpression(" kept in | and the new content in "));
  ASSERT_EQ(kept.size(), 3) << cause.toStdString();
  EXPECT_TRUE(
      cause.startsWith("No space left on device\nThe file could not be put back as it was: its old content"));
  EXPECT_EQ(bytesOf(kept[1]), kOld);
  EXPECT_EQ(bytesOf(kept[2]), kNew);
}

// A file whose owner cannot be given to a new file is written in place.
TEST_F(FileAccess, AFileOfAnotherOwnerIsWrittenInPlace) {
  if (::geteuid() != 0) GTEST_SKIP() << "only an administrator can make a file of another owner";
  put(path("sheet.txt"), kOld);
  ASSERT_EQ(::chown(QFile::encodeName(path("sheet.txt")).constData(), 4321, 4322), 0);
  const ino_t inode = statusOf(path("sheet.txt")).st_ino;
  FailingFileCalls notAdministrator(Step::Chown, 1, EPERM, 1000);
  replaceFileContent(path("sheet.txt"), kNew);
  EXPECT_EQ(bytesOf(path("sheet.txt")), kNew);
  EXPECT_EQ(statusOf(path("sheet.txt")).st_ino, inode);
  EXPECT_EQ(statusOf(path("sheet.txt")).st_uid, 4321u);
  EXPECT_EQ(entries(), QStringList{"sheet.txt"});
}

// On a real file system with no room left. The test runs itself again in a
// private mount namespace holding a tmpfs of 64 KB, which needs root; the
// environment variable tells the inner run where the tmpfs is.
TEST(FullFileSystem, ASaveThatFindsNoRoomKeepsTheOldFile) {
  const QString mounted = qEnvironmentVariable("VELTRANO_FULL_TMPFS");
  if (mounted.isEmpty()) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a tmpfs needs root";
    if (QProcess::execute("unshare", {"-m", "true"}) != 0) GTEST_SKIP() << "no private mount namespace here";
    QTemporaryDir mountPoint;
    QProcess inner;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VELTRANO_FULL_TMPFS", mountPoint.path());
    inner.setProcessEnvironment(environment);
    inner.setProcessChannelMode(QProcess::MergedChannels);
    inner.start("unshare",
                {"-m", "--propagation", "private", "sh", "-c",
                 "mount -t tmpfs -o size=64k veltrano \"$0\" || exit 77; exec \"$1\" --gtest_filter=$2",
                 mountPoint.path(), QCoreApplication::applicationFilePath(),
                 "FullFileSystem.ASaveThatFindsNoRoomKeepsTheOldFile"});
    ASSERT_TRUE(inner.waitForFinished(60000));
    const QByteArray output = inner.readAll();
    if (inner.exitCode() == 77) GTEST_SKIP() << "a tmpfs cannot be mounted here: " << output.toStdString();
    EXPECT_EQ(inner.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
    return;
  }

  const QString file = QDir(mounted).filePath("factors.txt");
  WorksheetWriter saved, next;
  saved.numberLine(1);
  saved.textLine("360= 2  2  2  3  3  5");
  saved.commit(file);
  QFile filler(QDir(mounted).filePath("filler"));
  ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
  while (filler.write(QByteArray(4096, 'x')) == 4096) {
  }
  filler.close();
  next.numberLine(2);
  next.textLine("97= PRIME");
  next.textLine("360= 2  2  2  3  3  5");
  const RuntimeError error = errorOf([&] { next.commit(file); });
  EXPECT_EQ(error.message(),
            "Run-time error '75':\n\nPath/File access error\n\n" + file + "\nNo space left on device");
  EXPECT_EQ(bytesOf(file), saved.bytes());
  EXPECT_EQ(QDir(mounted).entryList(QDir::Files | QDir::Hidden), (QStringList{"factors.txt", "filler"}));
}

}  // namespace
