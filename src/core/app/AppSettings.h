#pragma once

#include <QString>

#include <cstdint>

/// The settings record: one field per line of sekonic.ini, in line order.
///
/// The initial values are those a missing file gives, so a record that no
/// file ever touched already agrees with a panel in its design-time state.
///
/// Several settings live on the settings panel (the port, the second tray,
/// the double-sided choices, the barcode box, the imprint choices, the
/// separator, ...). Their fields here mirror those controls in the form the
/// file holds them: they are set when the file is loaded and again whenever
/// it is saved. A reading run reads neither directly: it takes its options
/// from both once, through RunOptions::from.
struct AppSettings {
  std::int16_t PortIndex = 2;                         ///< line 1: Option1 index (2 "USB")
  std::int16_t BaudIndex = 0;                         ///< line 2: 0 "38400", 1 "19200"
  std::int16_t SecondTray = 0;                        ///< line 3: 0 "Yok", 1 "Var"
  std::int16_t DuplexMachine = 0;                     ///< line 4: 0 "Hayır", 1 "Evet"
  std::int16_t DuplexSheet = 0;                       ///< line 5: 0 "Hayır", 1 "Evet"
  QString DataFileExtension = QStringLiteral("txt");  ///< line 6
  QString FormWaitSeconds = QStringLiteral("00");     ///< line 7, normalised text
  std::int16_t UseDarknessLimit = 0;                  ///< line 8
  std::int16_t DarknessUpperLimit = 0;                ///< line 9
  std::int16_t StopOnError = 1;                       ///< line 10
  std::int16_t SpareNumber = 1000;                    ///< line 11, 0 to 7200
  std::int16_t BarcodeEnabled = 0;                    ///< line 12
  std::int16_t ImprintEnabled = 0;                    ///< line 13
  std::int16_t ImprintPosition = 0;                   ///< line 14, millimetres
  std::int16_t ImprintSequenceNo = 0;                 ///< line 15
  std::int16_t ImprintReadMark = 0;                   ///< line 16
  std::int16_t ImprintDateTime = 0;                   ///< line 17
  std::int16_t ReaderMake = 0;                        ///< line 18: 0 "Sekonic", 1 "Nanhao"
  std::int16_t Sr410Mode = 0;                         ///< line 19
  QString StarSetting = QStringLiteral("02");         ///< line 20
  std::int16_t UseOtherTempFile = 0;                  ///< line 21
  std::int16_t ReadingSpeed = 1;                      ///< line 22: 0 "Hızlı", 1 "Normal"
  QString ReadingLine13cm = QStringLiteral("28");     ///< line 23, two characters when saved
  std::int16_t SeparatorEnabled = 0;                  ///< line 24
  QString SeparatorText;                              ///< line 25
  std::int32_t PortNumberText = 1;                    ///< line 26: the integer value of Text11
  std::int16_t LanguageIndex = 0;                     ///< line 27: 0 Turkish, 1 English
  std::int16_t ImprintUnreadMark = 0;                 ///< line 28
  std::int16_t ImprintFileName = 0;                   ///< line 29
  QString ImprintText;                                ///< line 30
  std::int16_t StopAfterSheets = 0;                   ///< line 31, 0 = no limit
  QString LastLayoutName;                             ///< line 32
  std::int16_t WriteUtf8 = 0;                         ///< line 33
  double BackRed = 0;                                 ///< line 34
  double BackGreen = 0;                               ///< line 35
  double BackBlue = 192;                              ///< line 36
  double TextColor = 65535;                           ///< line 37, RGB colour value
  double HighlightRed = 255;                          ///< line 38
  double HighlightGreen = 255;                        ///< line 39
  double HighlightBlue = 128;                         ///< line 40
  double HighlightTextColor = 18;                     ///< line 41, RGB colour value
  bool UseBackgroundPicture = false;                  ///< line 42

  bool operator==(const AppSettings&) const = default;
};
