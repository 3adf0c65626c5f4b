#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <memory>
#include <optional>

namespace veltrano::help {

// What the #SYSTEM record of a help file names: its contents file, its first
// page and its title. Paths start with a slash, as inside the file.
struct SystemInfo {
  QString contentsFile;
  QString defaultTopic;
  QString title;
};

SystemInfo parseSystemInfo(const QByteArray& record);

// The path of an object inside a help file, as it is looked up: a leading
// slash, forward slashes, no "./" or "../" steps.
QString normalisedObjectPath(const QString& path);

// A Compiled HTML Help file, read whole: every object it stores is
// decompressed when it is opened, so a damaged file is refused at once rather
// than showing some pages and not others. Object paths are matched without
// regard to letter case, as the format's own readers do.
class ChmFile {
 public:
  // The largest help file read, the most its objects may hold together and
  // the most objects it may store. The program's own files are a few tens of
  // kilobytes with a dozen objects; a whole reference manual stays well below
  // these, and a file that claims more is damaged.
  static constexpr qint64 kLargestFile = qint64{32} * 1024 * 1024;
  static constexpr qint64 kLargestContent = qint64{64} * 1024 * 1024;
  static constexpr std::size_t kMostObjects = 100000;

  // Null when the file is no help file or damaged anywhere. A file that
  // cannot be read (missing, not a regular file, too large, no permission)
  // raises the file error of readRegularFile with its cause.
  static std::unique_ptr<ChmFile> open(const QString& path);
  // The same from the file's bytes; path is only its name.
  static std::unique_ptr<ChmFile> fromBytes(const QByteArray& image, const QString& path);
  // A help file made of the given objects (path inside the file to bytes),
  // in that order: what a decoded file holds, for tests and checks.
  static std::unique_ptr<ChmFile> fromObjects(const QString& path,
                                              const QList<std::pair<QString, QByteArray>>& objects);

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
  explicit ChmFile(const QString& path) : path_(path) {}
  void add(const QString& objectPath, QByteArray data);

  QString path_;
  QStringList paths_;                   // as stored, in the file's order
  QHash<QString, QByteArray> objects_;  // by lower-case normalised path
  SystemInfo system_;
};

}  // namespace veltrano::help
