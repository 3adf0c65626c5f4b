#include "common/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <memory>

#include "common/runtime_error.h"

namespace veltrano {
namespace {

FileSystemCalls& systemCalls() {
  static FileSystemCalls calls;
  return calls;
}

FileSystemCalls* callsInUse = &systemCalls();

FileSystemCalls& calls() { return *callsInUse; }

QByteArray encoded(const QString& path) { return QFile::encodeName(path); }

[[noreturn]] void failWith(int errorCode, const QString& shownPath, const QString& more = {}) {
  raise(ErrorNumber::PathFileAccess, shownPath, systemCause(errorCode) + more);
}

[[noreturn]] void raiseMissing(const QString& path) {
  const QString folder = QFileInfo(path).absolutePath();
  if (!QFileInfo(folder).isDir()) {
    raise(ErrorNumber::PathNotFound, path, QStringLiteral("There is no folder %1").arg(folder));
  }
  raise(ErrorNumber::FileNotFound, path);
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
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) calls().close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int get() const { return fd_; }
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

// Copies what is left to read from one descriptor to another.
void copyRest(int from, int to, const QString& shownPath) {
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(from, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) failWith(errno, shownPath);
    if (got == 0) return;
    writeAll(to, buffer, got, shownPath);
  }
}

// A new file in the target's folder under a name of its own, removed when
// it goes out of scope unless it was renamed or is kept on purpose.
class FileBeside {
 public:
  FileBeside(const QString& folder, mode_t mode, const QString& shownPath) {
    for (int tries = 0; tries < 100; ++tries) {
      const QString name =
          QStringLiteral(".veltrano-%1.tmp")
              .arg(QRandomGenerator::global()->generate64() % 0x1000000000, 9, 36, QChar(u'0'));
      path_ = QDir(folder).filePath(name);
      const int fd = calls().open(encoded(path_).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
      if (fd >= 0) {
        fd_ = std::make_unique<Descriptor>(fd);
        return;
      }
      if (errno != EEXIST) break;
    }
    const int code = errno;
    path_.clear();
    failWith(code, shownPath, QStringLiteral(": no new file can be made in the folder %1").arg(folder));
  }
  ~FileBeside() {
    fd_.reset();
    if (!path_.isEmpty()) ::unlink(encoded(path_).constData());
  }
  FileBeside(const FileBeside&) = delete;
  FileBeside& operator=(const FileBeside&) = delete;

  int fd() const { return fd_->get(); }
  const QString& path() const { return path_; }
  // Flushed to the disk and closed: the content is safe from here on.
  void finish(const QString& shownPath) {
    flush(fd(), shownPath);
    fd_->close(shownPath);
  }
  // The file stays where it is, under its own name or the one it was renamed to.
  void keep() { path_.clear(); }

 private:
  QString path_;
  std::unique_ptr<Descriptor> fd_;
};

struct Target {
  QString path;  // the file itself, symbolic links followed
  bool exists = false;
  struct stat status {};
};

QString linkText(const QString& link, const QString& shownPath) {
  char text[PATH_MAX];
  const ssize_t length = ::readlink(encoded(link).constData(), text, sizeof text);
  if (length < 0) failWith(errno, shownPath);
  if (length == sizeof text) failWith(ENAMETOOLONG, shownPath);
  return QFile::decodeName(QByteArray(text, length));
}

// The file that a save to path writes: a symbolic link is followed to its
// target (which may not exist yet), as many links deep as the system allows.
Target targetOf(const QString& path) {
  QString current = QFileInfo(path).absoluteFilePath();
  for (int hops = 0; hops <= 40; ++hops) {
    Target target{current};
    if (::lstat(encoded(current).constData(), &target.status) != 0) {
      if (errno == ENOENT) {
        if (!QFileInfo(QFileInfo(current).absolutePath()).isDir()) raiseMissing(current);
        return target;
      }
      failWith(errno, path);
    }
    if (!S_ISLNK(target.status.st_mode)) {
      target.exists = true;
      return target;
    }
    current = QDir(QFileInfo(current).absolutePath()).absoluteFilePath(linkText(current, path));
  }
  failWith(ELOOP, path);
}

// Gives the new file the old one's owner, group and permissions; false
// when the owner cannot be given, which only an administrator may do.
bool takeOwnerAndMode(int fd, const struct stat& old) {
  struct stat mine {};
  if (::fstat(fd, &mine) != 0) return false;
  if ((mine.st_uid != old.st_uid || mine.st_gid != old.st_gid) &&
      calls().fchown(fd, old.st_uid, old.st_gid) != 0) {
    return false;
  }
  // After the owner, since a change of owner clears the set-user-ID bits.
  return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// Puts the old content back from the copy; false when even that fails.
bool restore(const Target& target, const QString& copy, const QString& shownPath) {
  try {
    Descriptor from(::open(encoded(copy).constData(), O_RDONLY | O_CLOEXEC));
    Descriptor to(calls().open(encoded(target.path).constData(), O_WRONLY | O_CLOEXEC, 0));
    if (from.get() < 0 || to.get() < 0) return false;
    copyRest(from.get(), to.get(), shownPath);
    if (calls().ftruncate(to.get(), target.status.st_size) != 0) return false;
    flush(to.get(), shownPath);
    to.close(shownPath);
    return true;
  } catch (const RuntimeError&) {
    return false;
  }
}

// Overwrites the file itself, so that its inode keeps its links, owner and
// permissions. Its old content goes first into a copy beside it, flushed, so
// that a write that fails half way can be undone; if even that fails, both
// the copy and the new content stay on the disk and the error names them.
void overwriteInPlace(const Target& target, const QByteArray& bytes, FileBeside& fresh,
                      const QString& shownPath) {
  const QString folder = QFileInfo(target.path).absolutePath();
  FileBeside copy(folder, 0600, shownPath);
  {
    Descriptor old(::open(encoded(target.path).constData(), O_RDONLY | O_CLOEXEC));
    if (old.get() < 0) failWith(errno, shownPath);
    copyRest(old.get(), copy.fd(), shownPath);
  }
  copy.finish(shownPath);

  Descriptor file(calls().open(encoded(target.path).constData(), O_WRONLY | O_CLOEXEC, 0));
  if (file.get() < 0) failWith(errno, shownPath);
  try {
    writeAll(file.get(), bytes.constData(), bytes.size(), shownPath);
    if (calls().ftruncate(file.get(), bytes.size()) != 0) failWith(errno, shownPath);
    flush(file.get(), shownPath);
    file.close(shownPath);
  } catch (const RuntimeError& error) {
    if (restore(target, copy.path(), shownPath)) throw;
    const QString where = QStringLiteral(
                              "\nThe file could not be put back as it was: its old content is "
                              "kept in %1 and the new content in %2")
                              .arg(copy.path(), fresh.path());
    copy.keep();
    fresh.keep();
    raise(error.number(), error.path(), error.cause() + where);
  }
}

// Makes a rename lasting; a folder that cannot be flushed changes nothing
// that was written, so its failure is not reported.
void flushFolder(const QString& folder) {
  const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

int FileSystemCalls::open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
ssize_t FileSystemCalls::write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }
int FileSystemCalls::fsync(int fd) { return ::fsync(fd); }
int FileSystemCalls::close(int fd) { return ::close(fd); }
int FileSystemCalls::ftruncate(int fd, off_t size) { return ::ftruncate(fd, size); }
int FileSystemCalls::fchown(int fd, uid_t owner, gid_t group) { return ::fchown(fd, owner, group); }
int FileSystemCalls::rename(const char* from, const char* to) { return ::rename(from, to); }

ScopedFileSystemCalls::ScopedFileSystemCalls(FileSystemCalls& calls) : previous_(callsInUse) {
  callsInUse = &calls;
}
ScopedFileSystemCalls::~ScopedFileSystemCalls() { callsInUse = previous_; }

QByteArray readRegularFile(const QString& path, qint64 maxBytes, const QString& kind) {
  // No wait for a writer: a pipe opened without O_NONBLOCK blocks until one comes.
  const int fd = calls().open(encoded(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC, 0);
  if (fd < 0 && errno == ENOENT) raiseMissing(path);
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
  const Target target = targetOf(path);
  if (target.exists && !S_ISREG(target.status.st_mode)) {
    raise(ErrorNumber::PathFileAccess, path, notRegularCause(target.status.st_mode));
  }
  if (target.exists && ::access(encoded(target.path).constData(), W_OK) != 0) failWith(errno, path);

  // Until it has the old file's owner and permissions, nobody else may read
  // the new file; a file of its own gets what the user's settings give.
  const QString folder = QFileInfo(target.path).absolutePath();
  FileBeside fresh(folder, target.exists ? 0600 : 0666, path);
  writeAll(fresh.fd(), bytes.constData(), bytes.size(), path);
  const bool inPlace =
      target.exists && (target.status.st_nlink > 1 || !takeOwnerAndMode(fresh.fd(), target.status));
  fresh.finish(path);

  if (inPlace) {
    overwriteInPlace(target, bytes, fresh, path);
    return;
  }
  if (calls().rename(encoded(fresh.path()).constData(), encoded(target.path).constData()) != 0) {
    failWith(errno, path);
  }
  fresh.keep();
  flushFolder(folder);
}

}  // namespace veltrano
