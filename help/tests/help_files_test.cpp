#include <gtest/gtest.h>
#include <QFile>

#include "common/testing/printers.h"
#include "help/chm/chm_file.h"

namespace veltrano::help {
namespace {

// A help file as the build leaves it in the program's folder.
TEST(ChmFile, ReadsEveryObjectOfAWholeFileAndRefusesOneDamagedAnywhere) {
  QFile built(VELTRANO_HELP_FOLDER "/circles.chm");
  ASSERT_TRUE(built.open(QIODevice::ReadOnly));
  const QByteArray circles = built.readAll();
  const std::unique_ptr<ChmFile> file = ChmFile::fromBytes(circles, "circles.chm");
  ASSERT_NE(file, nullptr);
  const QStringList objects = file->objectPaths();
  EXPECT_TRUE(objects.contains("/circle.png") && objects.contains("/index.htm"))
      << objects.join(' ').toStdString();
  EXPECT_FALSE(objects.contains("/#SYSTEM"));  // the compiler's own records are no pages
  EXPECT_EQ(file->read("./pages/../INDEX.HTM"), file->read("/index.htm"));
  EXPECT_TRUE(file->read("/index.htm").value_or("").contains("Circle"));

  const std::pair<QByteArray, const char*> unusable[] = {
      {{}, "empty"},
      {circles.left(0x60), "the header alone"},
      {circles.left(circles.size() - 1), "one byte short"},
      {QByteArray(circles).replace(8749, 4, "\xff\xff\xff\x7f"), "damaged in the LZX data"},
      {QByteArray(circles).replace(0x28, 1, "\x10"), "with the header written as chmcmd writes it"},
  };
  for (const auto& [image, what] : unusable)
    EXPECT_EQ(ChmFile::fromBytes(image, "circles.chm"), nullptr) << what;
}

}  // namespace
}  // namespace veltrano::help
