#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

struct chmFile;

namespace veltrano::help {

// What the #SYSTEM record of a help file names: its contents file, its first
// page and its title. Paths start with a slash, as inside the file.
struct SystemInfo {
  QString contentsFile;
  QString defaultTopic;
  QString title;
};

SystemInfo parseSystemInfo(const QByteArray& record);

// The path of an object inside a help file, as chmlib looks it up: a leading
// slash, forward slashes, no "./" or "../" steps.
QString normalisedObjectPath(const QString& path);

// A Compiled HTML Help file opened for reading.
class ChmFile {
 public:
  // Null when the file is missing, unreadable or no help file.
  static std::unique_ptr<ChmFile> open(const QString& path);
  ~ChmFile();
  ChmFile(const ChmFile&) = delete;
  ChmFile& operator=(const ChmFile&) = delete;

  QString path() const { return path_; }
  bool contains(const QString& objectPath) const;
  std::optional<QByteArray> read(const QString& objectPath) const;
  // Every stored page and picture, without the file's own bookkeeping.
  QStringList objectPaths() const;

  // The contents (.hhc) file: the one #SYSTEM names, else the first one stored.
  QString contentsFile() const;
  // The page shown first: the one #SYSTEM names, else a conventional index page.
  QString defaultTopic() const;
  QString title() const { return system_.title; }

 private:
  ChmFile(chmFile* handle, const QString& path);

  chmFile* handle_;
  QString path_;
  SystemInfo system_;
};

}  // namespace veltrano::help
