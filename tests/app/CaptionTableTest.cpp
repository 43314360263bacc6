#include "app/CaptionTable.h"

#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const Caption* findCaption(const QString& control) {
  const QList<Caption>& table = captionTable();
  const auto it =
      std::find_if(table.begin(), table.end(), [&](const Caption& c) { return c.control == control; });
  return it == table.end() ? nullptr : &*it;
}

qsizetype positionOf(const QString& control) {
  const QList<Caption>& table = captionTable();
  for (qsizetype i = 0; i < table.size(); ++i)
    if (table[i].control == control) return i;
  return -1;
}

TEST(CaptionTable, TextsThatAreEasyToGetWrong) {
  const struct {
    const char* control;
    const char* turkish;
    const char* english;
  } cases[] = {
      {"MainWindow", "Korvel Okuma Programı Sürüm 4.124D", "Korvel Reading Software Version 4.124D"},
      {"Command3", "&Ayarlar", "Settin&gs"},
      {"Command2", "Çı&kış", "E&xit"},
      {"Command13", "&English", "&Türkçe"},
      {"Command4", "Tamam", "OK"},  // no access key, unlike the design-time "&Tamam"
      {"Label5", "Form Dosyası", "Layout File"},  // no trailing blank
      {"Command5", "OMRF Dosyasını Sil", "Delete Layout File"},
      {"Check2", "Dursun", "Stop"},
      {"Command12", "&Dur", "&Stop"},
      {"Frame21", "Ayırma", "Seperation"},
      {"Label6", "Kullanılacak mı?", "Use"},
      {"Check5_2", "Tarih && Saat", "Date && Time"},
      {"Check5_3", "Okunmadi", "Not Read"},
      {"Check5_4", "Dosya adı", "File Name"},
      {"Label15_0", "Pozisyon (mm)", "Position (mm)"},
      {"Label2_2", "Hatalı Sayısı", "Error Count"},
      {"Option2_7", "Hayır", "No"},
      {"Frame6", "Çift Yüzlü Kağıt", "Double sided form"},
      {"Check3", "Var", "Exists"},
  };
  for (const auto& c : cases) {
    const Caption* caption = findCaption(c.control);
    ASSERT_NE(caption, nullptr) << c.control;
    EXPECT_EQ(caption->turkish, QString(c.turkish)) << c.control;
    EXPECT_EQ(caption->english, QString(c.english)) << c.control;
  }
}

TEST(CaptionTable, RowsComeInTheOrderTheyAreSetAndEachControlOnce) {
  const QList<Caption>& table = captionTable();
  ASSERT_FALSE(table.isEmpty());
  const QStringList firstRows = {"MainWindow", "Command12", "Command1", "Command3", "Command2", "Command13", "Check6"};
  for (qsizetype i = 0; i < firstRows.size(); ++i) EXPECT_EQ(table[i].control, firstRows[i]) << i;
  EXPECT_EQ(table.back().control, "Command15");

  // The option pairs of the panel follow one another, 2 to 7.
  const qsizetype option = positionOf("Option2_2");
  ASSERT_GE(option, 0);
  for (int index = 3; index <= 7; ++index)
    EXPECT_EQ(positionOf(QStringLiteral("Option2_%1").arg(index)), option + index - 2) << index;
  EXPECT_LT(positionOf("Frame4"), positionOf("Frame15"));
  EXPECT_LT(positionOf("Label15_1"), positionOf("Check5_0"));
  EXPECT_LT(positionOf("Check9"), positionOf("Check4"));

  QSet<QString> seen;
  for (const Caption& caption : table) {
    EXPECT_FALSE(seen.contains(caption.control)) << caption.control.toStdString();
    seen.insert(caption.control);
    EXPECT_FALSE(caption.turkish.isEmpty() || caption.english.isEmpty()) << caption.control.toStdString();
  }
  // The field-names label has no control, and untranslated controls have no row.
  for (const char* absent : {"Label2_9", "Option4_0", "Option4_1", "Command6", "Command7", "Command14"})
    EXPECT_EQ(findCaption(absent), nullptr) << absent;
}

TEST(CaptionTable, LanguageIndexPicksTheColumnOrNothing) {
  const Caption caption{"Command1", "&Oku", "&Read"};
  EXPECT_EQ(captionIn(caption, 0), std::optional<QString>("&Oku"));
  EXPECT_EQ(captionIn(caption, 1), std::optional<QString>("&Read"));
  for (int other : {-1, 2, 32767}) EXPECT_EQ(captionIn(caption, other), std::nullopt) << other;
}

}  // namespace
