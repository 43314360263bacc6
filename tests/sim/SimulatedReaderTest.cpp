#include "DeckTestSupport.h"
#include "sim/SimulatedReader.h"

#include <gtest/gtest.h>

namespace {

// Three sheets: a clean one with a front and a back mark, a double feed with
// a barcode and short line counts, and a jam.
const char* const kDeck =
    "model OPTIK-7\n"
    "equipment 00010000\n"
    "connectstatus 40110000\n"
    "sheet\n"
    "5 3 14\n"
    "62 48 9\n"
    "back\n"
    "7 1 13\n"
    "sheet\n"
    "status 40110001\n"
    "lines 61\n"
    "backlines 100\n"
    "barcode 0012345\n"
    "62 1 15\n"
    "sheet\n"
    "status 30080002\n";

std::uint8_t at(const omr::MarkBuffer& marks, int line, int column) {
  return marks[static_cast<std::size_t>((line - 1) * 48 + column - 1)];
}

class SimulatedReaderTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(m_reader.OMR_OpenDeviceUSB(), 0); }

  std::int32_t readMarks(std::int16_t side, std::int32_t linesAsked) {
    omr::MarkRequest request;
    request.lines = linesAsked;
    EXPECT_EQ(m_reader.OMR_GetMarks(side, request, m_marks), 0);
    return request.lines;
  }

  SimulatedReader m_reader{parsedDeck(kDeck)};
  omr::MarkBuffer m_marks{};
};

TEST_F(SimulatedReaderTest, ReportsTheConnectStatusUntilTheFirstFeedThenEachSheetsStatus) {
  EXPECT_EQ(m_reader.OMR_GetStatus(), 0x40110000);
  const std::int32_t expected[] = {0, 0x40110001, 0x30080002, 0x40110000, 0x40110000};
  for (const std::int32_t status : expected) {
    EXPECT_EQ(m_reader.OMR_FeedSheet(), 0);
    EXPECT_EQ(m_reader.OMR_GetStatus(), status);
  }
  EXPECT_EQ(m_reader.sheetsInHopper(), 0);
}

TEST_F(SimulatedReaderTest, DeliversEachSidesMarksWithTheLineCount) {
  m_reader.OMR_FeedSheet();
  EXPECT_EQ(readMarks(0, 62), 62) << "without `lines` the count asked for comes back";
  EXPECT_EQ(at(m_marks, 5, 3), 14);
  EXPECT_EQ(at(m_marks, 62, 48), 9);
  EXPECT_EQ(at(m_marks, 7, 1), 0);
  EXPECT_EQ(readMarks(1, 154), 154);
  EXPECT_EQ(at(m_marks, 7, 1), 13);
  EXPECT_EQ(at(m_marks, 5, 3), 0) << "the back read replaces the whole buffer";
  EXPECT_EQ(readMarks(0, 70), 70);
  EXPECT_EQ(readMarks(0, 400), 155) << "no reader reads more lines than a sheet has";

  m_reader.OMR_FeedSheet();
  EXPECT_EQ(readMarks(0, 62), 61);
  EXPECT_EQ(at(m_marks, 62, 1), 0) << "a sheet read as 61 lines has nothing on line 62";
  EXPECT_EQ(readMarks(1, 154), 100);
}

TEST_F(SimulatedReaderTest, GivesNoMarksBeforeTheFirstFeedAndAfterTheLast) {
  m_marks.fill(0xAA);
  EXPECT_EQ(readMarks(0, 62), 0);
  EXPECT_EQ(m_marks, omr::MarkBuffer{});
  for (int i = 0; i < 4; ++i) m_reader.OMR_FeedSheet();
  m_marks.fill(0xAA);
  EXPECT_EQ(readMarks(0, 62), 0);
  EXPECT_EQ(m_marks, omr::MarkBuffer{});
}

TEST_F(SimulatedReaderTest, AnUnknownSideIsRefusedAndTouchesNothing) {
  m_reader.OMR_FeedSheet();
  m_marks.fill(0xAA);
  omr::MarkRequest request;
  request.lines = 62;
  EXPECT_EQ(m_reader.OMR_GetMarks(2, request, m_marks), SimulatedReader::kParameterError);
  EXPECT_EQ(request.lines, 62);
  EXPECT_EQ(m_marks[0], 0xAA);
}

TEST_F(SimulatedReaderTest, ReturnsTheBarcodeOfTheSheetFedLast) {
  omr::BarcodeRecord record;
  std::int16_t length = 12;
  std::int16_t second = 12;
  omr::BarcodeBuffer data{};
  m_reader.OMR_FeedSheet();
  EXPECT_EQ(m_reader.OMR_GetBarcodeData(1, record, length, second, data), 0);
  EXPECT_EQ(length, 0) << "a sheet without a barcode";

  m_reader.OMR_FeedSheet();
  length = 12;
  data.fill(0xAA);
  EXPECT_EQ(m_reader.OMR_GetBarcodeData(1, record, length, second, data), 0);
  EXPECT_EQ(length, 7);
  EXPECT_EQ(second, 12);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(data.data()), 8), QByteArray("0012345\0", 8));
  EXPECT_EQ(data[8], 0xAA);
}

TEST(SimulatedReader, FillsAFullSixteenCharacterBarcodeAndItsTerminator) {
  DeckSheet sheet;
  sheet.barcode = "1234567890ABCDEFGH";  // longer than a deck may give: cut at 16
  Deck deck;
  deck.sheets = {sheet};
  SimulatedReader reader(deck);
  reader.OMR_OpenDeviceUSB();
  reader.OMR_FeedSheet();
  omr::BarcodeRecord record;
  std::int16_t length = 16;
  std::int16_t second = 16;
  omr::BarcodeBuffer data;
  data.fill(0xAA);
  reader.OMR_GetBarcodeData(1, record, length, second, data);
  EXPECT_EQ(length, 16);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(data.data()), 17), QByteArray("1234567890ABCDEF\0", 17));
}

TEST_F(SimulatedReaderTest, PutsSheetsInTheTraysTheyAreSentTo) {
  m_reader.OMR_FeedSheet();
  EXPECT_EQ(m_reader.sheetInTransport(), 0);
  m_reader.OMR_FeedSheet();  // sheet 0 was never ejected: the main stacker takes it
  EXPECT_EQ(m_reader.tray(1), QList<int>{0});
  EXPECT_EQ(m_reader.OMR_EjectSheet(2), 0);
  EXPECT_EQ(m_reader.sheetInTransport(), std::nullopt);
  EXPECT_EQ(m_reader.OMR_EjectSheet(2), 0) << "nothing left to eject";
  m_reader.OMR_FeedSheet();
  EXPECT_EQ(m_reader.OMR_EjectSheet(3), SimulatedReader::kParameterError);
  EXPECT_EQ(m_reader.sheetInTransport(), 2);
  m_reader.OMR_EjectSheet(1);
  m_reader.OMR_FeedSheet();  // tray empty
  m_reader.OMR_EjectSheet(2);
  EXPECT_EQ(m_reader.tray(1), (QList<int>{0, 2}));
  EXPECT_EQ(m_reader.tray(2), QList<int>{1});
  EXPECT_EQ(m_reader.tray(3), QList<int>{});
}

TEST_F(SimulatedReaderTest, PadsTheModelNameWithBlanksToSixteenBytes) {
  omr::NameBuffer name;
  name.fill(0xAA);
  EXPECT_EQ(m_reader.OMR_GetMachineName(name), 0);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(name.data()), 17), QByteArray("OPTIK-7         \0", 17));
  EXPECT_EQ(name[17], 0xAA);
  EXPECT_EQ(m_reader.OMR_GetDeviceInfo(), 0x00010000);
}

TEST(SimulatedReader, NamesItselfWithTheDefaultModelInCodePage1254) {
  SimulatedReader plain{parsedDeck("")};
  plain.OMR_OpenDeviceUSB();
  omr::NameBuffer name{};
  plain.OMR_GetMachineName(name);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(name.data()), 16), QByteArray("SR-SIMULATOR    "));

  SimulatedReader turkish{parsedDeck("model OKUYUCU Ş\n")};
  turkish.OMR_OpenDeviceUSB();
  turkish.OMR_GetMachineName(name);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(name.data()), 16), QByteArray("OKUYUCU \xDE       "));
}

TEST(SimulatedReader, AReaderThatNeverOpensAnswersNotConnected) {
  SimulatedReader reader{parsedDeck("open fail\nconnectstatus 0\nsheet\n1 1 15\n")};
  EXPECT_NE(reader.OMR_OpenDeviceUSB(), 0);
  EXPECT_FALSE(reader.isOpen());
  EXPECT_EQ(reader.OMR_GetStatus(), 2);
  EXPECT_EQ(reader.OMR_GetDeviceInfo(), 0x0000000F) << "the equipment word says: connection error";
  EXPECT_EQ(reader.OMR_FeedSheet(), 2);
  EXPECT_EQ(reader.OMR_GetStatus(), 2);
  EXPECT_EQ(reader.sheetsInHopper(), 1) << "nothing was fed";
  omr::NameBuffer name;
  name.fill(0xAA);
  EXPECT_EQ(reader.OMR_GetMachineName(name), 2);
  EXPECT_EQ(name[0], 0xAA);
  omr::MarkRequest request;
  request.lines = 62;
  omr::MarkBuffer marks;
  marks.fill(0xAA);
  EXPECT_EQ(reader.OMR_GetMarks(0, request, marks), 2);
  EXPECT_EQ(request.lines, 62);
  EXPECT_EQ(marks[0], 0xAA);
  EXPECT_EQ(reader.OMR_EjectSheet(1), 2);
  std::int32_t count = 6;
  omr::DataBuffer reply{};
  EXPECT_EQ(reader.OMR_ReceiveData(reply, count), 2);
  EXPECT_EQ(count, 6);
}

TEST(SimulatedReader, KeepsItsPaperAcrossCloseAndReopen) {
  SimulatedReader reader{parsedDeck("sheet\nsheet\nstatus 40110001\nsheet\n")};
  reader.OMR_OpenDeviceUSB();
  reader.OMR_FeedSheet();
  reader.OMR_FeedSheet();
  EXPECT_EQ(reader.OMR_CloseDevice(), 0);
  EXPECT_EQ(reader.OMR_GetStatus(), 2);
  reader.OMR_CloseDevice();
  reader.OMR_OpenDeviceUSB();
  EXPECT_EQ(reader.OMR_GetStatus(), 0x40110001) << "the status of the last feed, not the connect status";
  EXPECT_EQ(reader.sheetInTransport(), 1);
  reader.OMR_FeedSheet();
  EXPECT_EQ(reader.tray(1), (QList<int>{0, 1}));
  EXPECT_EQ(reader.sheetsInHopper(), 0);
}

TEST(SimulatedReader, AnswersRawCommandsWithNoBytes) {
  SimulatedReader reader{parsedDeck("")};
  reader.OMR_OpenDeviceUSB();
  omr::DataBuffer command{'C', 'E'};
  std::int32_t sent = 2;
  EXPECT_EQ(reader.OMR_SendData(command, sent), 0);
  EXPECT_EQ(sent, 2);
  omr::DataBuffer reply;
  reply.fill(0x55);
  std::int32_t count = 6;
  EXPECT_EQ(reader.OMR_ReceiveData(reply, count), 0);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(reply[0], 0x55);
}

}  // namespace
