#include "help/chm/chm_file.h"

#include <mspack.h>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "common/file_access.h"

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

// libmspack does all its input and output through an mspack_system. This one
// knows two names only: the help file, read from memory, and the one object
// being decompressed, written into memory. Nothing else can be opened, so
// nothing a help file says reaches the disk.
constexpr char kImageName[] = "help file";
constexpr char kObjectName[] = "object";

struct MemoryFile {
  const QByteArray* source;  // when reading
  QByteArray* sink;          // when writing
  qint64 position;
};

struct MemorySystem {
  explicit MemorySystem(const QByteArray& helpFile);

  mspack_system calls;  // first, so that libmspack's pointer to it leads back here
  const QByteArray* image;
  QByteArray object;  // with room reserved for what the object claims to hold
};

MemorySystem& systemOf(mspack_system* self) { return *reinterpret_cast<MemorySystem*>(self); }
MemoryFile& fileOf(mspack_file* file) { return *reinterpret_cast<MemoryFile*>(file); }

// The calls below run inside libmspack, a C library: nothing may throw.
mspack_file* openInMemory(mspack_system* self, const char* name, int mode) {
  MemorySystem& system = systemOf(self);
  MemoryFile* file = nullptr;
  if (mode == MSPACK_SYS_OPEN_READ && std::strcmp(name, kImageName) == 0) {
    file = new (std::nothrow) MemoryFile{system.image, nullptr, 0};
  } else if (mode == MSPACK_SYS_OPEN_WRITE && std::strcmp(name, kObjectName) == 0) {
    file = new (std::nothrow) MemoryFile{nullptr, &system.object, 0};
  }
  return reinterpret_cast<mspack_file*>(file);
}

void closeInMemory(mspack_file* file) { delete &fileOf(file); }

int readFromMemory(mspack_file* handle, void* buffer, int bytes) {
  MemoryFile& file = fileOf(handle);
  if (file.source == nullptr || bytes < 0) return -1;
  const qint64 count = std::min<qint64>(bytes, file.source->size() - file.position);
  std::memcpy(buffer, file.source->constData() + file.position, static_cast<size_t>(count));
  file.position += count;
  return static_cast<int>(count);
}

int writeToMemory(mspack_file* handle, void* buffer, int bytes) {
  MemoryFile& file = fileOf(handle);
  if (file.sink == nullptr || bytes < 0 || file.sink->size() + bytes > file.sink->capacity()) return -1;
  file.sink->append(static_cast<const char*>(buffer), bytes);  // into reserved room: no allocation
  return bytes;
}

int seekInMemory(mspack_file* handle, off_t offset, int mode) {
  MemoryFile& file = fileOf(handle);
  const qint64 size = file.source ? file.source->size() : file.sink->size();
  const qint64 base = mode == MSPACK_SYS_SEEK_START ? 0 : mode == MSPACK_SYS_SEEK_CUR ? file.position : size;
  if (offset < -base || offset > size - base) return -1;
  file.position = base + offset;
  return 0;
}

off_t tellInMemory(mspack_file* file) { return static_cast<off_t>(fileOf(file).position); }

// libmspack's warnings ("file possibly truncated") would go to the terminal;
// the outcome of each call is what counts.
void ignoreMessage(mspack_file*, const char*, ...) {}

void* allocate(mspack_system*, size_t bytes) { return std::malloc(bytes); }
void release(void* memory) { std::free(memory); }
void copyBytes(void* from, void* to, size_t bytes) { std::memcpy(to, from, bytes); }

MemorySystem::MemorySystem(const QByteArray& helpFile)
    : calls{openInMemory,  closeInMemory, readFromMemory, writeToMemory, seekInMemory, tellInMemory,
            ignoreMessage, allocate,      release,        copyBytes,     nullptr},
      image(&helpFile) {}

// The library and this program must agree on the size of a file offset.
bool libraryMatches() {
  static const bool matches = [] {
    int result = 0;
    MSPACK_SYS_SELFTEST(result);
    return result == MSPACK_ERR_OK;
  }();
  return matches;
}

// One help file opened by libmspack's CHM decompressor; both closed with it.
class Decompressor {
 public:
  explicit Decompressor(MemorySystem* system)
      : system_(system), decompressor_(mspack_create_chm_decompressor(&system->calls)) {}
  ~Decompressor() {
    if (header_) decompressor_->close(decompressor_, header_);
    if (decompressor_) mspack_destroy_chm_decompressor(decompressor_);
  }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;

  bool open() {
    if (decompressor_) header_ = decompressor_->open(decompressor_, kImageName);
    return header_ != nullptr;
  }

  // The objects the file stores (directories left out), in its own order;
  // nothing when they are more, or together hold more, than a help file can.
  std::optional<std::vector<mschmd_file*>> storedObjects() const {
    std::vector<mschmd_file*> objects;
    qint64 total = 0;
    for (mschmd_file* object = header_->files; object; object = object->next) {
      const qsizetype nameLength = qstrlen(object->filename);
      if (nameLength > 0 && object->filename[nameLength - 1] == '/') continue;
      if (object->length < 0 || object->length > ChmFile::kLargestContent - total ||
          objects.size() == ChmFile::kMostObjects)
        return std::nullopt;
      total += object->length;
      objects.push_back(object);
    }
    return objects;
  }

  std::optional<QByteArray> extract(mschmd_file* object) {
    system_->object.clear();
    system_->object.reserve(static_cast<qsizetype>(object->length));
    if (decompressor_->extract(decompressor_, object, kObjectName) != MSPACK_ERR_OK ||
        system_->object.size() != object->length)
      return std::nullopt;
    return std::exchange(system_->object, QByteArray());
  }

 private:
  MemorySystem* system_;
  mschm_decompressor* decompressor_;
  mschmd_header* header_ = nullptr;
};

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
  // Only a regular file is read, so that a pipe or a device cannot hold the
  // program up, and only up to the size a help file can have.
  return fromBytes(readRegularFile(path, kLargestFile, QStringLiteral("help file")), path);
}

std::unique_ptr<ChmFile> ChmFile::fromBytes(const QByteArray& image, const QString& path) {
  if (image.size() > kLargestFile || !libraryMatches()) return nullptr;
  MemorySystem system(image);
  Decompressor decompressor(&system);
  if (!decompressor.open()) return nullptr;
  const std::optional<std::vector<mschmd_file*>> stored = decompressor.storedObjects();
  if (!stored) return nullptr;

  // Decompressing in the order the data lies runs the LZX stream once.
  std::vector<mschmd_file*> inStreamOrder = *stored;
  std::ranges::sort(inStreamOrder, {},
                    [](const mschmd_file* object) { return std::pair(object->section->id, object->offset); });
  QHash<const mschmd_file*, QByteArray> data;
  for (mschmd_file* object : inStreamOrder) {
    std::optional<QByteArray> bytes = decompressor.extract(object);
    if (!bytes) return nullptr;
    data.insert(object, std::move(*bytes));
  }
  std::unique_ptr<ChmFile> file(new ChmFile(path));
  for (const mschmd_file* object : *stored) file->add(QString::fromUtf8(object->filename), data.take(object));
  return file;
}

std::unique_ptr<ChmFile> ChmFile::fromObjects(const QString& path,
                                              const QList<std::pair<QString, QByteArray>>& objects) {
  std::unique_ptr<ChmFile> file(new ChmFile(path));
  for (const auto& [objectPath, data] : objects) file->add(objectPath, data);
  return file;
}

void ChmFile::add(const QString& objectPath, QByteArray data) {
  const QString key = normalisedObjectPath(objectPath).toLower();
  if (objects_.contains(key)) return;  // the first of two names that differ in case only
  if (key == QLatin1String("/#system")) system_ = parseSystemInfo(data);
  paths_.append(objectPath);
  objects_.insert(key, std::move(data));
}

bool ChmFile::contains(const QString& objectPath) const {
  return objects_.contains(normalisedObjectPath(objectPath).toLower());
}

std::optional<QByteArray> ChmFile::read(const QString& objectPath) const {
  const auto found = objects_.constFind(normalisedObjectPath(objectPath).toLower());
  if (found == objects_.cend()) return std::nullopt;
  return *found;
}

QStringList ChmFile::objectPaths() const {
  // Names beginning "/#" or "/$" are the compiler's indexes and records.
  QStringList paths;
  for (const QString& path : paths_) {
    if (!path.startsWith(QLatin1String("/#")) && !path.startsWith(QLatin1String("/$"))) paths.append(path);
  }
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
