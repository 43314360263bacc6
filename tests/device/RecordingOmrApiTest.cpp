#include "DeckTestSupport.h"
#include "device/RecordingOmrApi.h"
#include "sim/SimulatedReader.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct LoggedCall {
  const char* name;
  std::function<void(OmrApi&)> call;
  const char* logged;
};

void PrintTo(const LoggedCall& c, std::ostream* os) {
  *os << c.name;
}

class RecordingOmrApiFormat : public testing::TestWithParam<LoggedCall> {};

TEST_P(RecordingOmrApiFormat, WritesOneLinePerCall) {
  SimulatedReader reader{parsedDeck("sheet\n")};
  RecordingOmrApi recording(reader);
  GetParam().call(recording);
  EXPECT_EQ(recording.log(), QString::fromUtf8(GetParam().logged).split(u'\n'));
}

omr::MarkBuffer g_marks;

const LoggedCall kCalls[] = {
    {"NoArguments", [](OmrApi& api) { api.OMR_CloseDevice(); }, "OMR_CloseDevice()"},
    {"TwoIntegers", [](OmrApi& api) { api.OMR_SetReadingMethod(3, 0); }, "OMR_SetReadingMethod(3,0)"},
    {"NegativeInteger", [](OmrApi& api) { api.OMR_SetPrintPosition(-5); }, "OMR_SetPrintPosition(-5)"},
    {"ThreeIntegers", [](OmrApi& api) { api.OMR_SetPrintOrder(1, 2, 3); }, "OMR_SetPrintOrder(1,2,3)"},
    {"IntegerByReference",
     [](OmrApi& api) {
       std::int32_t unit = 1;
       api.OMR_SetBackSensorUnit(unit);
     },
     "OMR_SetBackSensorUnit(1)"},
    {"ShortsByReference",
     [](OmrApi& api) {
       std::int16_t first = 1;
       std::int16_t second = 1;
       api.OMR_GetBarcodeInfo(first, second);
     },
     "OMR_GetBarcodeInfo(1,1)"},
    {"BufferOnly",
     [](OmrApi& api) {
       omr::NameBuffer name{};
       api.OMR_GetMachineName(name);
     },
     "OMR_GetMachineName(buf)"},
    {"Record",
     [](OmrApi& api) {
       omr::BarcodeArea area{};
       api.OMR_SetBarCodeArea(area);
     },
     "OMR_SetBarCodeArea(buf)"},
    {"SideAndTwoRecords",
     [](OmrApi& api) {
       omr::MarkRequest request;
       api.OMR_GetMarks(1, request, g_marks);
     },
     "OMR_GetMarks(1,buf,buf)"},
    {"SendDataUnderItsLibraryName",
     [](OmrApi& api) {
       omr::DataBuffer command{'B', 'R', '1', ',', '0'};
       std::int32_t count = 5;
       api.OMR_SendData(command, count);
     },
     "_OMR_SendData(buf,5)"},
    {"ReceiveDataWithTheCountAsked",
     [](OmrApi& api) {
       api.OMR_OpenDeviceUSB();
       omr::DataBuffer reply{};
       std::int32_t count = 6;
       api.OMR_ReceiveData(reply, count);  // the reader sets count to 0 afterwards
     },
     "OMR_OpenDeviceUSB()\n_OMR_ReceiveData(buf,6)"},
    {"BarcodeData",
     [](OmrApi& api) {
       omr::BarcodeRecord record;
       record.kind[0] = 'e';
       std::int16_t length = 12;
       std::int16_t second = 0;
       omr::BarcodeBuffer data{};
       api.OMR_GetBarcodeData(1, record, length, second, data);
     },
     "OMR_GetBarcodeData(1,buf,12,0,buf)"},
    {"TextFromCodePage1254",
     [](OmrApi& api) { api.OMR_SetPrintString(1, QByteArray("\xDE\xDD\xD0 \xFE\xFD\xF0 12.05")); },
     "OMR_SetPrintString(1,\"ŞİĞ şığ 12.05\")"},
    {"TextWithQuotesAndControls",
     [](OmrApi& api) { api.OMR_SetPrintString(3, QByteArray("a\"b\\c\r\n\t\x01")); },
     "OMR_SetPrintString(3,\"a\\\"b\\\\c\\r\\n\\t\\u0001\")"},
    {"EmptyText", [](OmrApi& api) { api.OMR_SetPrintString(2, QByteArray()); }, "OMR_SetPrintString(2,\"\")"},
};

INSTANTIATE_TEST_SUITE_P(Table, RecordingOmrApiFormat, testing::ValuesIn(kCalls), caseName<LoggedCall>);

TEST(RecordingOmrApi, RecordsInOrderAndPassesResultsAndOutputsThrough) {
  SimulatedReader reader{parsedDeck("sheet\nstatus 40110001\nlines 61\n4 4 12\n")};
  RecordingOmrApi recording(reader);
  EXPECT_EQ(recording.OMR_OpenDeviceUSB(), 0);
  EXPECT_EQ(recording.OMR_FeedSheet(), 0);
  EXPECT_EQ(recording.OMR_GetStatus(), 0x40110001);
  omr::MarkRequest request;
  request.lines = 62;
  omr::MarkBuffer marks{};
  recording.OMR_GetMarks(0, request, marks);
  EXPECT_EQ(request.lines, 61);
  EXPECT_EQ(marks[3 * 48 + 3], 12);
  EXPECT_EQ(recording.OMR_EjectSheet(2), 0);
  EXPECT_EQ(reader.tray(2), QList<int>{0});
  EXPECT_EQ(recording.log(), (QStringList{"OMR_OpenDeviceUSB()", "OMR_FeedSheet()", "OMR_GetStatus()",
                                          "OMR_GetMarks(0,buf,buf)", "OMR_EjectSheet(2)"}));
  recording.clearLog();
  EXPECT_TRUE(recording.log().isEmpty());
}

}  // namespace
