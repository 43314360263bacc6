#include "layout/LayoutList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class LayoutListTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    for (const char* name : {"form1.omrf", "Form2.OMRF", "notes.rtf", "a.omrf.bak", "x.OMRF.omrf", "Alpha.RTF",
                             "form1.rtf", "ırmak.omrf"})
      touch(name);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder.omrf"));
  }

  void touch(const QString& name) {
    QFile file(m_dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
  }

  QString folder() const { return m_dir.path(); }
  bool exists(const QString& name) const { return QFile::exists(m_dir.filePath(name)); }

  QTemporaryDir m_dir;
};

TEST_F(LayoutListTest, LayoutsThenRtfFilesInCapitalsInNameOrder) {
  // Layouts first, cut before the first ".OMRF"; then the rtf files, a name
  // with both files listed twice. Other extensions and folders are left out.
  EXPECT_EQ(layoutListEntries(folder()),
            QStringList({"FORM1", "FORM2", "X", QString::fromUtf8("IRMAK"), "ALPHA", "FORM1", "NOTES"}));
  EXPECT_EQ(layoutListEntries(m_dir.filePath("missing")), QStringList());
}

TEST_F(LayoutListTest, EntriesFindTheirFileWhateverItsLetterCase) {
  const struct {
    const char* listText;
    const char* file;  // nullptr: no layout file
  } cases[] = {
      {"FORM1", "form1.omrf"},
      {"form2", "Form2.OMRF"},
      {"IRMAK", "ırmak.omrf"},  // dotless ı has no case fold to I
      {"NOTES", nullptr},       // an rtf entry has no layout
      {"FOLDER", nullptr},
      {"", nullptr},
  };
  for (const auto& c : cases) {
    const QString expected = c.file ? m_dir.filePath(QString::fromUtf8(c.file)) : QString();
    EXPECT_EQ(layoutFilePath(folder(), QString::fromUtf8(c.listText)), expected) << c.listText;
  }
}

TEST_F(LayoutListTest, NamesWithAFolderPartAreNotLayoutsOfTheFolder) {
  QTemporaryDir outside;
  ASSERT_TRUE(outside.isValid());
  QFile victim(outside.filePath("victim.omrf"));
  ASSERT_TRUE(victim.open(QIODevice::WriteOnly));
  victim.close();
  const QString relative = QDir(folder()).relativeFilePath(outside.filePath("victim"));
  ASSERT_TRUE(relative.startsWith("..")) << relative.toStdString();

  for (const QString& text : {relative, QString(relative).replace(u'/', u'\\'), outside.filePath("victim")}) {
    EXPECT_EQ(layoutFilePath(folder(), text), QString()) << text.toStdString();
    EXPECT_FALSE(deleteLayoutFile(folder(), text)) << text.toStdString();
  }
  EXPECT_TRUE(victim.exists());
}

TEST_F(LayoutListTest, DeletionRemovesTheLayoutOnly) {
  EXPECT_EQ(layoutDeletionQuestion("FORM2"), "FORM2.omrf isimli dosya silinecek");

  EXPECT_TRUE(deleteLayoutFile(folder(), "FORM2"));
  EXPECT_FALSE(exists("Form2.OMRF"));
  EXPECT_FALSE(layoutListEntries(folder()).contains("FORM2"));

  EXPECT_TRUE(deleteLayoutFile(folder(), "FORM1"));
  EXPECT_FALSE(exists("form1.omrf"));
  EXPECT_TRUE(exists("form1.rtf"));  // still listed beside the layouts
  EXPECT_EQ(layoutListEntries(folder()).count("FORM1"), 1);

  EXPECT_FALSE(deleteLayoutFile(folder(), "FORM2"));  // already gone
  EXPECT_FALSE(deleteLayoutFile(folder(), "NOTES"));
  EXPECT_TRUE(exists("notes.rtf"));
  EXPECT_FALSE(deleteLayoutFile(folder(), ""));
  EXPECT_FALSE(deleteLayoutFile(folder(), "FOLDER"));
  EXPECT_TRUE(QFileInfo(m_dir.filePath("folder.omrf")).isDir());
}

TEST(LayoutList, LayoutNamesFromTheListFindTheirFileInAnyLetterCase) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  for (const char* name : {"exam.omrf", "Form2.OMRF"}) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  EXPECT_EQ(findLayoutFile(dir.path(), "EXAM"), dir.filePath("exam.omrf"));
  EXPECT_EQ(findLayoutFile(dir.path(), "exam"), dir.filePath("exam.omrf"));
  EXPECT_EQ(findLayoutFile(dir.path(), "FORM2"), dir.filePath("Form2.OMRF"));
  EXPECT_EQ(findLayoutFile(dir.path(), "NOTES"), QString());
}

}  // namespace
