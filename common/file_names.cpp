#include "common/file_names.h"

#include <dirent.h>
#include <sys/stat.h>
#include <QDir>

#include "common/runtime_error.h"

namespace veltrano {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // a lone U+DC80..U+DCFF stands for the byte 0x80..0xFF

bool isEscapedByte(char16_t unit) { return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF; }

// The length of the valid UTF-8 sequence at the start of bytes, 0 when there is none.
qsizetype validSequenceLength(const unsigned char* bytes, qsizetype available) {
  const unsigned char lead = bytes[0];
  if (lead < 0x80) return 1;
  // A continuation byte, or a lead byte that only begins overlong or too large sequences.
  if (lead < 0xC2 || lead > 0xF4) return 0;
  const qsizetype length = lead <= 0xDF ? 2 : lead <= 0xEF ? 3 : 4;
  const char32_t lowest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
  if (available < length) return 0;
  char32_t code = lead & (0x7F >> length);
  for (qsizetype i = 1; i < length; ++i) {
    if ((bytes[i] & 0xC0) != 0x80) return 0;
    code = (code << 6) | (bytes[i] & 0x3F);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code < lowest || code > 0x10FFFF || surrogate ? 0 : length;
}

}  // namespace

QString fileNameFromSystem(const QByteArray& name) {
  QString text;
  text.reserve(name.size());
  const auto* bytes = reinterpret_cast<const unsigned char*>(name.constData());
  for (qsizetype pos = 0; pos < name.size();) {
    const qsizetype length = validSequenceLength(bytes + pos, name.size() - pos);
    if (length == 0) {
      text += QChar(char16_t(kEscapeBase + bytes[pos]));
      ++pos;
      continue;
    }
    text += QString::fromUtf8(name.constData() + pos, length);
    pos += length;
  }
  return text;
}

QByteArray systemFileNameOf(const QString& name) {
  QByteArray bytes;
  bytes.reserve(name.size());
  qsizetype runStart = 0;
  for (qsizetype i = 0; i <= name.size(); ++i) {
    if (i < name.size() && !isEscapedByte(name.at(i).unicode())) continue;
    bytes += QStringView(name).mid(runStart, i - runStart).toUtf8();
    if (i < name.size()) bytes += char(name.at(i).unicode() - kEscapeBase);
    runStart = i + 1;
  }
  return bytes;
}

QByteArray systemPathOf(const QString& path) {
  const QByteArray bytes = systemFileNameOf(path);
  struct stat status {};
  const qsizetype slash = path.lastIndexOf(u'/');
  const QString name = path.mid(slash + 1);
  if (!name.contains(QChar::ReplacementCharacter) || ::lstat(bytes.constData(), &status) == 0) return bytes;

  const QByteArray folder = slash < 0 ? QByteArray(".") : systemFileNameOf(path.left(slash + 1));
  DIR* listing = ::opendir(folder.constData());
  if (listing == nullptr) return bytes;
  QByteArray found;
  int matches = 0;
  while (const dirent* entry = ::readdir(listing)) {
    if (QString::fromUtf8(entry->d_name) != name) continue;
    found = entry->d_name;
    ++matches;
  }
  ::closedir(listing);
  if (matches > 1) {
    raise(ErrorNumber::PathFileAccess, path,
          QStringLiteral("%1 files in this folder have names that are not UTF-8 and show as this one: "
                         "rename them so that they can be told apart")
              .arg(matches));
  }
  if (matches == 0) return bytes;
  return slash < 0 ? found : folder + found;
}

}  // namespace veltrano
