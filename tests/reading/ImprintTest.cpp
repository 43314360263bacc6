#include "reading/Imprint.h"

#include "RunRig.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2024, 3, 9), QTime(14, 5, 30));

QString printed(const QString& line) {
  return QStringLiteral("OMR_SetPrintString(1,\"%1\")").arg(line);
}

QStringList printCalls(const QStringList& log) {
  QStringList calls;
  for (const QString& call : log)
    if (call.startsWith("OMR_SetPrint")) calls << call;
  return calls;
}

struct ImprintCase {
  const char* name;
  std::array<int, 5> Check5;  // Sıra No, Okundu, Tarih && Saat, Okunmadi, Dosya Adı
  QStringList lines;          // line 1 of each sheet imprinted: a saved one, then a rejected one
};
void PrintTo(const ImprintCase& c, std::ostream* os) {
  *os << c.name;
}

class ImprintRunTest : public testing::TestWithParam<ImprintCase> {};

// A saved sheet, a rejected one (its "U1A" field marked) and a dropped one.
TEST_P(ImprintRunTest, LinesOfSavedAndRejectedSheets) {
  const ImprintCase& c = GetParam();
  CheckRunRig rig({"02=02=01=05=00=Y=ABCDE=U1A=U=Pencere=", "03=03=01=05=00=Y=ABCDE=W=W=Ad="});
  rig.settings.ImprintEnabled = 1;
  rig.settings.StopOnError = 0;
  for (int i = 0; i < 5; ++i) rig.panel.setCheck5(i, c.Check5[static_cast<std::size_t>(i)]);
  rig.clock = [] { return kNow; };
  rig.read("sheet\n3 1 14\nsheet\n2 1 14\n3 1 14\nsheet\n", {"Hayır", "Evet", "Hayır"});
  QStringList expected;
  const QString blanks(Imprint::kLineWidth, u' ');
  for (QString line : c.lines) {
    line.replace("<path>", rig.dataPath().left(11));
    line.replace("<now>", QLocale().toString(kNow.date(), QLocale::ShortFormat) + ' ' +
                              QLocale().toString(kNow.time(), QLocale::ShortFormat));
    if (line.size() < Imprint::kLineWidth) line.resize(Imprint::kLineWidth, u' ');
    expected << printed(line) << QStringLiteral("OMR_SetPrintString(2,\"%1\")").arg(blanks)
             << QStringLiteral("OMR_SetPrintString(3,\"%1\")").arg(blanks) << "OMR_SetPrintOrder(1,2,3)";
  }
  // The dropped third sheet is not imprinted.
  EXPECT_EQ(printCalls(rig.log()), expected);
  EXPECT_EQ(rig.counters.RunDroppedCount, 1);
}

INSTANTIATE_TEST_SUITE_P(Choices, ImprintRunTest,
                         testing::Values(ImprintCase{"NothingTicked", {0, 0, 0, 0, 0}, {"", ""}},
                                         ImprintCase{"ReadOnly", {0, 1, 0, 0, 0}, {" Sinav Okundu", ""}},
                                         ImprintCase{"UnreadOnly", {0, 0, 0, 1, 0}, {"", " Sinav Okunmadi"}},
                                         // The sequence number counts the sheets saved before.
                                         ImprintCase{"Everything",
                                                     {1, 1, 1, 1, 1},
                                                     {" 0 <path> Sinav Okundu <now>",
                                                      " 1 <path> Sinav Okunmadi <now>"}}));

TEST(ImprintRun, ASheetLeftAtTheRangeQuestionIsNotImprinted) {
  // Two digits between 10 and 50: the first sheet holds 60 and is left,
  // the second holds 42.
  CheckRunRig rig({"03=12=01=02=00=D=0123456789=B=10=50=Yaş"});
  rig.settings.ImprintEnabled = 1;
  rig.panel.setCheck5(PanelIndex::Check5ReadMark, 1);
  rig.read("sheet\n9 1 14\n3 2 14\nsheet\n7 1 14\n5 2 14\n", {"Hayır", "Hayır"});
  const QString blanks(Imprint::kLineWidth, u' ');
  QString line = " Sinav Okundu";
  line.resize(Imprint::kLineWidth, u' ');
  EXPECT_EQ(
      printCalls(rig.log()),
      QStringList({printed(line), QStringLiteral("OMR_SetPrintString(2,\"%1\")").arg(blanks),
                   QStringLiteral("OMR_SetPrintString(3,\"%1\")").arg(blanks), "OMR_SetPrintOrder(1,2,3)"}));
  EXPECT_EQ(rig.data(), "42\r\n");
  EXPECT_EQ(rig.counters.ErrorCount, 0);
}

TEST(Imprint, OnlyOnUsbAndWhenEnabled) {
  for (const bool usb : {true, false}) {
    for (const bool enabled : {true, false}) {
      SCOPED_TRACE(testing::Message() << "usb " << usb << " enabled " << enabled);
      SimulatedReader reader(Deck{});
      RecordingOmrApi recording(reader);
      const Imprint imprint({.usbSelected = usb, .ImprintEnabled = enabled, .readMark = true}, "veri.dat");
      imprint.send(recording, true, 3);
      EXPECT_EQ(printCalls(recording.log()).size(), usb && enabled ? 4 : 0);
    }
  }
}

TEST(Imprint, LongLineIsNotCut) {
  const Imprint imprint({.sequenceNo = true, .readMark = true, .dateTime = true, .fileName = true},
                        QString::fromUtf8("Öğrenci_listesi.dat"), [] { return kNow; });
  const QString now = QLocale().toString(kNow.date(), QLocale::ShortFormat) + ' ' +
                      QLocale().toString(kNow.time(), QLocale::ShortFormat);
  EXPECT_EQ(imprint.line(true, 1234567890), QString::fromUtf8(" 1234567890 Öğrenci_lis Sinav Okundu ") + now);
}

}  // namespace
