#include "windows/DensityWindow.h"

#include "app/DesktopLinks.h"
#include "app/ScrollBarStyle.h"
#include "reading/DensityText.h"
#include "windows/DensityBitmap.h"
#include "windows/DensityCells.h"

#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kTwipsPerPixel = 15;

int pixels(int twips) {
  return twips / kTwipsPerPixel;
}

QListWidget* gridList(const char* name, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(QString::fromLatin1(name));
  // The lists move sideways with HScroll1 rather than scrolling their
  // contents, so the header stays over its columns.
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  list->setUniformItemSizes(true);
  return list;
}

}  // namespace

DensityWindow::Places DensityWindow::placesFor(QSize size, int scrollValue, int barWidth) {
  Places places;
  const int left = pixels(60) - scrollValue;
  const int listWidth = pixels(24975);
  places.List1 = QRect(left, pixels(675), listWidth, std::max(0, size.height() - pixels(2615)));
  places.List2 = QRect(left, pixels(60), listWidth, pixels(360));
  const int scrollWidth = std::clamp(size.width() - pixels(1200), 0, listWidth);
  places.HScroll1 = QRect(pixels(60), pixels(420), scrollWidth, pixels(675) - pixels(420));
  const int linesLeft = std::min(places.List1.right() + 1, size.width() - pixels(60) - barWidth);
  places.VScroll1 = QRect(linesLeft, places.List1.top(), barWidth, places.List1.height());
  const int buttonsTop = size.height() - pixels(1815);
  places.Command1 = QRect(pixels(60), buttonsTop, pixels(1695), pixels(450));
  places.Command2 = QRect(pixels(1800), buttonsTop, pixels(1695), pixels(450));
  return places;
}

DensityWindow::DensityWindow(const DensityResult& density, const QString& programFolder,
                             DensityWindowOptions options, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("frmYogun"));
  setWindowTitle(QStringLiteral("Form1"));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  const std::int32_t lineCount = density.DensityLineCount;

  // The picture is drawn and saved whole; the lists show the same grid as
  // text, the values shaded and the marks framed.
  m_picture = new QLabel(this);
  m_picture->setObjectName(QStringLiteral("Picture1"));
  m_picture->setPixmap(QPixmap::fromImage(density_bitmap::draw(density.DensityMarks, lineCount)));
  m_picture->hide();

  const QStringList lines = density_text::lines(density.DensityMarks, lineCount);
  m_header = gridList("List2", this);
  m_header->addItem(lines.value(0));
  m_header->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_rows = gridList("List1", this);
  m_rows->addItems(lines.mid(1));
  // The list's own bar would stand at its far right, off the screen: a bar
  // of the window's, kept inside it, moves the lines instead.
  m_rows->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_lines = new QScrollBar(Qt::Vertical, this);
  m_lines->setObjectName(QStringLiteral("VScroll1"));
  QScrollBar* own = m_rows->verticalScrollBar();
  connect(own, &QScrollBar::rangeChanged, m_lines, [this, own](int minimum, int maximum) {
    m_lines->setRange(minimum, maximum);
    m_lines->setPageStep(own->pageStep());
    m_lines->setSingleStep(own->singleStep());
  });
  connect(own, &QScrollBar::valueChanged, m_lines, &QScrollBar::setValue);
  connect(m_lines, &QScrollBar::valueChanged, own, &QScrollBar::setValue);
  m_cells = new DensityCells(m_rows);
  m_cells->setThreshold(options.threshold);
  m_rows->setItemDelegate(m_cells);

  m_scroll = new QScrollBar(Qt::Horizontal, this);
  m_scroll->setObjectName(QStringLiteral("HScroll1"));
  connect(m_scroll, &QScrollBar::valueChanged, this, &DensityWindow::placeControls);

  m_close = new QPushButton(QStringLiteral("Çı&kış"), this);
  m_close->setObjectName(QStringLiteral("Command1"));
  m_end = new QPushButton(QStringLiteral("&Program Sonu"), this);
  m_end->setObjectName(QStringLiteral("Command2"));
  connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_end, &QPushButton::clicked, this, [this] {
    accept();
    emit programEndRequested();
  });

  const QString path = QDir(programFolder).filePath(QStringLiteral("gecici2.bmp"));
  const QString failure = density_bitmap::save(density.DensityMarks, lineCount, path);
  m_pictureSaved = failure.isEmpty();
  m_savedPicture = m_pictureSaved ? path : failure;
  if (m_pictureSaved && options.openViewer) openPictureFullScreen(path);

  ScrollBarStyle::applyTo(this);
  resize(1000, 700);
  setWindowState(windowState() | Qt::WindowMaximized);
  placeControls();
}

void DensityWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  placeControls();
}

void DensityWindow::placeControls() {
  const int listWidth = pixels(24975);
  const int barWidth = m_lines->sizeHint().width();
  // The bar reaches as far as the lists stand out beyond the window, the
  // last column brought out beside the bar for the lines.
  m_scroll->setRange(0, std::max(0, listWidth + 2 * pixels(60) + barWidth - width()));
  m_scroll->setPageStep(std::max(1, width()));
  m_scroll->setSingleStep(std::max(1, m_rows->fontMetrics().horizontalAdvance(QStringLiteral("00 "))));
  const Places places = placesFor(size(), m_scroll->value(), barWidth);
  m_header->setGeometry(places.List2);
  m_rows->setGeometry(places.List1);
  m_scroll->setGeometry(places.HScroll1);
  m_lines->setGeometry(places.VScroll1);
  m_lines->raise();
  m_close->setGeometry(places.Command1);
  m_end->setGeometry(places.Command2);
}
