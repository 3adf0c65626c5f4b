#include "common/file_access.h"

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>

#include "common/file_names.h"
#include "common/runtime_error.h"
#include "common/testing/failing_file_calls.h"
#include "common/testing/raised_error.h"
#include "common/tests/file_test.h"
#include "common/worksheet_file.h"

using namespace veltrano;
using veltrano::testing::FailingFileCalls;
using veltrano::testing::FileAccess;
using veltrano::testing::kNew;
using veltrano::testing::kOld;
using veltrano::testing::raisedError;
using Step = FailingFileCalls::Step;

namespace {

// Neither Open nor Save waits for a writer or touches what is no regular
// file, and Open reads nothing larger than a worksheet could write.
TEST_F(FileAccess, OnlyRegularFilesOfAWorksheetsSizeAreReadOrSaved) {
  ASSERT_EQ(::mkfifo(at("pipe"), 0600), 0);
  ASSERT_TRUE(QDir(path("")).mkdir("folder"));
  ASSERT_TRUE(QFile::link("pipe", path("to-pipe")) && QFile::link("/dev/zero", path("zero")));
  writeBytes(path("ten"), "0123456789");
  const QStringList before = entries();
  const qint64 max = kMaxReadableFileBytes;
  const struct {
    const char* name;
    bool saved;  // Save refuses it too
    qint64 limit;
    ErrorNumber number;
    QString cause;
  } refused[] = {
      {"pipe", true, max, ErrorNumber::PathFileAccess, "This is a pipe, not a regular file"},
      {"to-pipe", true, max, ErrorNumber::PathFileAccess, "This is a pipe, not a regular file"},
      {"folder", true, max, ErrorNumber::PathFileAccess, "This is a folder, not a file"},
      {"zero", true, max, ErrorNumber::PathFileAccess, "This is a device, not a regular file"},
      {"none/missing", true, max, ErrorNumber::PathNotFound, "There is no folder " + path("none")},
      {"missing", false, max, ErrorNumber::FileNotFound, ""},
      {"ten", false, 9, ErrorNumber::PathFileAccess,
       "The file is too large: 10 bytes, where no worksheet file has more than 9"},
  };
  for (const auto& r : refused) {
    const QString file = path(r.name);
    const auto expectRefusal = [&](const RuntimeError& error) {
      EXPECT_EQ(error.number(), r.number) << r.name;
      EXPECT_EQ(error.path(), file);
      EXPECT_EQ(error.cause(), r.cause) << r.name;
    };
    expectRefusal(raisedError([&] { readRegularFile(file, r.limit); }));
    if (r.saved) expectRefusal(raisedError([&] { replaceFileContent(file, kNew); }));
  }
  EXPECT_EQ(entries(), before);
  EXPECT_TRUE(S_ISFIFO(statusOf("pipe").st_mode));
  EXPECT_EQ(readRegularFile(path("ten"), 10), "0123456789");
}

// The new file takes the old one's place whole, with its permissions and
// owner; a link is followed; hard links, and an owner that the saver cannot
// give, are kept by writing the file itself, in place.
TEST_F(FileAccess, SaveReplacesTheFileAndKeepsWhatBelongsToIt) {
  writeBytes(path("sheet.txt"), kOld);
  ASSERT_EQ(::chmod(at("sheet.txt"), 0640), 0);
  replaceFileContent(path("sheet.txt"), kNew);
  EXPECT_EQ(readBytes(path("sheet.txt")), kNew);
  EXPECT_EQ(statusOf("sheet.txt").st_mode & 07777, 0640u);

  // Through two links, and through one whose target does not exist yet.
  ASSERT_TRUE(QFile::link("sheet.txt", path("link1")) && QFile::link(path("link1"), path("link2")));
  ASSERT_TRUE(QFile::link("later.txt", path("dangling")));
  replaceFileContent(path("link2"), kOld);
  replaceFileContent(path("dangling"), kOld);
  EXPECT_TRUE(S_ISLNK(statusOf("link1").st_mode) && S_ISLNK(statusOf("link2").st_mode));
  EXPECT_EQ(readBytes(path("sheet.txt")), kOld);
  EXPECT_EQ(readBytes(path("later.txt")), kOld);

  ASSERT_EQ(::link(at("sheet.txt"), at("hard")), 0);
  const ino_t inode = statusOf("sheet.txt").st_ino;
  replaceFileContent(path("hard"), kNew);
  EXPECT_EQ(readBytes(path("sheet.txt")), kNew);
  EXPECT_EQ(statusOf("sheet.txt").st_ino, inode);
  EXPECT_EQ(statusOf("sheet.txt").st_mode & 07777, 0640u);

  // A new file gets what the user's settings give, as any program's file would.
  const mode_t userMask = ::umask(022);
  replaceFileContent(path("new.txt"), kNew);
  ::umask(userMask);
  EXPECT_EQ(statusOf("new.txt").st_mode & 07777, 0644u);
  if (::geteuid() == 0) {  // only an administrator can give a file away
    // The group alone differs from what a new file of the saver gets.
    ASSERT_EQ(::chown(at("new.txt"), 0, 4322), 0);
    replaceFileContent(path("new.txt"), kOld);
    EXPECT_TRUE(statusOf("new.txt").st_uid == 0 && statusOf("new.txt").st_gid == 4322);
    ASSERT_EQ(::chown(at("new.txt"), 4321, 4322), 0);
    replaceFileContent(path("new.txt"), kOld);
    EXPECT_TRUE(statusOf("new.txt").st_uid == 4321 && statusOf("new.txt").st_gid == 4322);
    // A saver who cannot give the new file that owner writes the file in place.
    const ino_t owned = statusOf("new.txt").st_ino;
    FailingFileCalls notAdministrator(Step::Chown, 1, EPERM, 1000);
    replaceFileContent(path("new.txt"), kNew);
    EXPECT_EQ(readBytes(path("new.txt")), kNew);
    EXPECT_EQ(statusOf("new.txt").st_ino, owned);
  }
  EXPECT_EQ(entries(),
            (QStringList{"dangling", "hard", "later.txt", "link1", "link2", "new.txt", "sheet.txt"}));
}

// Calls as they answer a user who is no administrator: a file without a
// write permission may not be written, even by the test run as root.
class UnprivilegedCalls : public FileSystemCalls {
 public:
  int access(int folder, const char* name, int mode) override {
    struct stat status {};
    if (::fstatat(folder, name, &status, 0) != 0) return -1;
    if ((mode & W_OK) != 0 && (status.st_mode & S_IWUSR) == 0) {
      errno = EACCES;
      return -1;
    }
    return 0;
  }

 private:
  ScopedFileSystemCalls inUse_{*this};
};

// The folder would let the new file take its place: the file's own
// permissions refuse the save, followed through a link too.
TEST_F(FileAccess, AReadOnlyFileIsRefusedWithItsCause) {
  writeBytes(path("sheet.txt"), kOld);
  ASSERT_EQ(::chmod(at("sheet.txt"), 0444), 0);
  ASSERT_TRUE(QFile::link("sheet.txt", path("link")));
  UnprivilegedCalls user;
  for (const char* name : {"sheet.txt", "link"}) {
    EXPECT_EQ(raisedError([&] { replaceFileContent(path(name), kNew); }).message(),
              "Run-time error '75':\n\nPath/File access error\n\n" + path(name) + "\nPermission denied");
  }
  EXPECT_EQ(readBytes(path("sheet.txt")), kOld);
  EXPECT_EQ(statusOf("sheet.txt").st_mode & 07777, 0444u);
  EXPECT_EQ(entries(), (QStringList{"link", "sheet.txt"}));
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
    writeBytes(path("sheet.txt"), kOld);
    FailingFileCalls calls(failure.step, 1, failure.errorCode);
    const RuntimeError error = raisedError([&] { replaceFileContent(path("sheet.txt"), kNew); });
    EXPECT_EQ(error.message().section(u'\n', 0, 4),
              "Run-time error '75':\n\nPath/File access error\n\n" + path("sheet.txt"));
    EXPECT_TRUE(error.cause().startsWith(QLatin1String(failure.cause))) << error.cause().toStdString();
    EXPECT_EQ(readBytes(path("sheet.txt")), kOld) << failure.cause;
    EXPECT_EQ(entries(), QStringList{"sheet.txt"}) << failure.cause;
  }
  FailingFileCalls shortWrites(Step::Write, 0, 0);
  shortWrites.maxWrite = 3;
  replaceFileContent(path("sheet.txt"), kNew);
  EXPECT_EQ(readBytes(path("sheet.txt")), kNew);
  // A disk that takes nothing more ends the save rather than looping for ever.
  shortWrites.maxWrite = 0;
  EXPECT_EQ(raisedError([&] { replaceFileContent(path("sheet.txt"), kOld); }).cause(),
            "No space left on device");
  EXPECT_EQ(readBytes(path("sheet.txt")), kNew);
}

// A file written in place keeps a flushed copy of its old content until the
// write is done: a failed write is undone from it, and if even that fails,
// both contents stay on the disk and the error says where.
TEST_F(FileAccess, AFailedWriteInPlaceIsUndone) {
  writeBytes(path("sheet.txt"), kOld);
  ASSERT_EQ(::link(at("sheet.txt"), at("hard")), 0);
  // Opens, writes and flushes go to the new content beside the file, to the
  // backup of the old, then to the file itself; the backup is renamed to its
  // lasting name before the file is touched.
  const struct {
    Step step;
    int nth;
    QString cause;
  } failures[] = {
      {Step::Write, 3, "No space left on device"},
      {Step::Truncate, 1, "No space left on device"},
      {Step::Fsync, 3, "No space left on device"},
      {Step::Fsync, 2, "No space left on device"},
      {Step::Rename, 1, "No space left on device"},
      {Step::Open, 2, "No space left on device: no new file can be made in the folder " + path("")},
  };
  for (const auto& failure : failures) {
    FailingFileCalls calls(failure.step, failure.nth, ENOSPC);
    EXPECT_EQ(raisedError([&] { replaceFileContent(path("sheet.txt"), kNew); }).cause(), failure.cause);
    EXPECT_EQ(readBytes(path("hard")), kOld);
    EXPECT_EQ(entries(), (QStringList{"hard", "sheet.txt"}));
  }

  FailingFileCalls lost(Step::Write, 3, ENOSPC, 2);  // the write and the undoing
  const QString cause = raisedError([&] { replaceFileContent(path("sheet.txt"), kNew); }).cause();
  const QStringList kept =
      cause.section(u'\n', 1).split(QRegularExpression(" kept in | and the new content in "));
  ASSERT_EQ(kept.size(), 3) << cause.toStdString();
  EXPECT_TRUE(
      cause.startsWith("No space left on device\nThe file could not be put back as it was: its old content"));
  EXPECT_EQ(readBytes(kept[1]), kOld);
  EXPECT_EQ(readBytes(kept[2]), kNew);
}

// Names are the system's bytes: those that are not UTF-8 go through the
// file layer and back unchanged, and the one file that a name from Qt (with
// U+FFFD for such bytes) stands for is opened and saved, never a second one.
TEST_F(FileAccess, NamesThatAreNotUtf8KeepTheirBytes) {
  const QByteArray roundTrips[] = {"caf\xE9.txt",
                                   "\xFF\xFE",
                                   "caf\xC3\xA9 \xE2\x82\xAC.txt",
                                   "\xED\xB2\x80 (a surrogate)",
                                   "\xC0\xAF (overlong)",
                                   "\xF4\x90\x80\x80 (beyond U+10FFFF)",
                                   "\xE2\x82 (cut short)",
                                   "\xF0\x9F\x98\x80"};
  for (const QByteArray& bytes : roundTrips) {
    EXPECT_EQ(systemFileNameOf(fileNameFromSystem(bytes)), bytes) << bytes.toHex().toStdString();
    if (QString::fromUtf8(bytes).toUtf8() == bytes) {
      EXPECT_EQ(fileNameFromSystem(bytes), QString::fromUtf8(bytes));
    }
  }

  const QByteArray folder = QFile::encodeName(path(""));
  const QByteArray own = folder + "/caf\xE9.txt";
  const int fd = ::open(own, O_WRONLY | O_CREAT | O_EXCL, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, kOld.constData(), kOld.size()), kOld.size());
  ::close(fd);
  const auto listing = [&] {
    QList<QByteArray> names;
    DIR* dir = ::opendir(folder);
    while (const dirent* entry = ::readdir(dir)) {
      if (entry->d_name[0] != '.') names.append(entry->d_name);
    }
    ::closedir(dir);
    return names;
  };
  const struct {
    const char* cameThrough;
    QString name;
  } names[] = {{"Qt", QFile::decodeName(own)}, {"the file layer", fileNameFromSystem(own)}};
  for (const auto& name : names) {
    EXPECT_EQ(readRegularFile(name.name), kOld) << name.cameThrough;
    replaceFileContent(name.name, kNew);
    EXPECT_EQ(listing(), QList<QByteArray>{"caf\xE9.txt"}) << name.cameThrough;
    EXPECT_EQ(readRegularFile(name.name), kNew) << name.cameThrough;
    EXPECT_TRUE(FileIdentity::of(name.name).exists()) << name.cameThrough;
    replaceFileContent(name.name, kOld);
  }
  // Two files that Qt shows under one name: neither is taken for the other.
  ASSERT_EQ(::link(own, folder + "/caf\xE8.txt"), 0);
  const RuntimeError error = raisedError([&] { replaceFileContent(QFile::decodeName(own), kNew); });
  EXPECT_EQ(error.cause(),
            "2 files in this folder have names that are not UTF-8 and show as this one: rename them so that "
            "they can be told apart");
  EXPECT_EQ(listing().size(), 2);
}

// A file's identity changes with its size, its modification time to the
// nanosecond, or its inode: each is a sign that another program saved it.
TEST_F(FileAccess, FileIdentityTellsWhetherAFileChanged) {
  const auto setModified = [&](const char* name, const timespec& when) {
    const timespec times[2] = {when, when};
    ASSERT_EQ(::utimensat(AT_FDCWD, at(name), times, 0), 0);
  };
  const timespec seen{1700000000, 123456789};
  const struct {
    const char* change;
    std::function<void()> make;
    bool same;
  } changes[] = {
      {"nothing", [] {}, true},
      {"read", [&] { readBytes(path("sheet.txt")); }, true},
      {"one nanosecond later",
       [&] {
         setModified("sheet.txt", {seen.tv_sec, seen.tv_nsec + 1});
       },
       false},
      {"as long, other content, same time",
       [&] {
         writeBytes(path("sheet.txt"), QByteArray(kOld).replace('1', '2'));
         setModified("sheet.txt", seen);
       },
       true},  // what the system cannot tell apart
      {"longer, same time",
       [&] {
         writeBytes(path("sheet.txt"), kNew);
         setModified("sheet.txt", seen);
       },
       false},
      {"replaced by another file of the same size and time",
       [&] {
         writeBytes(path("other.txt"), kOld);
         setModified("other.txt", seen);
         ASSERT_EQ(::rename(at("other.txt"), at("sheet.txt")), 0);
       },
       false},
  };
  for (const auto& change : changes) {
    writeBytes(path("sheet.txt"), kOld);
    setModified("sheet.txt", seen);
    const FileIdentity before = FileIdentity::of(path("sheet.txt"));
    change.make();
    EXPECT_EQ(FileIdentity::of(path("sheet.txt")) == before, change.same) << change.change;
  }
  const FileIdentity identity = FileIdentity::of(path("sheet.txt"));
  EXPECT_EQ(identity.size, kOld.size());
  EXPECT_EQ(identity.modifiedNanoseconds, seen.tv_nsec);
  EXPECT_EQ(identity.inode, statusOf("sheet.txt").st_ino);
  ASSERT_TRUE(QFile::link("sheet.txt", path("link")));
  EXPECT_EQ(FileIdentity::of(path("link")), identity);  // a link stands for its target
  EXPECT_FALSE(FileIdentity::of(path("missing")).exists());
  EXPECT_EQ(FileIdentity::of(path("missing")), FileIdentity{});
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
  const RuntimeError error = raisedError([&] { next.commit(file); });
  EXPECT_EQ(error.message(),
            "Run-time error '75':\n\nPath/File access error\n\n" + file + "\nNo space left on device");
  EXPECT_EQ(readRegularFile(file), saved.bytes());
  EXPECT_EQ(QDir(mounted).entryList(QDir::Files | QDir::Hidden), (QStringList{"factors.txt", "filler"}));
}

}  // namespace
