#include "windows/AppearanceWindow.h"

#include "app/AppearanceColours.h"
#include "app/SettingsColour.h"
#include "common/FileCopy.h"
#include "windows/ColourChart.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QSize kThumbnail(128, 80);

struct TextColourChoice {
  const char16_t* caption;
  std::uint32_t colour;
};

constexpr std::array<TextColourChoice, 5> kTextColours{{
    {u"Beyaz", 16777215},
    {u"Siyah", 0},
    {u"Sarı", 65535},
    {u"Lacivert", 16711680},
    {u"Kırmızı", 255},
}};

const QString kSampleLine = QStringLiteral("         ÖRNEK");

// Decoded at thumbnail size where the format allows: the six pictures are
// read again on every activation. A file that is no picture gives none.
QPixmap thumbnailOf(const QString& path) {
  QImageReader reader(path);
  const QSize size = reader.size();
  if (size.isValid()) reader.setScaledSize(size.scaled(kThumbnail, Qt::KeepAspectRatio));
  QImage picture = reader.read();
  if (picture.width() > kThumbnail.width() || picture.height() > kThumbnail.height())
    picture = picture.scaled(kThumbnail, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  return QPixmap::fromImage(picture);
}

}  // namespace

AppearanceWindow::AppearanceWindow(AppSettings& settings, QString programFolder, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_programFolder(std::move(programFolder)) {
  setObjectName(QStringLiteral("GenSabit"));
  setWindowTitle(QStringLiteral("Genel Sabitler"));

  auto* thumbnails = new QGridLayout;
  for (int number = 1; number <= 6; ++number) {
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image%1").arg(number));
    image->setFixedSize(kThumbnail + QSize(4, 4));
    image->setAlignment(Qt::AlignCenter);
    image->setFrameShape(QFrame::NoFrame);
    image->setLineWidth(1);
    image->setCursor(Qt::PointingHandCursor);
    image->installEventFilter(this);
    m_images[static_cast<std::size_t>(number - 1)] = image;
    thumbnails->addWidget(image, (number - 1) / 3, (number - 1) % 3);
  }

  m_check1 = new QCheckBox(QStringLiteral("Arka plan resmi kullanılsın"), this);
  m_check1->setObjectName(QStringLiteral("Check1"));
  connect(m_check1, &QCheckBox::clicked, this, [this](bool ticked) { m_settings.UseBackgroundPicture = ticked; });

  m_picture1 = new ColourChart(this);
  connect(m_picture1, &ColourChart::moved, this, &AppearanceWindow::Picture1_MouseMove);
  connect(m_picture1, &ColourChart::released, this, &AppearanceWindow::Picture1_MouseUp);

  m_command2 = new QPushButton(QStringLiteral("Dış Renk"), this);
  m_command2->setObjectName(QStringLiteral("Command2"));
  connect(m_command2, &QPushButton::clicked, this, &AppearanceWindow::Command2_Click);

  m_picture2 = new QLabel(this);
  m_picture2->setObjectName(QStringLiteral("Picture2"));
  m_picture2->setTextFormat(Qt::PlainText);
  m_picture2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  m_picture2->setAutoFillBackground(true);
  m_picture2->setFrameShape(QFrame::Panel);
  m_picture2->setFrameShadow(QFrame::Sunken);
  m_picture2->setMinimumSize(170, 72);

  auto* frame2 = new QGroupBox(QStringLiteral("Yazı Rengi"), this);
  frame2->setObjectName(QStringLiteral("Frame2"));
  auto* options = new QVBoxLayout(frame2);
  const std::uint32_t textColour = textColourValue(m_settings.TextColor);
  for (int index = 0; index < static_cast<int>(kTextColours.size()); ++index) {
    const TextColourChoice& choice = kTextColours[static_cast<std::size_t>(index)];
    auto* option = new QRadioButton(QString::fromUtf16(choice.caption), frame2);
    option->setObjectName(QStringLiteral("Option2_%1").arg(index));
    option->setChecked(choice.colour == textColour);
    connect(option, &QRadioButton::clicked, this, [this, index] { Option2_Click(index); });
    m_option2[static_cast<std::size_t>(index)] = option;
    options->addWidget(option);
  }

  m_label1 = new QLabel(this);
  m_label1->setObjectName(QStringLiteral("Label1"));
  auto* command1 = new QPushButton(QStringLiteral("&Tamam"), this);
  command1->setObjectName(QStringLiteral("Command1"));
  command1->setDefault(true);
  connect(command1, &QPushButton::clicked, this, &QDialog::accept);

  auto* colours = new QVBoxLayout;
  colours->addWidget(m_command2);
  colours->addWidget(m_picture2);
  colours->addWidget(frame2);
  colours->addStretch(1);
  auto* middle = new QHBoxLayout;
  middle->addWidget(m_picture1, 0, Qt::AlignTop);
  middle->addLayout(colours, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(m_label1, 1);
  bottom->addWidget(command1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(thumbnails);
  layout->addWidget(m_check1);
  layout->addLayout(middle);
  layout->addLayout(bottom);

  showSample(colourOf(appearanceColours(m_settings).base));
}

bool AppearanceWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Form_Activate();
  return QDialog::event(event);
}

// The offscreen and some other platforms never activate a window: the
// steps also run when it is shown.
void AppearanceWindow::showEvent(QShowEvent* event) {
  Form_Activate();
  QDialog::showEvent(event);
}

void AppearanceWindow::Form_Activate() {
  m_label1->clear();
  m_check1->setChecked(m_settings.UseBackgroundPicture);
  for (int number = 1; number <= 6; ++number) {
    QLabel* image = m_images[static_cast<std::size_t>(number - 1)];
    image->clear();
    const QString path = candidatePath(number);
    if (QFileInfo::exists(path)) image->setPixmap(thumbnailOf(path));
  }
}

bool AppearanceWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    for (int number = 1; number <= 6; ++number) {
      QLabel* image = m_images[static_cast<std::size_t>(number - 1)];
      if (watched == image && mouse->button() == Qt::LeftButton &&
          image->rect().contains(mouse->position().toPoint())) {
        Image_Click(number);
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

QString AppearanceWindow::candidatePath(int number) const {
  return QDir(m_programFolder).filePath(QStringLiteral("arka%1.jpg").arg(number, 3, 10, QLatin1Char('0')));
}

void AppearanceWindow::Image_Click(int number) {
  for (int other = 1; other <= 6; ++other)
    m_images[static_cast<std::size_t>(other - 1)]->setFrameShape(other == number ? QFrame::Box : QFrame::NoFrame);
  const QString candidate = candidatePath(number);
  if (!QFileInfo::exists(candidate)) {
    m_label1->setText(QStringLiteral("Dosya bulunamadı."));
    return;
  }
  // The chosen picture is replaced in one step, so a copy that fails half
  // way leaves the operator with the picture there was.
  const QString failure = copyFileWhole(candidate, QDir(m_programFolder).filePath(QStringLiteral("arkaplan.jpg")));
  if (failure.isEmpty()) {
    m_label1->clear();
  } else {
    m_label1->setText(QStringLiteral("Resim kopyalanamadı: %1").arg(failure));
  }
}

void AppearanceWindow::Option2_Click(int index) {
  if (index < 0 || index >= static_cast<int>(kTextColours.size())) return;
  m_settings.TextColor = kTextColours[static_cast<std::size_t>(index)].colour;
  showSample(m_picture2->palette().color(QPalette::Window));
}

void AppearanceWindow::Command2_Click() {
  m_command2->hide();
  m_idle = false;
}

void AppearanceWindow::Picture1_MouseMove(std::int32_t colourNumber) {
  // A held button drags the mouse beyond the chart, where there is no
  // colour to show: the sample keeps the last one.
  if (m_idle || colourNumber < 0) return;
  showSample(colourOf(static_cast<std::uint32_t>(colourNumber)));
}

void AppearanceWindow::Picture1_MouseUp(std::int32_t colourNumber) {
  m_command2->show();
  m_idle = true;
  const RgbColour picked = pickedColourComponents(colourNumber);
  m_settings.BackRed = picked.red;
  m_settings.BackGreen = picked.green;
  m_settings.BackBlue = picked.blue;
  showSample(QColor(picked.red, picked.green, picked.blue));
}

void AppearanceWindow::showSample(const QColor& background) {
  QPalette palette = m_picture2->palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, colourOf(textColourValue(m_settings.TextColor)));
  m_picture2->setPalette(palette);
  m_picture2->setText(QStringList(3, kSampleLine).join(u'\n'));
}
