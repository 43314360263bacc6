#pragma once

#include "app/SettingsPanel.h"

#include <QGroupBox>

#include <array>
#include <functional>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

/// The settings panel (Frame4) over the main window, bound to the panel model: every widget change goes to the
/// model through its setters (so the reactions run) and the whole frame is then refreshed from the model.
///
/// Every control carries its own name as object name ("Frame15", "Option2_7", "Check5_0", "Text11", "Label7",
/// "Command4"), so the captions can be switched by name. The panel keeps the standard colours of the platform
/// whatever colours the window beneath it has, and resizes itself to its visible frames on every refresh.
class SettingsPanelWidget : public QGroupBox {
  Q_OBJECT

 public:
  explicit SettingsPanelWidget(SettingsPanel& model, QWidget* parent = nullptr);

  /// Shows every control as the model holds it: values, enabled states, which frames are visible, and whether the
  /// panel itself is shown (model.Frame4Visible()). Signals are blocked while it does so.
  void refreshFromModel();

 signals:
  /// "Tamam" (Command4) was pressed; the window saves the settings (SaveSettings hides the panel) and refreshes.
  void confirmed();

 private:
  QGroupBox* makeFrame(const QString& objectName, const QString& title);
  QGroupBox* makeFrame(SettingsPanel::Frame frame);
  QRadioButton* makeOption(QRadioButton*& slot, const QString& objectName, const QString& text, QGroupBox* frame,
                           const std::function<void()>& select);
  QCheckBox* makeCheck(SettingsPanel::CheckBox box, const QString& text);
  QCheckBox* makeCheck5(int index, const QString& text);
  QLineEdit* makeText(SettingsPanel::TextBox box, int widthInDigits = 0);
  void bindCheck(QCheckBox* widget, const std::function<bool(int)>& set);
  QWidget* switchable(SettingsPanel::Switchable control) const;

  SettingsPanel& m_model;
  std::array<QRadioButton*, SettingsPanel::kOption1Count> m_option1{};
  std::array<QRadioButton*, SettingsPanel::kOption2Count> m_option2{};
  std::array<QRadioButton*, SettingsPanel::kOption3Count> m_option3{};
  std::array<QRadioButton*, SettingsPanel::kOption4Count> m_option4{};
  /// Indexed by SettingsPanel::CheckBox; the main window's boxes stay empty.
  std::array<QCheckBox*, SettingsPanel::kCheckBoxCount> m_checks{};
  std::array<QCheckBox*, SettingsPanel::kCheck5Count> m_check5{};
  /// Indexed by SettingsPanel::TextBox; the main window's texts stay empty.
  std::array<QLineEdit*, SettingsPanel::kTextBoxCount> m_texts{};
  /// Indexed by SettingsPanel::Frame.
  std::array<QGroupBox*, SettingsPanel::kFrameCount> m_frames{};
  QLabel* m_label7 = nullptr;
  QComboBox* m_combo3 = nullptr;
  QPushButton* m_command4 = nullptr;
  /// The controls whose signals reach the model; refreshing blocks them.
  std::vector<QWidget*> m_bound;
};
