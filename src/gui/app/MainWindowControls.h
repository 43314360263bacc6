#pragma once

#include <QList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTextBrowser;
class QWidget;
class PictureSurface;
class RecordView;

/// The controls of the main window, each carrying its own name as object
/// name ("Command1", "Label2_3", ...), laid out on the window's central
/// widget. The window gives them their behaviour.
struct MainWindowControls {
  QPushButton* Command1 = nullptr;   ///< "&Oku"
  QPushButton* Command12 = nullptr;  ///< "&Dur"
  QPushButton* Command2 = nullptr;   ///< "Çı&kış"
  QPushButton* Command3 = nullptr;   ///< "&Ayarlar"
  QPushButton* Command5 = nullptr;   ///< delete the layout file
  QPushButton* Command6 = nullptr;   ///< "&Yoğunluk"
  QPushButton* Command7 = nullptr;   ///< "&Özelleştir"
  QPushButton* Command13 = nullptr;  ///< language
  QPushButton* Command14 = nullptr;  ///< "Hakkımızda"
  QPushButton* Command15 = nullptr;  ///< "Klasöre Git"

  QLabel* Label5 = nullptr;          ///< "Form Dosyası "
  QComboBox* Combo1 = nullptr;       ///< the layout list
  QLabel* Label3 = nullptr;          ///< "Dosya Uzantısı"
  QLineEdit* Text1 = nullptr;        ///< data file extension
  QLineEdit* Text13 = nullptr;       ///< stop after this many sheets
  QCheckBox* Check6 = nullptr;       ///< field names in the raw view
  QCheckBox* Check10 = nullptr;      ///< Cyrillic raw view
  QList<QLabel*> Label2;             ///< the ten status labels
  QLabel* Label8 = nullptr;          ///< last saved record
  RecordView* Label8View = nullptr;  ///< scrolls the last saved record
  QLabel* Label9 = nullptr;          ///< "Son Kaydedilen"
  QLabel* Label12 = nullptr;         ///< reader model
  QLabel* Label13 = nullptr;         ///< data file of the run
  QPlainTextEdit* Text14 = nullptr;  ///< raw view of the last saved sheet
  PictureSurface* Picture1 = nullptr;
  QTextBrowser* WebBrowser1 = nullptr;  ///< the information panel

  /// Creates the controls on `central` and lays them out.
  static MainWindowControls build(QWidget* central);
};
