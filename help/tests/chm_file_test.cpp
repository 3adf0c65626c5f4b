#include <gtest/gtest.h>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "common/testing/printers.h"
#include "help/chm/chm_file.h"
#include "help/tests/qt_streaming.h"

namespace veltrano::help {
namespace {

QByteArray systemEntry(quint16 code, const QByteArray& text) {
  QByteArray entry(4, '\0');
  qToLittleEndian<quint16>(code, entry.data());
  qToLittleEndian<quint16>(static_cast<quint16>(text.size() + 1), entry.data() + 2);
  return entry + text + '\0';
}

QByteArray systemRecord(const QByteArray& entries) { return QByteArray("\x03\x00\x00\x00", 4) + entries; }

TEST(SystemRecord, NamesTheContentsFileTheFirstPageAndTheTitle) {
  const SystemInfo info =
      parseSystemInfo(systemRecord(systemEntry(9, "chmcmd") + systemEntry(0, "toc.hhc") +
                                   systemEntry(2, "pages\\start.htm") + systemEntry(3, "Veltrano Help")));
  EXPECT_EQ(info.contentsFile, "/toc.hhc");
  EXPECT_EQ(info.defaultTopic, "/pages/start.htm");
  EXPECT_EQ(info.title, "Veltrano Help");
}

TEST(SystemRecord, ADamagedRecordGivesWhatCameBeforeTheDamage) {
  QByteArray truncated = systemRecord(systemEntry(3, "Title") + systemEntry(2, "index.htm"));
  truncated.chop(4);  // the second entry now claims more bytes than there are
  const SystemInfo info = parseSystemInfo(truncated);
  EXPECT_EQ(info.title, "Title");
  EXPECT_TRUE(info.defaultTopic.isEmpty());

  EXPECT_TRUE(parseSystemInfo(QByteArray()).title.isEmpty());
  EXPECT_TRUE(parseSystemInfo(QByteArray("\x03\x00", 2)).title.isEmpty());
}

TEST(ObjectPath, IsAbsoluteWithForwardSlashesAndNoDotSteps) {
  const std::pair<const char*, const char*> cases[] = {
      {"index.htm", "/index.htm"},
      {"/index.htm", "/index.htm"},
      {"a\\b.htm", "/a/b.htm"},
      {"./a/./b.htm", "/a/b.htm"},
      {"a/../b.htm", "/b.htm"},
      {"../../escape.htm", "/escape.htm"},
      {"//double//slash.htm", "/double/slash.htm"},
      {"", "/"},
  };
  for (const auto& [given, expected] : cases) {
    EXPECT_EQ(normalisedObjectPath(QString::fromUtf8(given)), QString::fromUtf8(expected)) << given;
  }
}

TEST(ChmFileOpen, RefusesWhatIsNoReadableHelpFile) {
  QTemporaryDir folder;
  const QString empty = folder.filePath("empty.chm");
  const QString text = folder.filePath("text.chm");
  QFile(empty).open(QIODevice::WriteOnly);
  QFile file(text);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray("ITSF but not really a help file").repeated(100));
  file.close();

  for (const QString& path : {folder.filePath("missing.chm"), empty, text, folder.path()}) {
    EXPECT_EQ(ChmFile::open(path), nullptr) << path.toStdString();
  }
}

TEST(ChmFileOpen, OpensAHelpFileInAFolderWithLettersBeyondAscii) {
  QTemporaryDir folder;
  const QString inner = folder.filePath(QStringLiteral("Hilfe \u00fcber \u0394reiecke"));
  ASSERT_TRUE(QDir().mkpath(inner));
  const QString copy = QDir(inner).filePath(QStringLiteral("Triangle.chm"));
  ASSERT_TRUE(
      QFile::copy(QDir(QStringLiteral(VELTRANO_HELP_FOLDER)).filePath(QStringLiteral("Triangle.chm")), copy));
  const std::unique_ptr<ChmFile> file = ChmFile::open(copy);
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(file->contains(QStringLiteral("index.htm")));
}

}  // namespace
}  // namespace veltrano::help
