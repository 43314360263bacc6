#include "app/MainWindowControls.h"

#include "app/PictureSurface.h"
#include "app/RecordView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

template <typename T>
T* named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
  auto* b = named(new QPushButton(caption, parent), name);
  b->setMinimumHeight(30);
  return b;
}

// The status labels paint their own background so the window's colours
// show behind the text wherever the background picture is.
QLabel* statusLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setAutoFillBackground(true);
  label->setMargin(3);
  return label;
}

}  // namespace

MainWindowControls MainWindowControls::build(QWidget* central) {
  MainWindowControls c;

  c.Command1 = button("Command1", QStringLiteral("&Oku"), central);
  c.Command12 = button("Command12", QStringLiteral("&Dur"), central);
  for (QPushButton* big : {c.Command1, c.Command12}) {
    big->setMinimumHeight(44);
    QFont font = big->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    big->setFont(font);
  }
  c.Command3 = button("Command3", QStringLiteral("&Ayarlar"), central);
  c.Command6 = button("Command6", QStringLiteral("&Yoğunluk"), central);
  c.Command7 = button("Command7", QStringLiteral("&Özelleştir"), central);
  c.Command5 = button("Command5", QStringLiteral("FMT Dosyasını &Sil"), central);
  c.Command13 = button("Command13", QStringLiteral("&English"), central);
  c.Command14 = button("Command14", QStringLiteral("Hakkımızda"), central);
  c.Command15 = button("Command15", QStringLiteral("Klasöre Git"), central);
  c.Command2 = button("Command2", QStringLiteral("Çı&kış"), central);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(c.Command1);
  buttons->addWidget(c.Command12);
  buttons->addSpacing(12);
  for (QPushButton* b : {c.Command3, c.Command6, c.Command7, c.Command5, c.Command13, c.Command14, c.Command15})
    buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(c.Command2);

  c.Label5 = statusLabel(QStringLiteral("Label5"), QStringLiteral("Form Dosyası "), central);
  c.Combo1 = named(new QComboBox(central), "Combo1");
  c.Combo1->setEditable(true);
  c.Combo1->setInsertPolicy(QComboBox::NoInsert);
  c.Combo1->setMinimumWidth(220);
  c.Label3 = statusLabel(QStringLiteral("Label3"), QStringLiteral("Dosya Uzantısı"), central);
  c.Text1 = named(new QLineEdit(QStringLiteral("dat"), central), "Text1");
  c.Text1->setMaximumWidth(70);
  auto* formRow = new QHBoxLayout;
  formRow->addWidget(c.Label5);
  formRow->addWidget(c.Combo1, 1);
  formRow->addSpacing(16);
  formRow->addWidget(c.Label3);
  formRow->addWidget(c.Text1);

  static const char* const kLabel2Texts[10] = {
      "0", "Kağıt Sayısı", "Hatalı Sayısı", "0", "Okunan Kağıt Sayısı", "olunca dur.",
      "Korvel optik form okuma programı", "", "Kiril", "Alan Adları Görünsün"};
  for (int i = 0; i < 10; ++i)
    c.Label2.append(statusLabel(QStringLiteral("Label2_%1").arg(i), QString::fromUtf8(kLabel2Texts[i]), central));
  for (int counter : {0, 3}) {
    QFont font = c.Label2[counter]->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.6);
    c.Label2[counter]->setFont(font);
    c.Label2[counter]->setMinimumWidth(90);
    c.Label2[counter]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  c.Label2[7]->setWordWrap(true);
  // The fixed line keeps its own colours whatever the appearance.
  QPalette fixedLine = c.Label2[6]->palette();
  fixedLine.setColor(QPalette::Window, QColor(16, 28, 60));
  fixedLine.setColor(QPalette::WindowText, QColor(214, 222, 240));
  c.Label2[6]->setPalette(fixedLine);
  for (QLabel* link : c.Label2) link->setCursor(Qt::PointingHandCursor);

  c.Text13 = named(new QLineEdit(QStringLiteral("0"), central), "Text13");
  c.Text13->setMaximumWidth(70);
  c.Check6 = named(new QCheckBox(QStringLiteral("Görünsün"), central), "Check6");
  c.Check10 = named(new QCheckBox(central), "Check10");
  c.Label12 = statusLabel(QStringLiteral("Label12"), QString(), central);
  c.Label13 = statusLabel(QStringLiteral("Label13"), QString(), central);

  auto* status = new QGridLayout;
  status->setHorizontalSpacing(6);
  status->addWidget(c.Label2[1], 0, 0);
  status->addWidget(c.Label2[0], 0, 1);
  status->addWidget(c.Label2[2], 0, 2);
  status->addWidget(c.Label2[3], 0, 3);
  status->addWidget(c.Label12, 0, 4, 1, 2);
  auto* limit = new QHBoxLayout;
  limit->addWidget(c.Label2[4]);
  limit->addWidget(c.Text13);
  limit->addWidget(c.Label2[5]);
  limit->addStretch(1);
  status->addLayout(limit, 1, 0, 1, 4);
  auto* options = new QHBoxLayout;
  options->addWidget(c.Label2[9]);
  options->addWidget(c.Check6);
  options->addSpacing(10);
  options->addWidget(c.Label2[8]);
  options->addWidget(c.Check10);
  options->addStretch(1);
  status->addLayout(options, 1, 4, 1, 2);
  status->addWidget(c.Label13, 2, 0, 1, 6);
  status->setColumnStretch(5, 1);

  c.Label9 = statusLabel(QStringLiteral("Label9"), QStringLiteral("Son Kaydedilen"), central);
  c.Label8 = statusLabel(QStringLiteral("Label8"), QString(), central);
  c.Label8->setTextInteractionFlags(Qt::TextSelectableByMouse);
  c.Label8->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  c.Label8->setFont(fixed);
  // The record is shown as the run lays it out, a line per field: the first
  // lines are what the operator glances at, the rest is a scroll away.
  c.Label8View = new RecordView(c.Label8, central);
  auto* lastRecord = new QHBoxLayout;
  lastRecord->addWidget(c.Label9, 0, Qt::AlignTop);
  lastRecord->addWidget(c.Label8View, 1);

  c.Text14 = named(new QPlainTextEdit(central), "Text14");
  c.Text14->setReadOnly(true);
  c.Text14->setFont(fixed);
  c.Text14->setLineWrapMode(QPlainTextEdit::NoWrap);
  c.Text14->setMinimumHeight(150);

  c.WebBrowser1 = named(new QTextBrowser(central), "WebBrowser1");
  c.WebBrowser1->setOpenExternalLinks(true);
  c.WebBrowser1->setMinimumHeight(110);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(c.Label2[6], 1);
  bottom->addWidget(c.Label2[7], 1);

  auto* middle = new QVBoxLayout;
  middle->addLayout(formRow);
  middle->addLayout(status);
  // Where the raw view is hidden (UTF-8 layouts) the record takes its room.
  middle->addLayout(lastRecord, 3);
  middle->addWidget(c.Text14, 3);
  middle->addWidget(c.WebBrowser1, 2);
  middle->addLayout(bottom);

  c.Picture1 = new PictureSurface(central);

  auto* window = new QHBoxLayout(central);
  window->setContentsMargins(10, 10, 10, 10);
  window->setSpacing(12);
  window->addLayout(buttons);
  window->addLayout(middle, 1);
  window->addWidget(c.Picture1);
  return c;
}
