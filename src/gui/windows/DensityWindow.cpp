#include "windows/DensityWindow.h"

#include "reading/DensityText.h"
#include "windows/DensityBitmap.h"

#include <QDesktopServices>
#include <QDir>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QUrl>
#include <QVBoxLayout>

DensityWindow::DensityWindow(const DensityResult& density, const QString& programFolder, bool openViewer,
                             QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("frmYogun"));
  setWindowTitle(QStringLiteral("Form1"));
  const std::int32_t lineCount = density.sheetRead ? density.DensityLineCount : 0;

  const QStringList lines = density_text::lines(density.DensityMarks, lineCount);
  auto* header = new QListWidget(this);
  header->setObjectName(QStringLiteral("List2"));
  auto* rows = new QListWidget(this);
  rows->setObjectName(QStringLiteral("List1"));
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  for (QListWidget* list : {header, rows}) list->setFont(fixed);
  header->addItem(lines.value(0));
  header->setMaximumHeight(header->sizeHintForRow(0) + 8);
  rows->addItems(lines.mid(1));

  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("Picture1"));
  picture->setPixmap(QPixmap::fromImage(density_bitmap::draw(density.DensityMarks, lineCount)));
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(picture);

  const QString path = QDir(programFolder).filePath(QStringLiteral("gecici2.bmp"));
  const QString failure = density_bitmap::save(density.DensityMarks, lineCount, path);
  m_savedPicture = failure.isEmpty() ? path : failure;
  if (failure.isEmpty() && openViewer) QDesktopServices::openUrl(QUrl::fromLocalFile(path));

  auto* close = new QPushButton(QStringLiteral("Çı&kış"), this);
  close->setObjectName(QStringLiteral("Command1"));
  auto* end = new QPushButton(QStringLiteral("&Program Sonu"), this);
  end->setObjectName(QStringLiteral("Command2"));
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(end, &QPushButton::clicked, this, [this] {
    accept();
    emit programEndRequested();
  });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(close);
  buttons->addWidget(end);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(header);
  layout->addWidget(rows, 1);
  layout->addWidget(scroll, 2);
  layout->addLayout(buttons);
  resize(1000, 700);
}
