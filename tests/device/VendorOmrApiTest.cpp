#include "device/VendorOmrApi.h"

#include <QLibrary>

#include <gtest/gtest.h>

namespace {

QString fakeLog(const QString& path) {
  QLibrary library(path);  // the same loaded instance the binding uses
  const auto log = reinterpret_cast<const char* (*)()>(library.resolve("FakeOmr_Log"));
  return log ? QString::fromLatin1(log()) : QStringLiteral("<no log>");
}

TEST(VendorOmrApi, PassesArgumentsAndBuffersThroughTheLoadedLibrary) {
  VendorOmrApi api(QStringLiteral(FAKE_OMRAPI_FULL));
  ASSERT_TRUE(api.isLoaded()) << api.errorString().toStdString();

  EXPECT_EQ(api.OMR_OpenDeviceUSB(), 0);
  EXPECT_EQ(api.OMR_GetStatus(), 0x40110000);
  EXPECT_EQ(api.OMR_GetDeviceInfo(), 0x01010000);
  EXPECT_EQ(api.OMR_SetReadingMethod(3, 0), 0);
  std::int32_t unit = 1;
  EXPECT_EQ(api.OMR_SetBackSensorUnit(unit), 0);
  omr::DataBuffer command{'B', 'R', '1', ',', '0'};
  std::int32_t count = 5;
  EXPECT_EQ(api.OMR_SendData(command, count), 0);
  EXPECT_EQ(api.OMR_SetPrintPosition(-12), 0);
  EXPECT_EQ(api.OMR_SetPrintString(2, QByteArray("SIRA 1")), 0);

  omr::NameBuffer name{};
  EXPECT_EQ(api.OMR_GetMachineName(name), 0);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(name.data()), 16), "FAKE-READER     ");

  omr::MarkRequest request{0, 62, 48};
  omr::MarkBuffer marks{};
  EXPECT_EQ(api.OMR_GetMarks(1, request, marks), 0);
  EXPECT_EQ(request.lines, 61);
  EXPECT_EQ(marks.front(), 7);
  EXPECT_EQ(marks.back(), 9);

  omr::BarcodeRecord record;
  record.kind[0] = 'e';
  std::int16_t length = 10;
  std::int16_t second = 1;
  omr::BarcodeBuffer data{};
  EXPECT_EQ(api.OMR_GetBarcodeData(1, record, length, second, data), 0);
  EXPECT_EQ(length, 7);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(data.data()), 7), "0012345");

  EXPECT_EQ(fakeLog(QStringLiteral(FAKE_OMRAPI_FULL)),
            "open;status;method 3,0;back 1;send BR1,0;position -12;print 2 SIRA 1;marks 1 62 48;"
            "barcode 1 e 10 1;");
}

TEST(VendorOmrApi, FunctionsTheLibraryLacksCannotRun) {
  VendorOmrApi api(QStringLiteral(FAKE_OMRAPI_PARTIAL));
  ASSERT_TRUE(api.isLoaded()) << api.errorString().toStdString();
  EXPECT_EQ(api.OMR_OpenDeviceUSB(), 0);
  EXPECT_EQ(api.OMR_GetStatus(), std::nullopt);
  omr::MarkRequest request{0, 62, 48};
  omr::MarkBuffer marks{};
  EXPECT_EQ(api.OMR_GetMarks(0, request, marks), std::nullopt);
  EXPECT_EQ(request.lines, 62);
  EXPECT_EQ(api.OMR_Reset(), std::nullopt);  // not in either library
}

TEST(VendorOmrApi, AMissingLibraryRunsNothing) {
  VendorOmrApi api(QStringLiteral("/no/such/folder/libOMRAPI.so"));
  EXPECT_FALSE(api.isLoaded());
  EXPECT_FALSE(api.errorString().isEmpty());
  EXPECT_EQ(api.OMR_OpenDeviceUSB(), std::nullopt);
  EXPECT_EQ(api.OMR_FeedSheet(), std::nullopt);
}

}  // namespace
