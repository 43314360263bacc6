#include "reading/ReadCommand.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadCommand, DataFileNameGetsTheExtensionOnce) {
  const struct {
    const char* chosen;
    const char* extension;
    const char* path;
  } cases[] = {
      {"/d/veri", "dat", "/d/veri.dat"},         {"/d/veri.dat", "dat", "/d/veri.dat"},
      {"/d/VERI.DAT", "dat", "/d/VERI.DAT"},     {"/d/veri.txt", "dat", "/d/veri.txt.dat"},
      {"/d/veri.csv", "CSV", "/d/veri.csv"},     {"/d/veri.da", "da", "/d/veri.da.da"},  // four characters compared
  };
  for (const auto& c : cases)
    EXPECT_EQ(read_command::completedDataFilePath(c.chosen, c.extension), QString(c.path)) << c.chosen;
}

TEST(ReadCommand, LongDataFilePathsAreShortenedForTheStatusLabel) {
  const QString sixty(60, u'a');
  EXPECT_EQ(read_command::Label13Text(sixty), sixty);
  const QString sixtyOne = QString(25, u'b') + QString(10, u'x') + QString(26, u'e');
  EXPECT_EQ(read_command::Label13Text(sixtyOne), QString(25, u'b') + "..." + QString(26, u'e'));
}

TEST(ReadCommand, MissingLayoutMessageInBothLanguages) {
  EXPECT_EQ(read_command::missingLayoutMessage(0),
            QString::fromUtf8("Dosya bulunamadı. Lütfen başka dosya ismi girin ya da yeni form hazırlayınız."));
  EXPECT_EQ(read_command::missingLayoutMessage(1), "File not found. Please select another one or create a new one");
}

}  // namespace
