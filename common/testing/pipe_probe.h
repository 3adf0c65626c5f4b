#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QString>
#include <atomic>
#include <chrono>
#include <thread>

namespace veltrano::testing {

// A named pipe that tells whether anyone opened it to read, without letting
// them wait: while the probe lives it opens the pipe for writing again and
// again, which succeeds only when a reader is there, and closes it at once,
// so that the reader gets an end of file rather than waiting for ever.
class PipeProbe {
 public:
  explicit PipeProbe(const QString& path) : path_(QFile::encodeName(path)) {
    ::mkfifo(path_.constData(), 0600);
    writer_ = std::thread([this] {
      while (!stop_) {
        const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
          opened_ = true;
          ::close(fd);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    });
  }
  ~PipeProbe() {
    stop_ = true;
    writer_.join();
  }
  PipeProbe(const PipeProbe&) = delete;
  PipeProbe& operator=(const PipeProbe&) = delete;

  bool opened() const { return opened_; }

 private:
  QByteArray path_;
  std::atomic<bool> stop_ = false;
  std::atomic<bool> opened_ = false;
  std::thread writer_;
};

}  // namespace veltrano::testing
