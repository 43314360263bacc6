#include "SettingsPanelWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include <span>
#include <utility>

namespace {

using CheckBox = SettingsPanel::CheckBox;
using Frame = SettingsPanel::Frame;
using Switchable = SettingsPanel::Switchable;
using TextBox = SettingsPanel::TextBox;

template <typename Enum>
constexpr std::size_t at(Enum value) {
  return static_cast<std::size_t>(value);
}

QString objectNameOf(Frame frame) {
  static const std::array<const char*, SettingsPanel::kFrameCount> kNames = {
      "Frame2",   // "Okuma Sürati"
      "Frame3",   // "Çift Çıkış Tepsisi"
      "Frame5",   // "Çift Yüzlü Makine"
      "Frame7",   // "Elle Besleme Optik Okuyucu"
      "Frame8",   // "Koyuluk Ayarı"
      "Frame10",  // "Hata Durumunda"
      "Frame12",  // "Barkod"
      "Frame11",  // "Printer"
      "Frame13",  // "SR 410"
      "Frame14",  // "Yıldız Ayarı"
      "Frame16",  // "Gecici.txt"
      "Frame17",  // "Okuma Hızı"
      "Frame18",  // "13 cm mesafe"
      "Frame6",   // "Çift Yüzlü Kağıt"
  };
  return QString::fromLatin1(kNames.at(at(frame)));
}

QString indexedName(const char* array, int index) {
  return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index);
}

// A box value is 0 cleared, 1 ticked, 2 greyed; Qt orders the middle state
// differently.
Qt::CheckState checkStateOf(int value) {
  switch (value) {
    case 1:
      return Qt::Checked;
    case 2:
      return Qt::PartiallyChecked;
    default:
      return Qt::Unchecked;
  }
}

int valueOf(Qt::CheckState state) {
  switch (state) {
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
    default:
      return 0;
  }
}

void showCheck(QCheckBox* box, int value) {
  // Only a greyed value makes the box three-state, so a click on a greyed box
  // ticks it and later clicks toggle between cleared and ticked: the operator
  // never greys a box by clicking.
  box->setTristate(value == 2);
  box->setCheckState(checkStateOf(value));
}

// The options of one frame exclude each other, and a frame can hold no
// selected option at all (saving clears "Evet" under "Çift Yüzlü Kağıt");
// an auto-exclusive button refuses to be cleared, hence the detour.
void showOptions(std::span<QRadioButton* const> buttons, const std::function<bool(int)>& selected) {
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    QRadioButton* button = buttons[i];
    const bool on = selected(static_cast<int>(i));
    if (button->isChecked() == on) continue;
    if (on) {
      button->setChecked(true);
    } else {
      button->setAutoExclusive(false);
      button->setChecked(false);
      button->setAutoExclusive(true);
    }
  }
}

// The platform's standard colours set role by role, so that the colours of
// the main window (which follow the appearance settings) do not reach the
// panel and its frames.
QPalette standardPalette() {
  const QPalette application = QApplication::palette();
  QPalette own;
  for (int group = 0; group < QPalette::NColorGroups; ++group) {
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
      const auto g = static_cast<QPalette::ColorGroup>(group);
      const auto r = static_cast<QPalette::ColorRole>(role);
      own.setBrush(g, r, application.brush(g, r));
    }
  }
  return own;
}

// A field for a short number: as wide as the digits plus room for the cursor.
void fitDigits(QLineEdit* edit, int digits) {
  const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
  const QMargins margins = edit->textMargins();
  const int text = edit->fontMetrics().horizontalAdvance(QString(digits + 1, QLatin1Char('0')));
  edit->setFixedWidth(text + 2 * frame + margins.left() + margins.right() + 8);
}

QHBoxLayout* rowOf(std::initializer_list<QWidget*> widgets) {
  auto* row = new QHBoxLayout;
  for (QWidget* widget : widgets) row->addWidget(widget);
  row->addStretch(1);
  return row;
}

}  // namespace

SettingsPanelWidget::SettingsPanelWidget(SettingsPanel& model, QWidget* parent)
    : QGroupBox(QStringLiteral("Ayarlar"), parent), m_model(model) {
  setObjectName(QStringLiteral("Frame4"));
  setPalette(standardPalette());
  // The panel lies over the main window's controls and background picture.
  setAutoFillBackground(true);

  const auto optionsOf = [this](auto& buttons, const char* array, void (SettingsPanel::*select)(int)) {
    return [this, &buttons, array, select](int index, const QString& text, QGroupBox* frame) {
      return makeOption(buttons.at(static_cast<std::size_t>(index)), indexedName(array, index), text, frame,
                        [this, select, index] { (m_model.*select)(index); });
    };
  };
  const auto option1 = optionsOf(m_option1, "Option1", &SettingsPanel::selectOption1);
  const auto option2 = optionsOf(m_option2, "Option2", &SettingsPanel::selectOption2);
  const auto option3 = optionsOf(m_option3, "Option3", &SettingsPanel::selectOption3);
  const auto option4 = optionsOf(m_option4, "Option4", &SettingsPanel::selectOption4);

  // "Optik Okuyucu Seçimi": the reader choice decides which frames exist.
  QGroupBox* frame15 = makeFrame(QStringLiteral("Frame15"), QStringLiteral("Optik Okuyucu Seçimi"));
  option2(PanelIndex::Option2ReaderNanhao, QStringLiteral("Nanhao"), frame15);
  option2(PanelIndex::Option2ReaderSekonic, QStringLiteral("Sekonic"), frame15);
  frame15->setLayout(
      rowOf({m_option2[PanelIndex::Option2ReaderNanhao], m_option2[PanelIndex::Option2ReaderSekonic]}));

  QGroupBox* frame1 = makeFrame(QStringLiteral("Frame1"), QStringLiteral("Bağlantı Noktası"));
  const std::array<const char*, SettingsPanel::kOption1Count> ports = {"Com1", "Com2", "USB", "USB 731"};
  for (int i = 0; i < SettingsPanel::kOption1Count; ++i) {
    option1(i, QString::fromLatin1(ports.at(static_cast<std::size_t>(i))), frame1);
  }
  QLineEdit* text11 = makeText(TextBox::Text11, 3);
  text11->setParent(frame1);
  {
    auto* grid = new QGridLayout(frame1);
    grid->addWidget(m_option1[PanelIndex::Option1Com1], 0, 0);
    grid->addWidget(m_option1[PanelIndex::Option1Com2], 0, 1);
    grid->addWidget(m_option1[PanelIndex::Option1Usb], 1, 0);
    grid->addWidget(m_option1[PanelIndex::Option1Usb731], 1, 1);
    grid->addWidget(text11, 0, 2, Qt::AlignRight);
    grid->setColumnStretch(2, 1);
  }

  // The pairs of Option2, each in a frame of its own.
  const auto pairFrame = [this, &option2](Frame frame, int first, const QString& firstText, const QString& secondText) {
    QGroupBox* box = makeFrame(frame);
    option2(first, firstText, box);
    option2(first + 1, secondText, box);
    box->setLayout(rowOf({m_option2[static_cast<std::size_t>(first)], m_option2[static_cast<std::size_t>(first + 1)]}));
    return box;
  };
  QGroupBox* frame2 = pairFrame(Frame::OkumaSurati, PanelIndex::Option2Baud38400, QStringLiteral("38400"),
                                QStringLiteral("19200"));
  QGroupBox* frame3 = pairFrame(Frame::CiftCikisTepsisi, PanelIndex::Option2SecondTrayYes,
                                QStringLiteral("Var"), QStringLiteral("Yok"));
  QGroupBox* frame5 = pairFrame(Frame::CiftYuzluMakine, PanelIndex::Option2DuplexMachineYes,
                                QStringLiteral("Evet"), QStringLiteral("Hayır"));
  QGroupBox* frame6 = pairFrame(Frame::CiftYuzluKagit, PanelIndex::Option2DuplexSheetYes,
                                QStringLiteral("Evet"), QStringLiteral("Hayır"));

  QGroupBox* frame17 = makeFrame(Frame::OkumaHizi);
  option3(PanelIndex::Option3Fast, QStringLiteral("Hızlı"), frame17);
  option3(PanelIndex::Option3Normal, QStringLiteral("Normal"), frame17);
  frame17->setLayout(rowOf({m_option3[PanelIndex::Option3Fast], m_option3[PanelIndex::Option3Normal]}));

  QGroupBox* frame7 = makeFrame(Frame::ElleBeslemeOptikOkuyucu);
  {
    auto* label4 = new QLabel(QStringLiteral("Form Bekleme Süresi (sn)"));
    label4->setObjectName(QStringLiteral("Label4"));
    QLineEdit* text2 = makeText(TextBox::Text2, 3);
    label4->setBuddy(text2);
    frame7->setLayout(rowOf({label4, text2}));
  }

  QGroupBox* frame8 = makeFrame(Frame::KoyulukAyari);
  {
    auto* label6 = new QLabel(QStringLiteral("Kullanılacak mı?"));
    label6->setObjectName(QStringLiteral("Label6"));
    QCheckBox* check1 = makeCheck(CheckBox::Check1, QString());
    label6->setBuddy(check1);
    m_label7 = new QLabel(QStringLiteral("Üst Sınır"));
    m_label7->setObjectName(QStringLiteral("Label7"));
    QLineEdit* text3 = makeText(TextBox::Text3, 4);
    m_label7->setBuddy(text3);
    auto* grid = new QGridLayout(frame8);
    grid->addWidget(label6, 0, 0);
    grid->addWidget(check1, 0, 1, Qt::AlignLeft);
    grid->addWidget(m_label7, 1, 0);
    grid->addWidget(text3, 1, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
  }

  QGroupBox* frame10 = makeFrame(Frame::HataDurumunda);
  frame10->setLayout(rowOf({makeCheck(CheckBox::Check2, QStringLiteral("Dursun"))}));
  QGroupBox* frame12 = makeFrame(Frame::Barkod);
  frame12->setLayout(rowOf({makeCheck(CheckBox::Check3, QStringLiteral("Var"))}));
  QGroupBox* frame13 = makeFrame(Frame::Sr410);
  frame13->setLayout(rowOf({makeCheck(CheckBox::Check7, QStringLiteral("SR-410"))}));
  QGroupBox* frame16 = makeFrame(Frame::GeciciTxt);
  frame16->setLayout(rowOf({makeCheck(CheckBox::Check8, QStringLiteral("Diğerini kullan"))}));

  QGroupBox* frame14 = makeFrame(Frame::YildizAyari);
  m_combo3 = new QComboBox;
  m_combo3->setObjectName(QStringLiteral("Combo3"));
  m_combo3->setEditable(true);
  // Typed values are kept as the setting, not added to the list.
  m_combo3->setInsertPolicy(QComboBox::NoInsert);
  m_combo3->addItems(SettingsPanel::Combo3List());
  m_combo3->setMinimumContentsLength(3);
  m_combo3->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  connect(m_combo3, &QComboBox::editTextChanged, this, [this](const QString& text) {
    m_model.setCombo3(text);
    refreshFromModel();
  });
  m_bound.push_back(m_combo3);
  frame14->setLayout(rowOf({m_combo3}));

  QGroupBox* frame18 = makeFrame(Frame::Mesafe13cm);
  {
    auto* label16 = new QLabel(QStringLiteral("Okuma Çizgisi"));
    label16->setObjectName(QStringLiteral("Label16"));
    QLineEdit* text9 = makeText(TextBox::Text9, 2);
    label16->setBuddy(text9);
    frame18->setLayout(rowOf({label16, text9}));
  }

  QGroupBox* frame11 = makeFrame(Frame::Printer);
  {
    auto* grid = new QGridLayout(frame11);
    grid->addWidget(makeCheck(CheckBox::Check4, QStringLiteral("Kullanılsın")), 0, 0, 1, 2);
    const std::array<const char*, SettingsPanel::kCheck5Count> choices = {"Sıra No", "Okundu", "Tarih && Saat",
                                                                          "Okunmadi", "Dosya Adı"};
    for (int i = 0; i < SettingsPanel::kCheck5Count; ++i) {
      QCheckBox* box = makeCheck5(i, QString::fromUtf8(choices.at(static_cast<std::size_t>(i))));
      grid->addWidget(box, 1 + i / 2, i % 2);
    }
    auto* label150 = new QLabel(QStringLiteral("Pozisyon (mm)"));
    label150->setObjectName(indexedName("Label15", 0));
    QLineEdit* text5 = makeText(TextBox::Text5, 4);
    label150->setBuddy(text5);
    auto* label151 = new QLabel(QStringLiteral("Metin"));
    label151->setObjectName(indexedName("Label15", 1));
    QLineEdit* text12 = makeText(TextBox::Text12);
    label151->setBuddy(text12);
    grid->addWidget(label150, 4, 0);
    grid->addWidget(text5, 4, 1, Qt::AlignLeft);
    grid->addWidget(label151, 5, 0);
    grid->addWidget(text12, 5, 1);
  }

  QGroupBox* frame21 = makeFrame(QStringLiteral("Frame21"), QStringLiteral("Ayırma"));
  frame21->setLayout(rowOf({makeCheck(CheckBox::Check9, QStringLiteral("Kullanılsın")), makeText(TextBox::Text10, 3)}));

  QGroupBox* frame22 = makeFrame(QStringLiteral("Frame22"), QStringLiteral("Lisan"));
  option4(PanelIndex::Option4Turkish, QStringLiteral("Türkçe"), frame22);
  option4(PanelIndex::Option4English, QStringLiteral("English"), frame22);
  frame22->setLayout(rowOf({m_option4[PanelIndex::Option4Turkish], m_option4[PanelIndex::Option4English]}));

  QCheckBox* check11 = makeCheck(CheckBox::Check11, QStringLiteral("UTF8 kaydet"));

  m_command4 = new QPushButton(QStringLiteral("&Tamam"));
  m_command4->setObjectName(QStringLiteral("Command4"));
  connect(m_command4, &QPushButton::clicked, this, &SettingsPanelWidget::confirmed);

  // Three columns: the reader and its link, the reading itself, the output.
  // Hidden frames leave their column, so each column closes up from the top.
  const auto column = [](std::initializer_list<QGroupBox*> frames) {
    auto* layout = new QVBoxLayout;
    for (QGroupBox* frame : frames) layout->addWidget(frame);
    layout->addStretch(1);
    return layout;
  };
  auto* columns = new QHBoxLayout;
  columns->addLayout(column({frame15, frame1, frame2, frame17, frame3, frame5, frame6}), 1);
  columns->addLayout(column({frame7, frame8, frame10, frame12, frame13, frame14, frame16, frame18}), 1);
  columns->addLayout(column({frame11, frame21, frame22}), 1);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(check11);
  bottom->addStretch(1);
  bottom->addWidget(m_command4);

  auto* panel = new QVBoxLayout(this);
  panel->addLayout(columns, 1);
  panel->addLayout(bottom);

  refreshFromModel();
}

void SettingsPanelWidget::refreshFromModel() {
  {
    std::vector<QSignalBlocker> blockers;
    blockers.reserve(m_bound.size());
    for (QWidget* widget : m_bound) blockers.emplace_back(widget);

    showOptions(m_option1, [this](int i) { return m_model.Option1(i); });
    for (int first = 0; first < SettingsPanel::kOption2Count; first += 2) {
      showOptions(std::span(m_option2).subspan(static_cast<std::size_t>(first), 2),
                  [this, first](int i) { return m_model.Option2(first + i); });
    }
    showOptions(m_option3, [this](int i) { return m_model.Option3(i); });
    showOptions(m_option4, [this](int i) { return m_model.Option4(i); });

    for (CheckBox box : SettingsPanel::checkBoxes()) {
      if (QCheckBox* widget = m_checks.at(at(box))) showCheck(widget, m_model.check(box));
    }
    for (int i = 0; i < SettingsPanel::kCheck5Count; ++i) {
      showCheck(m_check5.at(static_cast<std::size_t>(i)), m_model.Check5(i));
    }

    for (TextBox box : SettingsPanel::textBoxes()) {
      QLineEdit* widget = m_texts.at(at(box));
      // Setting an unchanged text would move the cursor of the field being typed in.
      if (widget && widget->text() != m_model.text(box)) widget->setText(m_model.text(box));
    }
    if (m_combo3->currentText() != m_model.Combo3()) m_combo3->setEditText(m_model.Combo3());

    for (Switchable control : SettingsPanel::switchables()) switchable(control)->setEnabled(m_model.isEnabled(control));
    for (Frame frame : SettingsPanel::frames()) m_frames.at(at(frame))->setVisible(m_model.isVisible(frame));
  }

  // Frames hidden a moment ago still count in the columns until the layout
  // is brought up to date, and only then does the panel shrink to fit.
  layout()->activate();
  adjustSize();
  setVisible(m_model.Frame4Visible());
  if (m_model.Frame4Visible()) raise();
}

QGroupBox* SettingsPanelWidget::makeFrame(const QString& objectName, const QString& title) {
  auto* frame = new QGroupBox(title, this);
  frame->setObjectName(objectName);
  return frame;
}

QGroupBox* SettingsPanelWidget::makeFrame(Frame frame) {
  QGroupBox* box = makeFrame(objectNameOf(frame), SettingsPanel::caption(frame));
  m_frames.at(at(frame)) = box;
  return box;
}

QRadioButton* SettingsPanelWidget::makeOption(QRadioButton*& slot, const QString& objectName, const QString& text,
                                              QGroupBox* frame, const std::function<void()>& select) {
  // Radio buttons are exclusive among the buttons of one parent: each frame
  // is a group of its own although Option2 spans five frames.
  auto* button = new QRadioButton(text, frame);
  button->setObjectName(objectName);
  slot = button;
  connect(button, &QRadioButton::toggled, this, [this, select](bool on) {
    if (!on) return;
    select();
    refreshFromModel();
  });
  m_bound.push_back(button);
  return button;
}

QCheckBox* SettingsPanelWidget::makeCheck(CheckBox box, const QString& text) {
  auto* widget = new QCheckBox(text);
  widget->setObjectName(SettingsPanel::name(box));
  m_checks.at(at(box)) = widget;
  bindCheck(widget, [this, box](int value) { return m_model.setCheck(box, value); });
  return widget;
}

QCheckBox* SettingsPanelWidget::makeCheck5(int index, const QString& text) {
  auto* widget = new QCheckBox(text);
  widget->setObjectName(indexedName("Check5", index));
  m_check5.at(static_cast<std::size_t>(index)) = widget;
  bindCheck(widget, [this, index](int value) { return m_model.setCheck5(index, value); });
  return widget;
}

void SettingsPanelWidget::bindCheck(QCheckBox* widget, const std::function<bool(int)>& set) {
  connect(widget, &QCheckBox::stateChanged, this, [this, set](int state) {
    set(valueOf(static_cast<Qt::CheckState>(state)));
    refreshFromModel();
  });
  m_bound.push_back(widget);
}

QLineEdit* SettingsPanelWidget::makeText(TextBox box, int widthInDigits) {
  auto* edit = new QLineEdit;
  edit->setObjectName(SettingsPanel::name(box));
  if (widthInDigits > 0) fitDigits(edit, widthInDigits);
  m_texts.at(at(box)) = edit;
  connect(edit, &QLineEdit::textEdited, this, [this, box](const QString& text) {
    m_model.setText(box, text);
    refreshFromModel();
  });
  m_bound.push_back(edit);
  return edit;
}

QWidget* SettingsPanelWidget::switchable(Switchable control) const {
  switch (control) {
    case Switchable::Label7:
      return m_label7;
    case Switchable::Text3:
      return m_texts.at(at(TextBox::Text3));
    case Switchable::Check9:
      return m_checks.at(at(CheckBox::Check9));
    case Switchable::Text10:
      return m_texts.at(at(TextBox::Text10));
  }
  return m_label7;
}
