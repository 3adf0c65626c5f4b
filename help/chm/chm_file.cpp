#include "help/chm/chm_file.h"

#include <chm_lib.h>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace veltrano::help {

namespace {

// #SYSTEM entry codes.
constexpr quint16 kContentsFileCode = 0;
constexpr quint16 kDefaultTopicCode = 2;
constexpr quint16 kTitleCode = 3;

QString zeroTerminated(const char* data, int length) {
  int end = 0;
  while (end < length && data[end] != '\0') ++end;
  return QString::fromLatin1(data, end);
}

int collectPath(chmFile*, chmUnitInfo* unit, void* context) {
  static_cast<QStringList*>(context)->append(QString::fromUtf8(unit->path));
  return CHM_ENUMERATOR_CONTINUE;
}

}  // namespace

SystemInfo parseSystemInfo(const QByteArray& record) {
  SystemInfo info;
  // A 4-byte version, then entries of code, length and data, all little-endian.
  int offset = 4;
  while (offset + 4 <= record.size()) {
    const auto* bytes = reinterpret_cast<const uchar*>(record.constData()) + offset;
    const quint16 code = qFromLittleEndian<quint16>(bytes);
    const int length = qFromLittleEndian<quint16>(bytes + 2);
    offset += 4;
    if (offset + length > record.size()) break;  // a damaged record: keep what was read
    const QString text = zeroTerminated(record.constData() + offset, length);
    offset += length;
    if (text.isEmpty()) continue;
    if (code == kContentsFileCode) info.contentsFile = normalisedObjectPath(text);
    if (code == kDefaultTopicCode) info.defaultTopic = normalisedObjectPath(text);
    if (code == kTitleCode) info.title = text;
  }
  return info;
}

QString normalisedObjectPath(const QString& path) {
  QStringList kept;
  const QStringList steps =
      QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')).split(QLatin1Char('/'), Qt::SkipEmptyParts);
  for (const QString& step : steps) {
    if (step == QLatin1String(".")) continue;
    if (step == QLatin1String("..")) {
      if (!kept.isEmpty()) kept.removeLast();
      continue;
    }
    kept.append(step);
  }
  return QLatin1Char('/') + kept.join(QLatin1Char('/'));
}

std::unique_ptr<ChmFile> ChmFile::open(const QString& path) {
  // chmlib reports neither a missing nor an unreadable file clearly; ask first.
  const QFileInfo info(path);
  if (!info.isFile() || !info.isReadable()) return nullptr;
  chmFile* handle = chm_open(QFile::encodeName(path).constData());
  if (handle == nullptr) return nullptr;
  return std::unique_ptr<ChmFile>(new ChmFile(handle, path));
}

ChmFile::ChmFile(chmFile* handle, const QString& path) : handle_(handle), path_(path) {
  if (std::optional<QByteArray> record = read(QStringLiteral("/#SYSTEM"))) {
    system_ = parseSystemInfo(*record);
  }
}

ChmFile::~ChmFile() { chm_close(handle_); }

bool ChmFile::contains(const QString& objectPath) const {
  chmUnitInfo unit;
  const QByteArray name = normalisedObjectPath(objectPath).toUtf8();
  return chm_resolve_object(handle_, name.constData(), &unit) == CHM_RESOLVE_SUCCESS;
}

std::optional<QByteArray> ChmFile::read(const QString& objectPath) const {
  chmUnitInfo unit;
  const QByteArray name = normalisedObjectPath(objectPath).toUtf8();
  if (chm_resolve_object(handle_, name.constData(), &unit) != CHM_RESOLVE_SUCCESS) {
    return std::nullopt;
  }
  // Help pages and pictures are small; anything claiming more is damaged.
  constexpr LONGUINT64 kLargestObject = LONGUINT64{64} * 1024 * 1024;
  if (unit.length > kLargestObject) return std::nullopt;
  QByteArray data(static_cast<qsizetype>(unit.length), Qt::Uninitialized);
  const LONGINT64 got = chm_retrieve_object(handle_, &unit, reinterpret_cast<unsigned char*>(data.data()), 0,
                                            static_cast<LONGINT64>(unit.length));
  if (got != static_cast<LONGINT64>(unit.length)) return std::nullopt;
  return data;
}

QStringList ChmFile::objectPaths() const {
  QStringList paths;
  chm_enumerate(handle_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collectPath, &paths);
  return paths;
}

QString ChmFile::contentsFile() const {
  if (!system_.contentsFile.isEmpty() && contains(system_.contentsFile)) return system_.contentsFile;
  for (const QString& object : objectPaths()) {
    if (object.endsWith(QLatin1String(".hhc"), Qt::CaseInsensitive)) return object;
  }
  return {};
}

QString ChmFile::defaultTopic() const {
  if (!system_.defaultTopic.isEmpty() && contains(system_.defaultTopic)) return system_.defaultTopic;
  for (const char* name : {"/index.htm", "/index.html", "/default.htm", "/default.html"}) {
    if (contains(QLatin1String(name))) return QLatin1String(name);
  }
  return {};
}

}  // namespace veltrano::help
