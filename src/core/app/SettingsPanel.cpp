#include "app/SettingsPanel.h"

namespace {

template <typename Enum>
constexpr std::size_t at(Enum value) {
  return static_cast<std::size_t>(value);
}

bool inRange(int index, int count) {
  return index >= 0 && index < count;
}

bool isCheckValue(int value) {
  return value >= 0 && value <= 2;
}

using Frame = SettingsPanel::Frame;

// The frames of the Sekonic reader's settings, shown by "Sekonic" and hidden
// by "Nanhao".
constexpr std::array kSekonicFrames = {
    Frame::OkumaSurati,  Frame::CiftCikisTepsisi, Frame::CiftYuzluMakine, Frame::ElleBeslemeOptikOkuyucu,
    Frame::KoyulukAyari, Frame::HataDurumunda,    Frame::Barkod,          Frame::Printer,
    Frame::Sr410,
};

// The frames of the Nanhao reader's settings.
constexpr std::array kNanhaoFrames = {
    Frame::YildizAyari,
    Frame::GeciciTxt,
    Frame::OkumaHizi,
    Frame::Mesafe13cm,
};

}  // namespace

const std::array<SettingsPanel::CheckBox, SettingsPanel::kCheckBoxCount>& SettingsPanel::checkBoxes() {
  static constexpr std::array<CheckBox, kCheckBoxCount> kAll = {
      CheckBox::Check1, CheckBox::Check2, CheckBox::Check3, CheckBox::Check4,  CheckBox::Check6,
      CheckBox::Check7, CheckBox::Check8, CheckBox::Check9, CheckBox::Check10, CheckBox::Check11,
  };
  return kAll;
}

const std::array<SettingsPanel::TextBox, SettingsPanel::kTextBoxCount>& SettingsPanel::textBoxes() {
  static constexpr std::array<TextBox, kTextBoxCount> kAll = {
      TextBox::Text1,  TextBox::Text2,  TextBox::Text3,  TextBox::Text5,  TextBox::Text9,
      TextBox::Text10, TextBox::Text11, TextBox::Text12, TextBox::Text13,
  };
  return kAll;
}

const std::array<SettingsPanel::Switchable, SettingsPanel::kSwitchableCount>& SettingsPanel::switchables() {
  static constexpr std::array<Switchable, kSwitchableCount> kAll = {Switchable::Label7, Switchable::Text3,
                                                                    Switchable::Check9, Switchable::Text10};
  return kAll;
}

const std::array<SettingsPanel::Frame, SettingsPanel::kFrameCount>& SettingsPanel::frames() {
  static constexpr std::array<Frame, kFrameCount> kAll = {
      Frame::OkumaSurati,  Frame::CiftCikisTepsisi, Frame::CiftYuzluMakine, Frame::ElleBeslemeOptikOkuyucu,
      Frame::KoyulukAyari, Frame::HataDurumunda,    Frame::Barkod,          Frame::Printer,
      Frame::Sr410,        Frame::YildizAyari,      Frame::GeciciTxt,       Frame::OkumaHizi,
      Frame::Mesafe13cm,   Frame::CiftYuzluKagit,
  };
  return kAll;
}

QString SettingsPanel::name(CheckBox box) {
  static const std::array<const char*, kCheckBoxCount> kNames = {
      "Check1", "Check2", "Check3", "Check4", "Check6", "Check7", "Check8", "Check9", "Check10", "Check11"};
  return QString::fromLatin1(kNames.at(at(box)));
}

QString SettingsPanel::name(TextBox box) {
  static const std::array<const char*, kTextBoxCount> kNames = {
      "Text1", "Text2", "Text3", "Text5", "Text9", "Text10", "Text11", "Text12", "Text13"};
  return QString::fromLatin1(kNames.at(at(box)));
}

QString SettingsPanel::name(Switchable control) {
  static const std::array<const char*, kSwitchableCount> kNames = {"Label7", "Text3", "Check9", "Text10"};
  return QString::fromLatin1(kNames.at(at(control)));
}

QString SettingsPanel::caption(Frame frame) {
  static const std::array<const char*, kFrameCount> kCaptions = {
      "Okuma Sürati",
      "Çift Çıkış Tepsisi",
      "Çift Yüzlü Makine",
      "Elle Besleme Optik Okuyucu",
      "Koyuluk Ayarı",
      "Hata Durumunda",
      "Barkod",
      "Printer",
      "SR 410",
      "Yıldız Ayarı",
      "Gecici.txt",
      "Okuma Hızı",
      "13 cm mesafe",
      "Çift Yüzlü Kağıt",
  };
  return QString::fromUtf8(kCaptions.at(at(frame)));
}

QStringList SettingsPanel::Combo3List() {
  return {QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("03"),
          QStringLiteral("04"), QStringLiteral("05"), QStringLiteral("06")};
}

SettingsPanel::SettingsPanel() {
  using namespace PanelIndex;
  for (const int index : {Option2Baud38400, Option2SecondTrayNo, Option2DuplexMachineNo, Option2DuplexSheetNo,
                          Option2ReaderSekonic})
    m_option2[static_cast<std::size_t>(index)] = true;
  m_option1[Option1Usb] = true;
  m_option3[Option3Normal] = true;
  m_option4[Option4Turkish] = true;
  m_checks[at(CheckBox::Check2)] = 1;
  m_texts[at(TextBox::Text1)] = QStringLiteral("dat");
  // What the reactions make of that choice: the Sekonic frames without the
  // double-sided sheet, the upper limit off, the separator free.
  for (Frame frame : kSekonicFrames) setVisible(frame, true);
  setEnabled(Switchable::Check9, true);
  setEnabled(Switchable::Text10, true);
}

bool SettingsPanel::Option1(int index) const {
  return inRange(index, kOption1Count) && m_option1[static_cast<std::size_t>(index)];
}
bool SettingsPanel::Option2(int index) const {
  return inRange(index, kOption2Count) && m_option2[static_cast<std::size_t>(index)];
}
bool SettingsPanel::Option3(int index) const {
  return inRange(index, kOption3Count) && m_option3[static_cast<std::size_t>(index)];
}
bool SettingsPanel::Option4(int index) const {
  return inRange(index, kOption4Count) && m_option4[static_cast<std::size_t>(index)];
}

void SettingsPanel::selectOption1(int index) {
  if (!inRange(index, kOption1Count)) return;
  m_option1.fill(false);
  m_option1[static_cast<std::size_t>(index)] = true;
  Option1_Click(index);
}

void SettingsPanel::selectOption2(int index) {
  if (!inRange(index, kOption2Count)) return;
  // The ten options share one control array but sit in five frames of two;
  // each frame is its own group.
  m_option2[static_cast<std::size_t>(index)] = true;
  m_option2[static_cast<std::size_t>(index ^ 1)] = false;
  Option2_Click(index);
}

void SettingsPanel::clearOption2(int index) {
  if (inRange(index, kOption2Count)) m_option2[static_cast<std::size_t>(index)] = false;
}

void SettingsPanel::selectOption3(int index) {
  if (!inRange(index, kOption3Count)) return;
  m_option3.fill(false);
  m_option3[static_cast<std::size_t>(index)] = true;
}

void SettingsPanel::selectOption4(int index) {
  if (!inRange(index, kOption4Count)) return;
  m_option4.fill(false);
  m_option4[static_cast<std::size_t>(index)] = true;
}

int SettingsPanel::check(CheckBox box) const {
  return m_checks[at(box)];
}

bool SettingsPanel::setCheck(CheckBox box, int value) {
  if (!isCheckValue(value)) return false;
  m_checks[at(box)] = value;
  if (box == CheckBox::Check1) Check1_Click();
  if (box == CheckBox::Check9) Check9_Click();
  return true;
}

int SettingsPanel::Check5(int index) const {
  return inRange(index, kCheck5Count) ? m_check5[static_cast<std::size_t>(index)] : 0;
}

bool SettingsPanel::setCheck5(int index, int value) {
  if (!inRange(index, kCheck5Count) || !isCheckValue(value)) return false;
  m_check5[static_cast<std::size_t>(index)] = value;
  return true;
}

const QString& SettingsPanel::text(TextBox box) const {
  return m_texts[at(box)];
}

void SettingsPanel::setText(TextBox box, const QString& text) {
  m_texts[at(box)] = text;
  if (box == TextBox::Text1) Text1_Change();
}

bool SettingsPanel::isEnabled(Switchable control) const {
  return m_enabled[at(control)];
}

bool SettingsPanel::isVisible(Frame frame) const {
  return m_frameVisible[at(frame)];
}

void SettingsPanel::setVisible(Frame frame, bool visible) {
  m_frameVisible[at(frame)] = visible;
}

void SettingsPanel::setEnabled(Switchable control, bool enabled) {
  m_enabled[at(control)] = enabled;
}

void SettingsPanel::Command3_Click(MainControls& main) {
  main.Command1Enabled = false;
  main.Command2Enabled = false;
  main.Command3Enabled = false;
  main.Command5Enabled = false;
  main.Command12Enabled = false;
  main.Combo1Enabled = false;
  Check9_Click();
  Check1_Click();
  m_frame4Visible = true;
  Text1_Change();
}

// The port options only record the choice.
void SettingsPanel::Option1_Click(int) {}

void SettingsPanel::Option2_Click(int index) {
  switch (index) {
    case PanelIndex::Option2ReaderSekonic:
      for (Frame frame : kSekonicFrames) setVisible(frame, true);
      for (Frame frame : kNanhaoFrames) setVisible(frame, false);
      if (Option2(PanelIndex::Option2DuplexMachineYes)) {
        setVisible(Frame::CiftYuzluKagit, true);
        setVisible(Frame::HataDurumunda, true);
      } else {
        setVisible(Frame::CiftYuzluKagit, false);
      }
      break;
    case PanelIndex::Option2ReaderNanhao:
      for (Frame frame : kSekonicFrames) setVisible(frame, false);
      setVisible(Frame::CiftYuzluKagit, false);
      for (Frame frame : kNanhaoFrames) setVisible(frame, true);
      // The Nanhao reader is only connected through USB.
      selectOption1(PanelIndex::Option1Usb);
      break;
    case PanelIndex::Option2DuplexMachineNo:
      setVisible(Frame::CiftYuzluKagit, false);
      break;
    case PanelIndex::Option2DuplexMachineYes:
      setVisible(Frame::CiftYuzluKagit, true);
      setVisible(Frame::HataDurumunda, true);
      break;
    default:
      break;
  }
}

void SettingsPanel::Check1_Click() {
  const bool on = check(CheckBox::Check1) == 1;
  setEnabled(Switchable::Label7, on);
  setEnabled(Switchable::Text3, on);
}

void SettingsPanel::Check9_Click() {
  setEnabled(Switchable::Text10, check(CheckBox::Check9) != 0);
}

void SettingsPanel::Text1_Change() {
  // A csv record always separates its fields with ";", so the separator is
  // forced on and locked while the extension is csv.
  if (text(TextBox::Text1).toUpper() == QLatin1String("CSV")) {
    setCheck(CheckBox::Check9, 1);
    setEnabled(Switchable::Check9, false);
    m_texts[at(TextBox::Text10)] = QStringLiteral(";");
    setEnabled(Switchable::Text10, false);
  } else {
    setEnabled(Switchable::Check9, true);
    setEnabled(Switchable::Text10, true);
  }
}
