#include "device/DeviceErrorTable.h"

#include <algorithm>
#include <iterator>

namespace {

// Every code the reader reports, with both messages and the two flags.
constexpr DeviceError kTable[] = {
    {u"1", u"Hatalı Duruş (Ayrıntı bilinmiyor)", u"Unknown Error", true, false},
    {u"2", u"OMR henüz bağlı değil", u"OMR Not connected yet", true, false},
    {u"3", u"Parametre Hatası", u"Parameter Error", true, false},
    {u"4", u"DLL hatası", u"DLL Error", true, false},
    {u"5", u"Zaman aşımı", u"Time Out Error", true, false},
    {u"6", u"'Hazır Değil' sinyali alındı.", u"'Not Ready' signal received.", true, false},
    {u"7", u"İletişim format hatası", u"Communication format error", true, false},
    {u"10000", u"Bellek hatası 1", u"Memory Error 1", true, false},
    {u"10001", u"Bellek hatası 2", u"Memory Error 2", true, false},
    {u"10002", u"Asansör hareket hatası", u"Hopper movement error", true, false},
    {u"10003", u"Download hatası", u"Download error", true, false},
    {u"10004", u"Sensör tipi hatası", u"Sensor type error", true, false},
    {u"1020000", u"Ön yüz: Şebeke hatası", u"Front: Network Error", true, false},
    {u"1020001", u"Ön yüz: İç iletişim hatası", u"Front: Internal communication error", true, false},
    {u"1020002", u"Ön yüz: Bellek hatası", u"Front: Memory error", true, false},
    {u"1020003", u"Ön yüz: Ayar değeri hatası", u"Front: Setting value error", true, false},
    {u"1020004", u"Ön yüz: Download hatası", u"Front: Download error", true, false},
    {u"1020005", u"Ön yüz: İç hata", u"Front: Internal Error", true, false},
    {u"2020000", u"Arka yüz: Şebeke hatası", u"Back: Network Error", true, false},
    {u"2020001", u"Arka yüz: İç iletişim hatası", u"Back: Internal communication error", true, false},
    {u"2020002", u"Arka yüz: Bellek hatası", u"Back: Memory error", true, false},
    {u"2020003", u"Arka yüz: Ayar değeri hatası", u"Back: Setting value error", true, false},
    {u"2020004", u"Arka yüz: Download hatası", u"Back: Download error", true, false},
    {u"2020005", u"Arka yüz: İç hata", u"Back: Internal Error", true, false},
    {u"3030000", u"Barkod: Şebeke hatası", u"Barcode: Network Error", true, false},
    {u"3030001", u"Barkod: İç iletişim hatası", u"Barcode: Internal communication error", true, false},
    {u"3030002", u"Barkod: Bellek hatası", u"Barcode: Memory Error", true, false},
    {u"3030003", u"Barkod: Sensör hatası", u"Barcode: Sensor type error", true, false},
    {u"3030004", u"Barkod: Download hatası", u"Barcode: Download error", true, false},
    {u"3030005", u"Barkod: İç hata", u"Barcode: Internal Error", true, false},
    {u"4040000", u"Yazıcı: Şebeke hatası", u"Printer: Network Error", true, false},
    {u"4040001", u"Yazıcı: İç iletişim hatası", u"Printer: Internal communication error", true, false},
    {u"4040002", u"Yazıcı: Bellek hatası", u"Printer: Memory Error", true, false},
    {u"4040003", u"Yazıcı: Download hatası", u"Printer: Download error", true, false},
    {u"4040004", u"Yazıcı: İç hata", u"Printer: Internal Error", true, false},
    {u"5050000", u"Çıkış Tepsisi: Şebeke hatası", u"SS: Network Error", true, false},
    {u"5050001", u"Çıkış Tepsisi: İç iletişim hatası", u"SS: Internal communication error", true, false},
    {u"5050002", u"Çıkış Tepsisi: Bellek hatası", u"SS: Memory Error", true, false},
    {u"5050003", u"Çıkış Tepsisi: Download hatası", u"SS: Download error", true, false},
    {u"5050004", u"Çıkış Tepsisi: İç hata", u"SS: Internal Error", true, false},
    {u"1F060000", u"1F060000 hatası", u"1F060000 error", true, false},
    {u"1F060001", u"1F060001 hatası", u"1F060001 error", true, false},
    {u"1F060002", u"1F060002 hatası", u"1F060002 error", true, false},
    {u"1F060003", u"1F060003 hatası", u"1F060003 error", true, false},
    {u"1F060004", u"Komut hatası", u"Command error", true, false},
    {u"1F060005", u"Parametre hatası", u"Parameter error", true, false},
    {u"1F060006", u"Protokol hatası", u"Protocol error", true, false},
    {u"20070000", u"Ana gövde : Kapak açık", u"Main body: Cover open", true, false},
    {u"25070001", u"Çıkış ünitesi : Ön Kapak açık", u"SS: Front cover open", true, false},
    {u"25070002", u"Çıkış ünitesi : Yan Kapak açık", u"SS: Side cover open", true, false},
    {u"30080000", u"Ana Gövde : Kağıt Yok", u"Main body: Sheet empty", true, false},
    {u"30080001", u"Ana Gövde : Kağıt Besleme Sensörü Kağıt Sıkıştı", u"Main body: Sheet Feed Sensor, paper jam", true, false},
    {u"30080002", u"Ana Gövde : Okuma Sensörü Kağıt Sıkıştı", u"Main body: Read Sensor, paper jam", true, false},
    {u"30080003", u"Ana Gövde : Çıkış Bölümü Kağıt Sıkıştı", u"Main body: Output tray, paper jam", true, false},
    {u"35090000", u"Çıkış Tepsisi : Giriş Bölümü Kağıt Sıkıştı", u"SS: Input tray, paper jam", true, false},
    {u"35090001", u"Çıkış Tepsisi : Yazıcı Bölümü Kağıt Sıkıştı", u"SS: Printer, paper jam", true, false},
    {u"35090002", u"Çıkış Tepsisi : Ana Tepsi Kağıt Sıkıştı", u"SS: Main tray, paper jam", true, false},
    {u"35090003", u"Çıkış Tepsisi : Seçim Tepsisi Kağıt Sıkıştı", u"SS: Reject tray, paper jam", true, false},
    {u"42100000", u"Arka Okuma Bağlı Değil", u"Back Sensor not connected", true, true},
    {u"43100001", u"Barkod Bağlı Değil", u"Barcode not connected", true, false},
    {u"44100002", u"Yazıcı Bağlı Değil", u"Printer not connected", true, false},
    {u"45100003", u"Çıkış Tepsisi Bağlı Değil", u"SS not connected", true, false},
    {u"40110000", u"Tepsi Boş ", u"Sheet empty", true, false},
    {u"40110001", u"Çift kağıt geçti", u"Double feed error", false, false},
    {u"40110002", u"Kağıt sol yan hatası", u"Left end skew error", false, false},
    {u"40120000", u"Ana Gövde : Tepsi Acil Sonlandırma", u"Main body: Emergency termination", true, false},
    {u"40120001", u"Ana Gövde: Kağıt alınamadı", u"Main body: Extract error", true, false},
    {u"40120002", u"Ana Gövde: Kağıt Giriş Zaman-Aşımı", u"Main body: Time out error", true, false},
    {u"40120003", u"Ön / Arka Okuma Çizgisi Hatası", u"Front/Back Timing mark error", true, true},
    {u"41120003", u"Ön Yüz Okuma Çizgisi Hatası", u"Front: Timing mark error", false, false},
    {u"42120003", u"Arka Yüz Okuma Çizgisi Hatası", u"Back: Timing mark error", false, true},
    {u"40120004", u"Ön Okuma: Konfigürasyon Hatası", u"Front: Configuration error", false, false},
    {u"41120004", u"Ön / Arka Okuma: Konfigürasyon Hatası", u"Front/Back: Configuration error", false, false},
    {u"42120004", u"Arka Okuma: Konfigürasyon Hatası", u"Back: Configuration error", false, true},
    {u"41130000", u"Ön Okuma: Beyaz Seviye Hatası", u"Front: White level error", true, true},
    {u"41130001", u"Ön Okuma: Siyah Seviye Hatası", u"Front: Black level error", false, false},
    {u"42130000", u"Arka Okuma: Beyaz Seviye Hatası", u"Back: White level error", false, true},
    {u"42130001", u"Arka Okuma Siyah Seviye Hatası", u"Back: Black level error", false, true},
    {u"41120005", u"Arka yüz okuma çizgisi hatası", u"Back: Timing mark error", false, true},
    {u"40140000", u"Ana gövdede kağıt kaldı", u"Main body: Form left", true, false},
    {u"40140001", u"Ana gövdede kağıt kaldı", u"Main body: Form left", true, false},
    {u"40140002", u"Ana gövdede kağıt kaldı", u"Main body: Form left", true, false},
    {u"45140003", u"Çıkış tepsisinde kağıt kaldı", u"SS: Form left", true, false},
    {u"45140004", u"Çıkış tepsisinde kağıt kaldı", u"SS: paper jam", true, false},
    {u"45140005", u"Çıkış tepsisinde kağıt kaldı", u"SS: Form left", true, false},
    {u"45140006", u"Çıkış tepsisinde kağıt kaldı", u"SS: Form left", true, false},
    {u"42120005", u"Arka yüz okuma çizgisi hatası", u"Back: Timing mark error", false, true},
};

}  // namespace

namespace device_errors {

QString codeText(std::uint32_t status) { return QString::number(status, 16).toUpper(); }

std::optional<DeviceError> find(QStringView code) {
  const auto* row = std::find_if(std::begin(kTable), std::end(kTable),
                                 [code](const DeviceError& e) { return code == QStringView(e.codeText); });
  if (row == std::end(kTable)) return std::nullopt;
  return *row;
}

QString message(std::uint32_t status, int languageIndex) {
  const QString code = codeText(status);
  const bool turkish = languageIndex == 0;
  if (const auto row = find(code)) return QString::fromUtf16(turkish ? row->turkish : row->english);
  return code + (turkish ? QStringLiteral(" nolu hata") : QStringLiteral(" error"));
}

}  // namespace device_errors
