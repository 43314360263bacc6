#include "LayoutTestSupport.h"

#include "layout/FieldRect.h"
#include "layout/LayoutPreview.h"
#include "layout/SheetPicture.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

// Found by argument lookup, so it stands beside the block's class.
static void PrintTo(const FieldRect::Block& b, std::ostream* os) {
  *os << '{' << b.lineFrom << '-' << b.lineTo << " x " << b.colFrom << '-' << b.colTo << '}';
}

namespace {

using Block = FieldRect::Block;

constexpr RgbColour kPurple{128, 0, 128};
constexpr int kWidth = 1600;
constexpr int kHeight = 4800;

struct Point {
  int x;
  int y;
  friend bool operator==(const Point&, const Point&) = default;
};

void PrintTo(const Point& p, std::ostream* os) { *os << '(' << p.x << ',' << p.y << ')'; }

// The picture as a list of the points set on it, all of which must be purple.
class PointLog : public SheetPicture {
 public:
  int width() const override { return kWidth; }
  int height() const override { return kHeight; }
  void setPoint(int x, int y, RgbColour colour) override {
    EXPECT_EQ(colour, kPurple);
    if (x >= 0 && y >= 0 && x < kWidth && y < kHeight) points.append({x, y});
  }
  QList<Point> points;
};

// Points of a block on a form fed normally, line by line.
QList<Point> plainPoints(int lineFrom, int lineTo, int colFrom, int colTo) {
  QList<Point> points;
  for (int line = lineFrom; line <= lineTo; ++line)
    for (int col = colFrom; col <= colTo; ++col) points.append({30 * col, 30 * line});
  return points;
}

class LayoutPreviewTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

  void writeLayout(const QString& fileName, const QStringList& lines,
                   LayoutEncoding encoding = LayoutEncoding::Ansi) {
    QFile file(m_dir.filePath(fileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    const QByteArray bytes = layoutBytes(lines, encoding);
    ASSERT_EQ(file.write(bytes), bytes.size());
  }

  // Reads and draws the layout of `listText` as the list's change does.
  LayoutPreview preview(const QString& listText) {
    picture.points.clear();
    const LayoutPreview result = readLayoutPreview(m_dir.path(), listText, rect);
    drawLayoutPreview(picture, result, rect);
    return result;
  }

  QTemporaryDir m_dir;
  FieldRect rect;
  PointLog picture;
};

TEST_F(LayoutPreviewTest, DrawsEveryBlockPointByPoint) {
  writeLayout("exam.omrf", {"62=48=12=N=*= =", "2=3=4=5=00=D=0123456789=B=0=150=Yaş", "7=7=1=2=00=Y=AB=C=CEVAP=="});
  const LayoutPreview result = preview("EXAM");
  EXPECT_TRUE(result.found);
  EXPECT_EQ(result.ThresholdHex, "C");
  EXPECT_EQ(result.LayoutTurn, "N");
  EXPECT_EQ(result.rows, QList<int>({1, 2}));
  EXPECT_EQ(rect.row(1), (Block{2, 3, 4, 5}));
  EXPECT_EQ(rect.row(2), (Block{7, 7, 1, 2}));
  EXPECT_EQ(picture.points, plainPoints(2, 3, 4, 5) + plainPoints(7, 7, 1, 2));
}

TEST_F(LayoutPreviewTest, ATurnedFormIsMirroredInFromTheFarEdges) {
  writeLayout("turned.omrf", {"62=48=8=T=*= =", "1=2=1=1=00=D=AB=C=="});
  const LayoutPreview result = preview("TURNED");
  EXPECT_EQ(result.LayoutTurn, "T");
  const QList<Point> expected = {{kWidth - 30 - 150, kHeight - 30 - 150}, {kWidth - 30 - 150, kHeight - 60 - 150}};
  EXPECT_EQ(picture.points, expected);
}

TEST_F(LayoutPreviewTest, ASlashLineKeepsWhatItsRowHeld) {
  rect.setRow(3, {9, 9, 9, 9});
  writeLayout("back.omrf",
              {"62=48=8=N=*= =", "1=1=1=1=00=D=A=C==", "2=2=2=2=00=D=A=C==", "/3=3=3=3=00=D=A=C==",
               "4=4=4=4=00=D=A=C=="});
  const LayoutPreview result = preview("BACK");
  EXPECT_EQ(result.rows, QList<int>({1, 2, 4}));
  EXPECT_EQ(rect.row(3), (Block{9, 9, 9, 9}));
  EXPECT_EQ(rect.row(4), (Block{4, 4, 4, 4}));
  EXPECT_EQ(picture.points, plainPoints(1, 1, 1, 1) + plainPoints(2, 2, 2, 2) + plainPoints(4, 4, 4, 4));
}

TEST_F(LayoutPreviewTest, AShortLayoutAfterALongOneWritesAndDrawsOnlyItsRows) {
  writeLayout("long.omrf", {"62=48=8=N=*= =", "1=1=1=1=00=D=A=C==", "5=6=7=8=00=D=A=C==", "9=9=9=9=00=D=A=C=="});
  writeLayout("short.omrf", {"62=48=8=N=*= =", "3=3=3=3=00=D=A=C=="});
  preview("LONG");
  const LayoutPreview result = preview("SHORT");
  EXPECT_EQ(result.rows, QList<int>({1}));
  EXPECT_EQ(rect.row(1), (Block{3, 3, 3, 3}));
  EXPECT_EQ(rect.row(2), (Block{5, 6, 7, 8}));  // the table keeps the long layout's rows
  EXPECT_EQ(picture.points, plainPoints(3, 3, 3, 3));
}

TEST_F(LayoutPreviewTest, AMissingLayoutLeavesTheTableAlone) {
  rect.setRow(1, {1, 2, 3, 4});
  writeLayout("notes.rtf", {"62=48=8=N=*= =", "5=5=5=5=00=D=A=C=="});
  for (const char* name : {"NOTES", "", "EXAM"}) {
    const LayoutPreview result = preview(name);
    EXPECT_FALSE(result.found) << name;
    EXPECT_TRUE(result.rows.isEmpty()) << name;
  }
  EXPECT_EQ(rect.row(1), (Block{1, 2, 3, 4}));
  EXPECT_TRUE(picture.points.isEmpty());
}

TEST_F(LayoutPreviewTest, ItemsAreReadAsTheLayoutReadsNumbers) {
  writeLayout("odd.omrf", {"x=y=  1 2=N", "ab=3x= 4 =5.5=00", "2.5=1e1=-0=99999", "7"});
  const LayoutPreview result = preview("ODD");
  EXPECT_EQ(result.ThresholdHex, "C");  // blanks inside numbers are skipped
  EXPECT_EQ(result.rows, QList<int>({1, 2, 3}));
  EXPECT_EQ(rect.row(1), (Block{0, 3, 4, 6}));      // no digits: 0; halves to even
  EXPECT_EQ(rect.row(2), (Block{2, 10, 0, 32767}));  // clamped as a 16-bit number
  EXPECT_EQ(rect.row(3), (Block{7, 0, 0, 0}));       // missing items read as 0
}

TEST_F(LayoutPreviewTest, AUtf8LayoutPreviewsLikeItsAnsiTwin) {
  const QStringList lines = {"62=48=20=T=*= =", "2=3=4=5=00=D=ÇĞİÖŞÜ=B=Yaş==", "6=6=6=6=00=Y=ğ=C=="};
  writeLayout("ansi.omrf", lines);
  writeLayout("utf.omrf", lines, LayoutEncoding::Utf8);
  const LayoutPreview ansi = preview("ANSI");
  const QList<Point> ansiPoints = picture.points;
  const LayoutPreview utf = preview("UTF");
  EXPECT_EQ(utf.ThresholdHex, "14");
  EXPECT_EQ(utf.LayoutTurn, ansi.LayoutTurn);
  EXPECT_EQ(utf.rows, ansi.rows);
  EXPECT_EQ(picture.points, ansiPoints);
  EXPECT_EQ(picture.points.size(), 5);
}

TEST_F(LayoutPreviewTest, ReadingEndsAtAnEmptyLineOrAfterRow500) {
  writeLayout("gap.omrf", {"62=48=8=N=*= =", "1=1=1=1=00=D=A=C==", "", "2=2=2=2=00=D=A=C=="});
  EXPECT_EQ(preview("GAP").rows, QList<int>({1}));

  QStringList many = {"62=48=8=N=*= ="};
  for (int i = 0; i < 700; ++i) many.append(QStringLiteral("%1=%1=1=1=00=D=A=C==").arg(i % 150 + 1));
  writeLayout("many.omrf", many);
  const LayoutPreview result = preview("MANY");
  ASSERT_EQ(result.rows.size(), 500);
  EXPECT_EQ(result.rows.back(), 500);
  EXPECT_EQ(rect.row(500), (Block{50, 50, 1, 1}));
}

TEST_F(LayoutPreviewTest, AbsurdBlocksCostNothing) {
  writeLayout("huge.omrf", {"62=48=8=N=*= =", "-32768=32767=-32768=32767=00=D=A=C==", "1=1=1=1"});
  const LayoutPreview result = preview("HUGE");
  EXPECT_EQ(result.rows, QList<int>({1, 2}));
  // Only the points that fall on the picture are visited.
  EXPECT_EQ(picture.points.size(), ((kWidth - 1) / 30 + 1) * ((kHeight - 1) / 30 + 1) + 1);
}

}  // namespace
