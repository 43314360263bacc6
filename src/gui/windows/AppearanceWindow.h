#pragma once

#include "app/AppSettings.h"

#include <QDialog>

#include <array>
#include <cstdint>

class ColourChart;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

/// The appearance window (GenSabit): the background picture chosen from
/// six candidates arka001.jpg .. arka006.jpg of the program folder (the
/// choice is copied to arkaplan.jpg at once), whether the main window shows
/// it, the outer colour picked from a colour chart and the text colour.
/// The colours and the check box change the settings record it was given;
/// they reach sekonic.ini when the settings are next saved.
class AppearanceWindow : public QDialog {
  Q_OBJECT
 public:
  AppearanceWindow(AppSettings& settings, QString programFolder, QWidget* parent = nullptr);

  /// The activation steps, run whenever the window becomes the active one:
  /// the message line cleared, the check box from the setting, the
  /// thumbnails loaded afresh from the candidates that exist.
  void Form_Activate();

  /// True except while the outer colour is being chosen.
  bool idle() const { return m_idle; }

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Image_Click(int number);
  void Option2_Click(int index);
  void Command2_Click();
  void Picture1_MouseMove(std::int32_t colourNumber);
  void Picture1_MouseUp(std::int32_t colourNumber);
  void showSample(const QColor& background);
  QString candidatePath(int number) const;

  AppSettings& m_settings;
  QString m_programFolder;
  bool m_idle = true;

  std::array<QLabel*, 6> m_images{};
  QCheckBox* m_check1 = nullptr;
  QPushButton* m_command2 = nullptr;
  ColourChart* m_picture1 = nullptr;
  QLabel* m_picture2 = nullptr;
  std::array<QRadioButton*, 5> m_option2{};
  QLabel* m_label1 = nullptr;
};
