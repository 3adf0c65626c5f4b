#include "common/file_access.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <memory>
#include <optional>
#include <utility>

#include "common/file_names.h"
#include "common/runtime_error.h"

namespace veltrano {
namespace {

FileSystemCalls& systemCalls() {
  static FileSystemCalls calls;
  return calls;
}

FileSystemCalls* callsInUse = &systemCalls();

FileSystemCalls& calls() { return *callsInUse; }

// How long a save waits for another save of the same file to end.
constexpr auto kLockWait = std::chrono::seconds(5);
// A temporary file untouched this long whose process is gone is left from a
// killed save; one untouched for the longer time is, whatever its process id
// (which may be of another machine sharing the folder).
constexpr qint64 kStaleSeconds = 60;
constexpr qint64 kStaleOnAnyMachineSeconds = 600;

[[noreturn]] void failWith(int errorCode, const QString& shownPath, const QString& more = {}) {
  raise(ErrorNumber::PathFileAccess, shownPath, systemCause(errorCode) + more);
}

QByteArray folderOf(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  return slash <= 0 ? QByteArray("/") : path.left(slash);
}
QByteArray nameOf(const QByteArray& path) { return path.mid(path.lastIndexOf('/') + 1); }

bool isFolder(const QByteArray& path) {
  struct stat status {};
  return ::stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

[[noreturn]] void raiseMissing(const QString& shownPath, const QByteArray& path) {
  const QByteArray folder = folderOf(path);
  if (!isFolder(folder)) {
    raise(ErrorNumber::PathNotFound, shownPath,
          QStringLiteral("There is no folder %1").arg(fileNameFromSystem(folder)));
  }
  raise(ErrorNumber::FileNotFound, shownPath);
}

// Why a file that exists cannot be read or written as a worksheet file.
QString notRegularCause(mode_t mode) {
  if (S_ISDIR(mode)) return QStringLiteral("This is a folder, not a file");
  if (S_ISFIFO(mode)) return QStringLiteral("This is a pipe, not a regular file");
  if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("This is a device, not a regular file");
  if (S_ISSOCK(mode)) return QStringLiteral("This is a socket, not a regular file");
  return QStringLiteral("This is not a regular file");
}

[[noreturn]] void raiseTooLarge(const QString& path, qint64 size, qint64 maxBytes, const QString& kind) {
  raise(ErrorNumber::PathFileAccess, path,
        QStringLiteral("The file is too large: %1 bytes, where no %3 has more than %2")
            .arg(size)
            .arg(maxBytes)
            .arg(kind));
}

// A descriptor that is closed however the step that uses it ends. Only
// close() reports a failure: a close that fails after a write can be the
// first word of a full disk.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) calls().close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int get() const { return fd_; }
  // Hands the descriptor over without closing it.
  int release() { return std::exchange(fd_, -1); }
  void reset(int fd) {
    if (fd_ >= 0) calls().close(fd_);
    fd_ = fd;
  }
  void close(const QString& shownPath) {
    const int fd = fd_;
    fd_ = -1;
    if (calls().close(fd) != 0) failWith(errno, shownPath);
  }

 private:
  int fd_;
};

void writeAll(int fd, const char* data, qsizetype size, const QString& shownPath) {
  while (size > 0) {
    const ssize_t written = calls().write(fd, data, static_cast<size_t>(size));
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) failWith(errno, shownPath);
    if (written == 0) failWith(ENOSPC, shownPath);
    data += written;
    size -= written;
  }
}

void flush(int fd, const QString& shownPath) {
  if (calls().fsync(fd) != 0) failWith(errno, shownPath);
}

// Copies one descriptor's whole content to another, both from their start.
void copyWhole(int from, int to, const QString& shownPath) {
  if (::lseek(from, 0, SEEK_SET) < 0 || ::lseek(to, 0, SEEK_SET) < 0) failWith(errno, shownPath);
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(from, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) failWith(errno, shownPath);
    if (got == 0) return;
    writeAll(to, buffer, got, shownPath);
  }
}

QByteArray randomPart() {
  return QByteArray::number(QRandomGenerator::global()->generate64() % 0x1000000000000, 36)
      .rightJustified(10, '0');
}

// The folder that holds the file being saved; every name is taken relative
// to it, so that the length of its path does not matter.
class Folder {
 public:
  Folder(const QByteArray& path, const QString& shownPath)
      : path_(path), fd_(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_.get() < 0) failWith(errno, shownPath);
  }
  int fd() const { return fd_.get(); }
  QString shownFolder() const { return fileNameFromSystem(path_); }
  QString shown(const QByteArray& name) const {
    return fileNameFromSystem(path_ == "/" ? "/" + name : path_ + '/' + name);
  }
  // Makes the names of the folder lasting; a folder that cannot be flushed
  // changes nothing that was written, so its failure is not reported.
  void flush() const { ::fsync(fd_.get()); }
  template <typename Visit>
  void forEachEntry(Visit visit) const {
    const int listed = ::openat(fd_.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* listing = listed < 0 ? nullptr : ::fdopendir(listed);
    if (listing == nullptr) {
      if (listed >= 0) ::close(listed);
      return;
    }
    while (const dirent* entry = ::readdir(listing)) visit(QByteArray(entry->d_name));
    ::closedir(listing);
  }

 private:
  QByteArray path_;
  Descriptor fd_;
};

const QRegularExpression& temporaryName() {
  static const QRegularExpression pattern(QStringLiteral("^\\.veltrano-([0-9]+)-[0-9a-z]{10}\\.tmp$"));
  return pattern;
}

bool processIsGone(qint64 pid) {
  return pid <= 0 || pid > INT_MAX || (::kill(pid_t(pid), 0) != 0 && errno == ESRCH);
}

// Removes the temporary files that saves killed before their end left in
// the folder; those of saves still running are not stale yet.
void removeStaleTemporaries(const Folder& folder) {
  const qint64 now = QDateTime::currentSecsSinceEpoch();
  folder.forEachEntry([&](const QByteArray& name) {
    const QRegularExpressionMatch match = temporaryName().match(QString::fromLatin1(name));
    struct stat status {};
    if (!match.hasMatch() || ::fstatat(folder.fd(), name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(status.st_mode)) {
      return;
    }
    const qint64 untouched = now - status.st_mtim.tv_sec;
    if (untouched >= kStaleOnAnyMachineSeconds ||
        (untouched >= kStaleSeconds && processIsGone(match.captured(1).toLongLong()))) {
      ::unlinkat(folder.fd(), name.constData(), 0);
    }
  });
}

// A new file in the target's folder under a name of its own, removed when
// it goes out of scope unless it was renamed or is kept on purpose.
class TemporaryFile {
 public:
  TemporaryFile(const Folder& folder, mode_t mode, const QString& shownPath) : folder_(folder) {
    for (int tries = 0; tries < 100; ++tries) {
      name_ = ".veltrano-" + QByteArray::number(::getpid()) + '-' + randomPart() + ".tmp";
      const int fd =
          calls().open(folder.fd(), name_.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
      if (fd >= 0) {
        fd_.reset(fd);
        return;
      }
      if (errno != EEXIST) break;
    }
    const int code = errno;
    name_.clear();
    failWith(code, shownPath,
             QStringLiteral(": no new file can be made in the folder %1").arg(folder.shownFolder()));
  }
  ~TemporaryFile() {
    fd_.reset(-1);
    if (!name_.isEmpty()) ::unlinkat(folder_.fd(), name_.constData(), 0);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int fd() const { return fd_.get(); }
  const QByteArray& name() const { return name_; }
  // Flushed to the disk and closed: the content is safe from here on.
  void finish(const QString& shownPath) {
    flush(fd(), shownPath);
    fd_.close(shownPath);
  }
  // Gives the file its lasting name; it stays there.
  void renameTo(const QByteArray& name, const QString& shownPath) {
    if (calls().rename(folder_.fd(), name_.constData(), name.constData()) != 0) failWith(errno, shownPath);
    name_.clear();
  }
  // Leaves the file on the disk, under the given name if it can be given;
  // returns the name it stays under.
  QByteArray keepAs(const QByteArray& name) {
    const QByteArray kept =
        calls().rename(folder_.fd(), name_.constData(), name.constData()) == 0 ? name : name_;
    name_.clear();
    return kept;
  }

 private:
  const Folder& folder_;
  QByteArray name_;
  Descriptor fd_;
};

struct Target {
  QByteArray path;  // the file itself, symbolic links followed
  bool exists = false;
  struct stat status {};
};

QByteArray linkText(const QByteArray& link, const QString& shownPath) {
  char text[PATH_MAX];
  const ssize_t length = ::readlink(link.constData(), text, sizeof text);
  if (length < 0) failWith(errno, shownPath);
  if (length == sizeof text) failWith(ENAMETOOLONG, shownPath);
  return QByteArray(text, length);
}

// The file that a save to path writes: a symbolic link is followed to its
// target (which may not exist yet), as many links deep as the system allows.
Target targetOf(const QString& path) {
  QByteArray current = systemPathOf(QFileInfo(path).absoluteFilePath());
  for (int hops = 0; hops <= 40; ++hops) {
    Target target{current};
    if (::lstat(current.constData(), &target.status) != 0) {
      if (errno != ENOENT) failWith(errno, path);
      if (!isFolder(folderOf(current))) raiseMissing(path, current);
      return target;
    }
    if (!S_ISLNK(target.status.st_mode)) {
      target.exists = true;
      return target;
    }
    const QByteArray link = linkText(current, path);
    current = link.startsWith('/') ? link : folderOf(current) + '/' + link;
  }
  failWith(ELOOP, path);
}

bool sameFile(const struct stat& a, const struct stat& b) {
  return a.st_ino == b.st_ino && a.st_dev == b.st_dev;
}

// Opens the existing target and locks it against other saves, waiting a
// little for one that is under way; a file system without locks saves
// unlocked. The status is read again under the lock, and a file that
// another save replaced meanwhile is opened anew.
int openLocked(const Folder& folder, Target& target, const QString& shownPath) {
  const QByteArray name = nameOf(target.path);
  for (int attempt = 0; attempt < 10; ++attempt) {
    int fd = ::openat(folder.fd(), name.constData(), O_RDWR | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 && errno == EACCES)
      fd = ::openat(folder.fd(), name.constData(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) failWith(errno, shownPath);
    Descriptor file(fd);
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    while (calls().lock(fd, LOCK_EX | LOCK_NB) != 0) {
      if (errno != EWOULDBLOCK && errno != EINTR) break;  // no locks here: nothing to wait for
      if (std::chrono::steady_clock::now() > deadline) {
        raise(ErrorNumber::PathFileAccess, shownPath,
              QStringLiteral("Another save of this file has not ended within %1 seconds; try again")
                  .arg(std::chrono::seconds(kLockWait).count()));
      }
      QThread::msleep(10);
    }
    struct stat atName {};
    if (::fstat(fd, &target.status) != 0) failWith(errno, shownPath);
    if (!S_ISREG(target.status.st_mode)) {
      raise(ErrorNumber::PathFileAccess, shownPath, notRegularCause(target.status.st_mode));
    }
    if (::fstatat(folder.fd(), name.constData(), &atName, AT_SYMLINK_NOFOLLOW) == 0 &&
        sameFile(atName, target.status)) {
      return file.release();
    }
  }
  failWith(EBUSY, shownPath);
}

// The extended attributes of a file (POSIX ACLs among them), by name.
QList<std::pair<QByteArray, QByteArray>> attributesOf(int fd) {
  QList<std::pair<QByteArray, QByteArray>> attributes;
  QByteArray names;
  for (ssize_t size = ::flistxattr(fd, nullptr, 0); size > 0; size = ::flistxattr(fd, nullptr, 0)) {
    names.resize(size);
    const ssize_t got = ::flistxattr(fd, names.data(), names.size());
    if (got >= 0) {
      names.resize(got);
      break;
    }
    if (errno != ERANGE) return attributes;
  }
  for (const QByteArray& name : names.split('\0')) {
    if (name.isEmpty()) continue;
    QByteArray value;
    for (ssize_t size = ::fgetxattr(fd, name.constData(), nullptr, 0); size >= 0;
         size = ::fgetxattr(fd, name.constData(), nullptr, 0)) {
      value.resize(size);
      const ssize_t got = ::fgetxattr(fd, name.constData(), value.data(), value.size());
      if (got >= 0) {
        value.resize(got);
        attributes.append({name, value});
        break;
      }
      if (errno != ERANGE) break;
    }
  }
  return attributes;
}

// Gives the new file every extended attribute of the old one that it lacks.
bool takeAttributes(int fresh, int old) {
  const auto has = attributesOf(fresh);
  for (const auto& attribute : attributesOf(old)) {
    if (has.contains(attribute)) continue;
    const QByteArray& value = attribute.second;
    if (calls().setAttribute(fresh, attribute.first.constData(), value.constData(), value.size()) != 0) {
      return false;
    }
  }
  return true;
}

// Gives the new file the old one's owner, group, extended attributes and
// permissions; false when any of them cannot be given (the owner only an
// administrator may give, some attributes need privileges or a file system
// that keeps them): the file is then written in place.
bool takeWhatBelongsToTheFile(int fresh, int old, const struct stat& status) {
  struct stat mine {};
  if (::fstat(fresh, &mine) != 0) return false;
  if ((mine.st_uid != status.st_uid || mine.st_gid != status.st_gid) &&
      calls().fchown(fresh, status.st_uid, status.st_gid) != 0) {
    return false;
  }
  // The permissions last: a change of owner clears the set-user-ID bits, and
  // an access list sets the group bits to its mask, which they already are.
  return takeAttributes(fresh, old) && ::fchmod(fresh, status.st_mode & 07777) == 0;
}

QByteArray backupPrefix(const struct stat& status) {
  return ".veltrano-" + QByteArray::number(quint64(status.st_ino), 16) + '-';
}

// Puts the old content back from the backup; false when even that fails.
bool restore(int file, int backup, off_t size, const QString& shownPath) {
  try {
    copyWhole(backup, file, shownPath);
    if (calls().ftruncate(file, size) != 0) return false;
    flush(file, shownPath);
    return true;
  } catch (const RuntimeError&) {
    return false;
  }
}

// Overwrites the file itself, so that its inode keeps its links, owner,
// permissions and attributes. Its old content is first flushed into a backup
// beside it, whose name is flushed too before the file is touched: a save
// killed half way leaves the old content whole there, and a write that fails
// is undone from it. If even that fails, both contents stay on the disk and
// the error names them.
void overwriteInPlace(const Folder& folder, int file, const Target& target, const QByteArray& bytes,
                      TemporaryFile& fresh, const QString& shownPath) {
  // A file the saver may write but not read cannot be backed up.
  if ((::fcntl(file, F_GETFL) & O_ACCMODE) != O_RDWR) failWith(EACCES, shownPath);
  TemporaryFile backup(folder, 0600, shownPath);
  copyWhole(file, backup.fd(), shownPath);
  flush(backup.fd(), shownPath);
  const QByteArray backupName = backupPrefix(target.status) + randomPart() + ".bak";
  backup.renameTo(backupName, shownPath);
  folder.flush();
  Descriptor backupFile(::openat(folder.fd(), backupName.constData(), O_RDONLY | O_CLOEXEC));

  try {
    if (::lseek(file, 0, SEEK_SET) < 0) failWith(errno, shownPath);
    writeAll(file, bytes.constData(), bytes.size(), shownPath);
    if (calls().ftruncate(file, bytes.size()) != 0) failWith(errno, shownPath);
    flush(file, shownPath);
  } catch (const RuntimeError& error) {
    if (backupFile.get() >= 0 && restore(file, backupFile.get(), target.status.st_size, shownPath)) {
      calls().unlink(folder.fd(), backupName.constData());
      throw;
    }
    const QByteArray newName = backupPrefix(target.status) + randomPart() + ".new";
    const QString where = QStringLiteral(
                              "\nThe file could not be put back as it was: its old content is "
                              "kept in %1 and the new content in %2")
                              .arg(folder.shown(backupName), folder.shown(fresh.keepAs(newName)));
    raise(error.number(), error.path(), error.cause() + where);
  }
  // Saved: a backup that cannot be removed only costs a notice at the next Open.
  calls().unlink(folder.fd(), backupName.constData());
}

}  // namespace

int FileSystemCalls::open(int folder, const char* name, int flags, mode_t mode) {
  return ::openat(folder, name, flags, mode);
}
ssize_t FileSystemCalls::write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }
int FileSystemCalls::fsync(int fd) { return ::fsync(fd); }
int FileSystemCalls::close(int fd) { return ::close(fd); }
int FileSystemCalls::ftruncate(int fd, off_t size) { return ::ftruncate(fd, size); }
int FileSystemCalls::fchown(int fd, uid_t owner, gid_t group) { return ::fchown(fd, owner, group); }
int FileSystemCalls::setAttribute(int fd, const char* name, const void* value, size_t size) {
  return ::fsetxattr(fd, name, value, size, 0);
}
int FileSystemCalls::rename(int folder, const char* from, const char* to) {
  return ::renameat(folder, from, folder, to);
}
int FileSystemCalls::unlink(int folder, const char* name) { return ::unlinkat(folder, name, 0); }
int FileSystemCalls::lock(int fd, int operation) { return ::flock(fd, operation); }
int FileSystemCalls::access(int folder, const char* name, int mode) {
  return ::faccessat(folder, name, mode, 0);
}

ScopedFileSystemCalls::ScopedFileSystemCalls(FileSystemCalls& calls) : previous_(callsInUse) {
  callsInUse = &calls;
}
ScopedFileSystemCalls::~ScopedFileSystemCalls() { callsInUse = previous_; }

QByteArray readRegularFile(const QString& path, qint64 maxBytes, const QString& kind) {
  const QByteArray name = systemPathOf(path);
  // No wait for a writer: a pipe opened without O_NONBLOCK blocks until one comes.
  const int fd = calls().open(AT_FDCWD, name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC, 0);
  if (fd < 0 && errno == ENOENT) raiseMissing(path, name);
  if (fd < 0) failWith(errno, path);
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};

  struct stat status {};
  if (::fstat(fd, &status) != 0) failWith(errno, path);
  if (!S_ISREG(status.st_mode)) raise(ErrorNumber::PathFileAccess, path, notRegularCause(status.st_mode));
  if (status.st_size > maxBytes) raiseTooLarge(path, status.st_size, maxBytes, kind);

  // Read to the end rather than to the size seen: the file may change meanwhile.
  QByteArray bytes(status.st_size + 1, Qt::Uninitialized);
  qsizetype filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      if (filled > maxBytes) raiseTooLarge(path, filled, maxBytes, kind);
      bytes.resize(std::min<qsizetype>(filled * 2, maxBytes + 1));
    }
    const ssize_t got = ::read(fd, bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) failWith(errno, path);
    if (got == 0) break;
    filled += got;
  }
  bytes.truncate(filled);
  return bytes;
}

void replaceFileContent(const QString& path, const QByteArray& bytes) {
  Target target = targetOf(path);
  if (target.exists && !S_ISREG(target.status.st_mode)) {
    raise(ErrorNumber::PathFileAccess, path, notRegularCause(target.status.st_mode));
  }
  const Folder folder(folderOf(target.path), path);
  removeStaleTemporaries(folder);
  Descriptor old;
  if (target.exists) {
    if (calls().access(folder.fd(), nameOf(target.path).constData(), W_OK) != 0) failWith(errno, path);
    old.reset(openLocked(folder, target, path));
  }

  // Until it has the old file's owner and permissions, nobody else may read
  // the new file; a file of its own gets what the user's settings give.
  TemporaryFile fresh(folder, target.exists ? 0600 : 0666, path);
  writeAll(fresh.fd(), bytes.constData(), bytes.size(), path);
  const bool inPlace = target.exists && (target.status.st_nlink > 1 ||
                                         !takeWhatBelongsToTheFile(fresh.fd(), old.get(), target.status));
  fresh.finish(path);

  if (inPlace) {
    overwriteInPlace(folder, old.get(), target, bytes, fresh, path);
    old.close(path);
    return;
  }
  fresh.renameTo(nameOf(target.path), path);
  folder.flush();
}

QString leftoverBackupOf(const QString& path) {
  try {
    const Target target = targetOf(path);
    if (!target.exists) return {};
    const Folder folder(folderOf(target.path), path);
    const QByteArray prefix = backupPrefix(target.status);
    QList<QByteArray> found;
    folder.forEachEntry([&](const QByteArray& name) {
      if (name.startsWith(prefix) && name.endsWith(".bak")) found.append(name);
    });
    if (found.isEmpty()) return {};
    std::sort(found.begin(), found.end());
    return folder.shown(found.first());
  } catch (const RuntimeError&) {
    return {};  // a file that cannot be looked at has no backup to tell of
  }
}

FileIdentity FileIdentity::of(const QString& path) {
  struct stat status {};
  try {
    if (::stat(systemPathOf(QFileInfo(path).absoluteFilePath()).constData(), &status) != 0) return {};
  } catch (const RuntimeError&) {
    return {};  // several files show under this name: none of them is the one
  }
  return {status.st_size, status.st_mtim.tv_sec, status.st_mtim.tv_nsec, quint64(status.st_ino),
          quint64(status.st_dev)};
}

}  // namespace veltrano
