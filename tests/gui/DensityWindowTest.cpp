// The density window on a grid of known values: its text lines, the picture
// it saves, the lists moving with the scroll bar, the places of its controls
// and the shading and framing of the values.

#include "reading/DensityText.h"
#include "windows/DensityBitmap.h"
#include "windows/DensityCells.h"
#include "windows/DensityWindow.h"

#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

DensityResult densityOf(std::int32_t lineCount, const std::vector<std::pair<int, std::uint8_t>>& values) {
  DensityResult density;
  density.sheetRead = true;
  density.DensityLineCount = lineCount;
  for (const auto& [position, value] : values) density.DensityMarks[static_cast<size_t>(position)] = value;
  return density;
}

DensityWindowOptions quietly(std::optional<int> threshold = std::nullopt) {
  DensityWindowOptions options;
  options.openViewer = false;
  options.threshold = threshold;
  return options;
}

QStringList rowTexts(const DensityWindow& window) {
  auto* rows = window.findChild<QListWidget*>(QStringLiteral("List1"));
  QStringList texts;
  for (int i = 0; i < rows->count(); ++i) texts << rows->item(i)->text();
  return texts;
}

}  // namespace

class DensityWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void gridTexts_data() {
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<QString>("firstRow");
    QTest::addColumn<QString>("lastRow");
    const QString zeros = QStringLiteral("00 ").repeated(47);
    QTest::newRow("no lines: the header alone") << 0 << QString() << QString();
    QTest::newRow("70 lines, single digits written with a zero")
        << 70 << QStringLiteral("01 07 ") + zeros << QStringLiteral("70 ") + zeros + QStringLiteral("12 ");
    QTest::newRow("a whole sheet, a value beyond two digits")
        << 155 << QStringLiteral("01 07 ") + zeros << QStringLiteral("155 ") + zeros + QStringLiteral("200 ");
  }
  void gridTexts() {
    QFETCH(int, lineCount);
    QFETCH(QString, firstRow);
    QFETCH(QString, lastRow);
    QTemporaryDir folder;
    const int lastValue = lineCount == 155 ? 200 : 12;
    const DensityResult density =
        densityOf(lineCount, {{0, 7}, {(std::max(lineCount, 1) - 1) * 48 + 47, static_cast<std::uint8_t>(lastValue)}});
    DensityWindow window(density, folder.path(), quietly());
    auto* header = window.findChild<QListWidget*>(QStringLiteral("List2"));
    QCOMPARE(header->count(), 1);
    QCOMPARE(header->item(0)->text(), density_text::header());
    QVERIFY(header->item(0)->text().startsWith(QStringLiteral("   01 02 03 ")));
    const QStringList rows = rowTexts(window);
    QCOMPARE(rows.size(), lineCount);
    if (lineCount > 0) {
      QCOMPARE(rows.first(), firstRow);
      QCOMPARE(rows.last(), lastRow);
    }
  }

  void savesThePictureWholeAndReplacesTheLastOne() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("gecici2.bmp"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();

    const DensityResult density = densityOf(70, {{0, 9}, {48 * 69 + 3, 16}});
    DensityWindow window(density, folder.path(), quietly());
    QVERIFY(window.pictureSaved());
    QCOMPARE(window.savedPicture(), path);
    QImage saved(path, "BMP");
    QVERIFY(!saved.isNull());
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), density_bitmap::draw(density.DensityMarks, 70));
  }

  void aFolderThatCannotTakeThePictureStillShowsTheGrid() {
    QTemporaryDir folder;
    const QString missing = folder.filePath(QStringLiteral("gone"));
    DensityWindow window(densityOf(3, {{0, 5}}), missing, quietly());
    QVERIFY(!window.pictureSaved());
    QVERIFY(!window.savedPicture().isEmpty());
    QCOMPARE(rowTexts(window).size(), 3);
    QVERIFY(!QFile::exists(missing + QStringLiteral("/gecici2.bmp")));
  }

  void controlsFollowTheWindowsSize_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("narrower than the lists") << QSize(800, 600);
    QTest::newRow("wider than the lists") << QSize(1900, 1000);
  }
  void controlsFollowTheWindowsSize() {
    QFETCH(QSize, size);
    QTemporaryDir folder;
    DensityWindow window(densityOf(10, {}), folder.path(), quietly());
    window.setWindowState(Qt::WindowNoState);
    window.resize(size);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), size);
    auto* rows = window.findChild<QListWidget*>(QStringLiteral("List1"));
    auto* header = window.findChild<QListWidget*>(QStringLiteral("List2"));
    auto* scroll = window.findChild<QScrollBar*>(QStringLiteral("HScroll1"));
    // Twips at 15 to the pixel: List1 at 60/675, 24975 wide, the window's
    // height less 2615 high; the buttons 1815 above the window's foot.
    QCOMPARE(rows->geometry(), QRect(4, 45, 1665, size.height() - 174));
    QCOMPARE(header->geometry(), QRect(4, 4, 1665, 24));
    QCOMPARE(scroll->x(), 4);
    QCOMPARE(scroll->y(), 28);
    QCOMPARE(scroll->width(), std::min(size.width() - 80, 1665));
    for (const char* name : {"Command1", "Command2"})
      QCOMPARE(window.findChild<QPushButton*>(QString::fromLatin1(name))->y(), size.height() - 121);
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("Command2"))->x(), 120);

    // The bar moves both lists together, as far as they stand out beside
    // the bar for the lines.
    const int linesBar = window.findChild<QScrollBar*>(QStringLiteral("VScroll1"))->width();
    QCOMPARE(scroll->maximum(), std::max(0, 1665 + 8 + linesBar - size.width()));
    scroll->setValue(scroll->maximum());
    QCOMPARE(rows->x(), 4 - scroll->maximum());
    QCOMPARE(header->x(), rows->x());
    // A resize keeps the place the operator scrolled to.
    window.resize(size + QSize(0, 50));
    QCOMPARE(header->x(), rows->x());
    QCOMPARE(rows->x(), 4 - scroll->value());
  }

  // A whole sheet on an operator's small screen and on a wide one: the
  // mouse reaches every line through a scroll bar inside the window, and
  // with the lists scrolled sideways to their end the last column stands
  // clear of that bar.
  void everyLineAndColumnCanBeReached_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("a 1024 x 768 screen") << QSize(1024, 740);
    QTest::newRow("wider than the lists") << QSize(1900, 1000);
  }
  void everyLineAndColumnCanBeReached() {
    QFETCH(QSize, size);
    QTemporaryDir folder;
    DensityWindow window(densityOf(155, {{154 * 48 + 47, 9}}), folder.path(), quietly());
    window.setWindowState(Qt::WindowNoState);
    window.resize(size);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* rows = window.findChild<QListWidget*>(QStringLiteral("List1"));
    const auto inWindow = [&](const QWidget* widget, const QRect& rect) {
      return QRect(widget->mapTo(&window, rect.topLeft()), rect.size());
    };
    QScrollBar* lines = nullptr;
    for (QScrollBar* bar : window.findChildren<QScrollBar*>())
      if (bar->orientation() == Qt::Vertical && bar->isVisible() &&
          window.rect().contains(inWindow(bar, bar->rect())))
        lines = bar;
    QVERIFY2(lines, "no scroll bar for the lines inside the window");
    QVERIFY(lines->maximum() > 0);
    // Down the bar's arrow to the last line.
    for (int click = 0; click < 500 && lines->value() < lines->maximum(); ++click)
      QTest::mouseClick(lines, Qt::LeftButton, {}, QPoint(lines->width() / 2, lines->height() - 3));
    QCOMPARE(lines->value(), lines->maximum());
    const QRect lastLine = rows->visualItemRect(rows->item(154));
    QVERIFY(rows->viewport()->rect().contains(lastLine));
    QVERIFY(window.rect().contains(inWindow(rows->viewport(), lastLine).topLeft()));

    auto* sideways = window.findChild<QScrollBar*>(QStringLiteral("HScroll1"));
    sideways->setValue(sideways->maximum());
    QStyleOptionViewItem option;
    option.initFrom(rows->viewport());
    option.widget = rows;
    option.rect = lastLine;
    const QList<DensityCells::Cell> cells = DensityCells::cells(rows->item(154)->text(), rows->fontMetrics(),
                                                                DensityCells::textLeft(option), lastLine);
    QCOMPARE(cells.last().number, QStringLiteral("09"));
    const QRect lastValue = inWindow(rows->viewport(), cells.last().rect);
    QVERIFY2(lastValue.right() < inWindow(lines, lines->rect()).left() && lastValue.left() >= 0,
             qPrintable(QDebug::toString(lastValue)));
  }

  void valuesAreShadedAndMarksFramed() {
    QTemporaryDir folder;
    // Line 1: columns 1 to 3 hold 15, 0 and 9; with the threshold 8 the 15
    // and the 9 are marks, the 0 is not.
    const DensityResult density = densityOf(2, {{0, 15}, {1, 0}, {2, 9}});
    for (const std::optional<int> threshold : {std::optional<int>(8), std::optional<int>()}) {
      DensityWindow window(density, folder.path(), quietly(threshold));
      window.setWindowState(Qt::WindowNoState);
      window.resize(1800, 600);
      window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&window));
      auto* rows = window.findChild<QListWidget*>(QStringLiteral("List1"));
      const QImage shown = rows->viewport()->grab().toImage();
      QStyleOptionViewItem option;
      option.initFrom(rows->viewport());
      option.widget = rows;
      option.rect = rows->visualItemRect(rows->item(0));
      const QList<DensityCells::Cell> cells = DensityCells::cells(
          rows->item(0)->text(), rows->fontMetrics(), DensityCells::textLeft(option), option.rect);
      QCOMPARE(cells.size(), 49);
      QCOMPARE(cells[1].number, QStringLiteral("15"));
      const auto inside = [&](int cell) {
        return shown.pixelColor(cells[cell].rect.topLeft() + QPoint(3, 3));
      };
      const auto edge = [&](int cell) { return shown.pixelColor(cells[cell].rect.topLeft() + QPoint(1, 1)); };
      QCOMPARE(inside(1).rgb(), DensityCells::cellColour(15).rgb());
      QCOMPARE(inside(2).rgb(), DensityCells::cellColour(0).rgb());
      QCOMPARE(inside(3).rgb(), DensityCells::cellColour(9).rgb());
      QVERIFY(DensityCells::cellColour(15).lightness() < DensityCells::cellColour(9).lightness());
      QVERIFY(DensityCells::cellColour(9).lightness() < DensityCells::cellColour(0).lightness());
      const bool framed = threshold.has_value();
      QCOMPARE(edge(1).rgb() == DensityCells::markColour().rgb(), framed);
      QCOMPARE(edge(3).rgb() == DensityCells::markColour().rgb(), framed);
      QVERIFY(edge(2).rgb() != DensityCells::markColour().rgb());
    }
  }

  void buttonsCloseTheWindowOrEndTheProgram() {
    QTemporaryDir folder;
    DensityWindow window(densityOf(1, {}), folder.path(), quietly());
    QSignalSpy programEnd(&window, &DensityWindow::programEndRequested);
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QVERIFY(!window.isVisible());
    QCOMPARE(programEnd.count(), 0);
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    QVERIFY(!window.isVisible());
    QCOMPARE(programEnd.count(), 1);
  }
};

QTEST_MAIN(DensityWindowTest)
#include "DensityWindowTest.moc"
