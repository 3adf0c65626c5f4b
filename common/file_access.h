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

// Replaces the content of the regular file at path (or creates it) and raises
// Path/File access error (Path not found for a missing folder) with the cause
// when it cannot. A symbolic link is followed: the link stays and its target
// gets the content. A folder, a pipe or a device is refused.
//
// The file is locked (flock) from before its state is read until the save is
// done, so that two saves of one file, in this program or another instance,
// never mix; a save that finds the file locked waits a few seconds, then gives
// up with that cause. The new content is written completely to a new file
// beside the old one and flushed to the disk; that file then takes the old
// one's place, with its owner, permissions and extended attributes (POSIX
// ACLs among them). A failure at any step leaves the old file byte for byte.
//
// A file with several hard links, or whose owner or attributes cannot be
// given to the new file, is overwritten in place instead, so that all of
// these stay. Its old content is first flushed into a backup beside it,
// ".veltrano-<inode>-<random>.bak", which is removed once the new content is
// on the disk; a failed write is undone from it. Only a save killed while it
// writes in place can leave the file torn, and then the backup stays with the
// old content whole: leftoverBackupOf finds it.
//
// Files being written are ".veltrano-<process id>-<random>.tmp" in the file's
// folder, named relative to the folder so that a long folder path still takes
// them. Those that a save killed before its end left behind are removed at the
// next save in that folder once they are stale: untouched for a minute and
// their process gone, or untouched for ten minutes (a save on another machine
// sharing the folder).
void replaceFileContent(const QString& path, const QByteArray& bytes);

// The backup of the file at path (symbolic links followed) that an in-place
// save killed before its end left in the file's folder, or empty when there
// is none. The file itself may then hold the old content, the new one or a
// mix of both; the backup holds the old content whole. The window calls this
// at Open and tells the user where the backup is; it stays until the user
// removes it.
QString leftoverBackupOf(const QString& path);

// What tells whether a file has been changed since it was last seen: its
// size, modification time to the nanosecond, inode and device, read from the
// file that path names (symbolic links followed). A file that cannot be
// looked at (missing, no access) has the empty identity, exists() false.
struct FileIdentity {
  qint64 size = 0;
  qint64 modifiedSeconds = 0;
  qint64 modifiedNanoseconds = 0;
  quint64 inode = 0;
  quint64 device = 0;

  static FileIdentity of(const QString& path);
  bool exists() const { return device != 0 || inode != 0; }
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The system calls through which files are opened and written: one set is in use at a
// time, so that tests can make any step fail as a full disk would, or stop
// there as a killed save would. Names are relative to the folder descriptor.
class FileSystemCalls {
 public:
  virtual ~FileSystemCalls() = default;
  virtual int open(int folder, const char* name, int flags, mode_t mode);
  virtual ssize_t write(int fd, const void* data, size_t size);
  virtual int fsync(int fd);
  virtual int close(int fd);
  virtual int ftruncate(int fd, off_t size);
  virtual int fchown(int fd, uid_t owner, gid_t group);
  virtual int setAttribute(int fd, const char* name, const void* value, size_t size);
  virtual int rename(int folder, const char* from, const char* to);
  virtual int unlink(int folder, const char* name);
  virtual int lock(int fd, int operation);
  // Whether the user may write an existing file; an administrator always may.
  virtual int access(int folder, const char* name, int mode);
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
