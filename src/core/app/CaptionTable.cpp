#include "app/CaptionTable.h"

#include <iterator>

namespace {

QList<Caption> buildCaptionTable() {
  struct Row {
    const char* control;
    const char* turkish;
    const char* english;
  };
  // The Turkish column differs in places from the window's design-time
  // captions and replaces them: "Tamam" has no access key, "Form Dosyası"
  // no trailing blank, "Dosya adı" a small a.
  static constexpr Row kRows[] = {
      {"MainWindow", "Korvel Okuma Programı Sürüm 4.124D", "Korvel Reading Software Version 4.124D"},
      {"Command12", "&Dur", "&Stop"},
      {"Command1", "&Oku", "&Read"},
      {"Command3", "&Ayarlar", "Settin&gs"},
      {"Command2", "Çı&kış", "E&xit"},
      {"Command13", "&English", "&Türkçe"},
      {"Check6", "Görünsün", "Show"},
      {"Label5", "Form Dosyası", "Layout File"},
      {"Command5", "OMRF Dosyasını Sil", "Delete Layout File"},
      {"Label9", "Son Kaydedilen", "Last Record"},
      {"Label2_1", "Kağıt Sayısı", "Sheet Count"},
      {"Label2_2", "Hatalı Sayısı", "Error Count"},
      {"Frame4", "Ayarlar", "Settings"},
      {"Frame15", "Optik Okuyucu Seçimi", "OMR Choice"},
      {"Frame1", "Bağlantı Noktası", "Port"},
      {"Frame2", "Okuma Sürati", "Read Speed"},
      {"Frame3", "Çift Çıkış Tepsisi", "Select Stacker"},
      {"Frame5", "Çift Yüzlü Makine", "Back Reading"},
      {"Frame6", "Çift Yüzlü Kağıt", "Double sided form"},
      {"Option2_2", "Var", "Yes"},
      {"Option2_3", "Yok", "No"},
      {"Option2_4", "Evet", "Yes"},
      {"Option2_5", "Hayır", "No"},
      {"Option2_6", "Evet", "Yes"},
      {"Option2_7", "Hayır", "No"},
      {"Command4", "Tamam", "OK"},
      {"Label3", "Dosya Uzantısı", "File Extension"},
      {"Frame10", "Hata Durumunda", "Case Error"},
      {"Check2", "Dursun", "Stop"},
      {"Frame7", "Elle Besleme Optik Okuyucu", "Manual Feed OMR"},
      {"Label4", "Form Bekleme Süresi (sn)", "Form Wait Time (sec)"},
      {"Frame8", "Koyuluk Ayarı", "Density Setting"},
      {"Label6", "Kullanılacak mı?", "Use"},
      {"Label7", "Üst Sınır", "Upper Limit"},
      {"Frame21", "Ayırma", "Seperation"},
      {"Check9", "Kullanılsın", "Use"},
      {"Check4", "Kullanılsın", "Use"},
      {"Label15_0", "Pozisyon (mm)", "Position (mm)"},
      {"Label15_1", "Metin", "String"},
      {"Check5_0", "Sıra No", "Serial"},
      {"Check5_1", "Okundu", "Read"},
      {"Check5_2", "Tarih && Saat", "Date && Time"},
      {"Check5_3", "Okunmadi", "Not Read"},
      {"Check5_4", "Dosya adı", "File Name"},
      {"Frame12", "Barkod", "Bar Code"},
      {"Check3", "Var", "Exists"},
      {"Frame22", "Lisan", "Language"},
      {"Command15", "Klasöre Git", "Go To Folder"},
  };
  QList<Caption> table;
  table.reserve(std::size(kRows));
  for (const Row& row : kRows)
    table.append({QString::fromLatin1(row.control), QString::fromUtf8(row.turkish), QString::fromUtf8(row.english)});
  return table;
}

}  // namespace

const QList<Caption>& captionTable() {
  static const QList<Caption> table = buildCaptionTable();
  return table;
}

std::optional<QString> captionIn(const Caption& caption, int languageIndex) {
  switch (languageIndex) {
    case 0:
      return caption.turkish;
    case 1:
      return caption.english;
    default:
      return std::nullopt;
  }
}
