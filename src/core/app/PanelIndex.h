#pragma once

/// The indices of the settings panel's control arrays, named after the
/// caption of the option or box they pick. The settings file stores these
/// indices, so their values never change.
namespace PanelIndex {

/// Option1, "Bağlantı Noktası".
enum Option1 : int {
  Option1Com1 = 0,
  Option1Com2 = 1,
  Option1Usb = 2,
  Option1Usb731 = 3,
};

/// Option2: five frames of two options sharing one array. The two options
/// of a frame differ only in the lowest bit of their index.
enum Option2 : int {
  Option2Baud38400 = 0,         ///< "Okuma Sürati"
  Option2Baud19200 = 1,         ///< "Okuma Sürati"
  Option2SecondTrayYes = 2,     ///< "Var" under "Çift Çıkış Tepsisi"
  Option2SecondTrayNo = 3,      ///< "Yok" under "Çift Çıkış Tepsisi"
  Option2DuplexMachineYes = 4,  ///< "Evet" under "Çift Yüzlü Makine"
  Option2DuplexMachineNo = 5,   ///< "Hayır" under "Çift Yüzlü Makine"
  Option2DuplexSheetYes = 6,    ///< "Evet" under "Çift Yüzlü Kağıt"
  Option2DuplexSheetNo = 7,     ///< "Hayır" under "Çift Yüzlü Kağıt"
  Option2ReaderNanhao = 8,      ///< "Nanhao" under "Optik Okuyucu Seçimi"
  Option2ReaderSekonic = 9,     ///< "Sekonic" under "Optik Okuyucu Seçimi"
};

/// Option3, "Okuma Hızı".
enum Option3 : int {
  Option3Fast = 0,    ///< "Hızlı"
  Option3Normal = 1,  ///< "Normal"
};

/// Option4, "Lisan".
enum Option4 : int {
  Option4Turkish = 0,
  Option4English = 1,
};

/// Check5, the imprint choices under "Printer".
enum Check5 : int {
  Check5SequenceNo = 0,  ///< "Sıra No"
  Check5ReadMark = 1,    ///< "Okundu"
  Check5DateTime = 2,    ///< "Tarih && Saat"
  Check5UnreadMark = 3,  ///< "Okunmadi"
  Check5FileName = 4,    ///< "Dosya Adı"
};

}  // namespace PanelIndex
