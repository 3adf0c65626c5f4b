#pragma once

#include <sys/types.h>
#include <QByteArray>
#include <QString>

namespace veltrano {

// The largest file that Open and the prime table read; a larger one is
// refused before anything is read, so that no file can fill the memory.
// The largest file a worksheet writes is a Base Conversion list of 32767
// lines (a list's limit) of its longest line: 98 digits, a point and one more
// (the longest text Convert takes) written in base 2 as 326 digits, a point
// and 100 fraction digits, 541 bytes with the text, the base and the line
// end, 17.7 MB in all. A Prime Factors list of 32767 rows of its longest row
// (1099511627776, forty factors of 2: 137 bytes) comes to 4.5 MB, the 32767
// roots of a Complex file to 1.6 MB, and the other worksheets write less. The
// limit leaves more than three times the largest.
inline constexpr qint64 kMaxReadableFileBytes = qint64{64} * 1024 * 1024;

// Reads a whole regular file of at most maxBytes. It never waits for a
// writer: a pipe, a device or a folder is refused without being read. Raises
// File not found, Path not found for a missing folder, or Path/File access
// error with the cause in plain words; a file too large is named as the kind
// of file it should have been ("where no prime table has more than ...").
QByteArray readRegularFile(const QString& path, qint64 maxBytes = kMaxReadableFileBytes,
                           const QString& kind = QStringLiteral("worksheet file"));

// Replaces the content of the regular file at path (or creates it) so that a
// failure at any step leaves the old file byte for byte as it was, and raises
// Path/File access error (Path not found for a missing folder) with the cause.
// The new content is written completely to a new file beside the old one and
// flushed to the disk first; that file then takes the old one's place. A
// symbolic link is followed: the link stays and its target gets the content.
// A file with several hard links, or whose owner cannot be given to the new
// file, is overwritten in place instead, so that its links and owner stay;
// its old content is copied aside first and put back if that write fails.
// Permissions are kept either way. A folder, a pipe or a device is refused.
void replaceFileContent(const QString& path, const QByteArray& bytes);

// The system calls through which files are opened and written: one set is in use at a
// time, so that tests can make any step fail as a full disk would.
class FileSystemCalls {
 public:
  virtual ~FileSystemCalls() = default;
  virtual int open(const char* path, int flags, mode_t mode);
  virtual ssize_t write(int fd, const void* data, size_t size);
  virtual int fsync(int fd);
  virtual int close(int fd);
  virtual int ftruncate(int fd, off_t size);
  virtual int fchown(int fd, uid_t owner, gid_t group);
  virtual int rename(const char* from, const char* to);
};

// Puts other calls in use for as long as it lives.
class ScopedFileSystemCalls {
 public:
  explicit ScopedFileSystemCalls(FileSystemCalls& calls);
  ~ScopedFileSystemCalls();
  ScopedFileSystemCalls(const ScopedFileSystemCalls&) = delete;
  ScopedFileSystemCalls& operator=(const ScopedFileSystemCalls&) = delete;

 private:
  FileSystemCalls* previous_;
};

}  // namespace veltrano
