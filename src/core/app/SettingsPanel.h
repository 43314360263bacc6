#pragma once

#include "app/MainControls.h"
#include "app/PanelIndex.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>

/// The settings panel (Frame4) as a data model: every control under its own
/// name, the enabled states and frame visibilities its reactions switch, and
/// whether the panel is shown. The Qt panel binds its widgets to it; a
/// reading run takes its choices, with the settings record's, as RunOptions.
///
/// Changing a control through this class behaves like the operator's click:
/// selecting an option of Option2 runs Option2_Click, setting Check1 or
/// Check9 runs its click reaction and setting Text1 runs Text1_Change. Loading
/// the settings file goes through the same setters, so the panel's frames and
/// enabled fields always match its values.
///
/// A new panel is in its design-time state: "USB", "38400", "Yok", "Hayır"
/// twice, "Sekonic", "Normal", "Türkçe" selected; every box cleared except
/// "Dursun" (Check2), which is ticked; Text1 "dat", the other texts empty;
/// the frames and enabled fields as the reactions leave them for that
/// choice; the panel hidden.
class SettingsPanel {
 public:
  /// Check boxes other than the array Check5. Check6 ("Alan Adları
  /// Görünsün") and Check10 ("Kiril") sit on the main window.
  enum class CheckBox { Check1, Check2, Check3, Check4, Check6, Check7, Check8, Check9, Check10, Check11 };
  /// Text boxes; Text13 (stop after this many sheets) sits on the main window.
  enum class TextBox { Text1, Text2, Text3, Text5, Text9, Text10, Text11, Text12, Text13 };
  /// Controls whose enabled state the reactions switch.
  enum class Switchable { Label7, Text3, Check9, Text10 };
  /// Frames the reactions show and hide, known by their Turkish captions.
  /// "Bağlantı Noktası", "Optik Okuyucu Seçimi", "Ayırma" and "Lisan" are
  /// always visible and are not listed.
  enum class Frame {
    OkumaSurati,
    CiftCikisTepsisi,
    CiftYuzluMakine,
    ElleBeslemeOptikOkuyucu,
    KoyulukAyari,
    HataDurumunda,
    Barkod,
    Printer,
    Sr410,
    YildizAyari,
    GeciciTxt,
    OkumaHizi,
    Mesafe13cm,
    CiftYuzluKagit,
  };

  static constexpr int kOption1Count = 4;
  static constexpr int kOption2Count = 10;
  static constexpr int kOption3Count = 2;
  static constexpr int kOption4Count = 2;
  static constexpr int kCheck5Count = 5;
  static constexpr std::size_t kCheckBoxCount = 10;
  static constexpr std::size_t kTextBoxCount = 9;
  static constexpr std::size_t kSwitchableCount = 4;
  static constexpr std::size_t kFrameCount = 14;

  static const std::array<CheckBox, kCheckBoxCount>& checkBoxes();
  static const std::array<TextBox, kTextBoxCount>& textBoxes();
  static const std::array<Switchable, kSwitchableCount>& switchables();
  static const std::array<Frame, kFrameCount>& frames();

  /// The control's name ("Check1", "Text13", "Label7").
  static QString name(CheckBox box);
  static QString name(TextBox box);
  static QString name(Switchable control);
  /// The frame's Turkish caption ("Çift Yüzlü Kağıt").
  static QString caption(Frame frame);
  /// The list of the editable combo box Combo3: "01" to "06".
  static QStringList Combo3List();

  SettingsPanel();

  /// Whether the option of the given index (PanelIndex) is selected; false
  /// outside the array.
  bool Option1(int index) const;
  bool Option2(int index) const;
  bool Option3(int index) const;
  bool Option4(int index) const;

  /// Selects one option of "Bağlantı Noktası" (0 "Com1", 1 "Com2", 2 "USB",
  /// 3 "USB 731") and clears the others. An index outside 0 to 3 is ignored.
  void selectOption1(int index);
  /// Selects Option2(index) and clears the other option of its frame only,
  /// then runs Option2_Click(index). An index outside 0 to 9 is ignored.
  void selectOption2(int index);
  /// Clears Option2(index) without selecting anything else (the saving code
  /// clears "Evet" under "Çift Yüzlü Kağıt" this way). No reaction runs.
  void clearOption2(int index);
  /// "Okuma Hızı": 0 "Hızlı", 1 "Normal".
  void selectOption3(int index);
  /// "Lisan": 0 "Türkçe", 1 "English".
  void selectOption4(int index);

  /// A check box's value: 0 cleared, 1 ticked, 2 greyed.
  int check(CheckBox box) const;
  /// Sets a check box to 0, 1 or 2 and runs its reaction; any other value is
  /// ignored and the box keeps its state. Returns whether the value was taken.
  bool setCheck(CheckBox box, int value);
  /// The imprint choices Check5(0) "Sıra No" to Check5(4) "Dosya Adı".
  int Check5(int index) const;
  bool setCheck5(int index, int value);

  const QString& text(TextBox box) const;
  /// Sets a text box; setting Text1 runs Text1_Change.
  void setText(TextBox box, const QString& text);
  /// The text of the editable combo box Combo3 (any text, not only the list's).
  const QString& Combo3() const { return m_combo3; }
  void setCombo3(const QString& text) { m_combo3 = text; }

  bool isEnabled(Switchable control) const;
  bool isVisible(Frame frame) const;
  /// Whether the panel itself is shown over the main window.
  bool Frame4Visible() const { return m_frame4Visible; }
  void hide() { m_frame4Visible = false; }

  /// Opens the panel ("&Ayarlar"): disables the main window's reading, exit,
  /// settings, delete-layout and stop buttons and the layout list, brings the
  /// enabled fields up to date with the boxes and the extension, shows the
  /// panel.
  void Command3_Click(MainControls& main);

  /// The reactions, run by the setters above and called directly where the
  /// program runs them on their own.
  void Option1_Click(int index);
  void Option2_Click(int index);
  void Check1_Click();
  void Check9_Click();
  void Text1_Change();

  bool operator==(const SettingsPanel&) const = default;

 private:
  void setVisible(Frame frame, bool visible);
  void setEnabled(Switchable control, bool enabled);

  std::array<bool, kOption1Count> m_option1{};
  std::array<bool, kOption2Count> m_option2{};
  std::array<bool, kOption3Count> m_option3{};
  std::array<bool, kOption4Count> m_option4{};
  std::array<int, kCheckBoxCount> m_checks{};
  std::array<int, kCheck5Count> m_check5{};
  std::array<QString, kTextBoxCount> m_texts;
  QString m_combo3;
  std::array<bool, kSwitchableCount> m_enabled{};
  std::array<bool, kFrameCount> m_frameVisible{};
  bool m_frame4Visible = false;
};
