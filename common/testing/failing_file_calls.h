#pragma once

#include <cerrno>

#include "common/file_access.h"

namespace veltrano::testing {

// File system calls of which one step fails, from its nth call on for a
// number of calls, with the error a full disk or a broken device gives.
// Every other call goes to the system. In use while it lives.
class FailingFileCalls : public FileSystemCalls {
 public:
  enum class Step { Open, Write, Fsync, Close, Truncate, Chown, Attribute, Rename, Unlink, Lock };

  FailingFileCalls(Step step, int nth, int errorCode, int times = 1)
      : step_(step), nth_(nth), errorCode_(errorCode), times_(times) {}

  int open(int folder, const char* name, int flags, mode_t mode) override {
    return fails(Step::Open) ? -1 : FileSystemCalls::open(folder, name, flags, mode);
  }
  ssize_t write(int fd, const void* data, size_t size) override {
    if (fails(Step::Write)) return -1;
    return FileSystemCalls::write(fd, data, size < maxWrite ? size : maxWrite);
  }
  int fsync(int fd) override { return fails(Step::Fsync) ? -1 : FileSystemCalls::fsync(fd); }
  // A close that fails has still released the descriptor, as on Linux.
  int close(int fd) override {
    const int result = FileSystemCalls::close(fd);
    return fails(Step::Close) ? -1 : result;
  }
  int ftruncate(int fd, off_t size) override {
    return fails(Step::Truncate) ? -1 : FileSystemCalls::ftruncate(fd, size);
  }
  int fchown(int fd, uid_t owner, gid_t group) override {
    return fails(Step::Chown) ? -1 : FileSystemCalls::fchown(fd, owner, group);
  }
  int setAttribute(int fd, const char* name, const void* value, size_t size) override {
    return fails(Step::Attribute) ? -1 : FileSystemCalls::setAttribute(fd, name, value, size);
  }
  int rename(int folder, const char* from, const char* to) override {
    return fails(Step::Rename) ? -1 : FileSystemCalls::rename(folder, from, to);
  }
  int unlink(int folder, const char* name) override {
    return fails(Step::Unlink) ? -1 : FileSystemCalls::unlink(folder, name);
  }
  int lock(int fd, int operation) override {
    return fails(Step::Lock) ? -1 : FileSystemCalls::lock(fd, operation);
  }

  size_t maxWrite = static_cast<size_t>(-1);  // smaller for short writes

 private:
  bool fails(Step step) {
    if (step != step_) return false;
    const int call = ++calls_;
    if (call < nth_ || call >= nth_ + times_) return false;
    errno = errorCode_;
    return true;
  }

  Step step_;
  int nth_;
  int errorCode_;
  int times_;
  int calls_ = 0;
  ScopedFileSystemCalls inUse_{*this};
};

}  // namespace veltrano::testing
