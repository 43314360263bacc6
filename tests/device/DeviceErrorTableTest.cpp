#include "device/DeviceErrorTable.h"

#include <gtest/gtest.h>

namespace {

TEST(DeviceErrorTable, CodeTextIsUnsignedUpperHexWithoutLeadingZeros) {
  EXPECT_EQ(device_errors::codeText(0), "0");
  EXPECT_EQ(device_errors::codeText(1), "1");
  EXPECT_EQ(device_errors::codeText(0x1F060004), "1F060004");
  EXPECT_EQ(device_errors::codeText(0x40110000), "40110000");
  EXPECT_EQ(device_errors::codeText(0xFFFFFFFFu), "FFFFFFFF");
}

struct RowCase {
  std::uint32_t status;
  const char* turkish;
  const char* english;
  bool needsOperator;
  bool backSideOnly;
};

void PrintTo(const RowCase& c, std::ostream* os) { *os << std::hex << c.status; }

class DeviceErrorRowTest : public testing::TestWithParam<RowCase> {};

TEST_P(DeviceErrorRowTest, MessagesAndFlags) {
  const RowCase& c = GetParam();
  const auto row = device_errors::find(device_errors::codeText(c.status));
  ASSERT_TRUE(row);
  EXPECT_EQ(device_errors::message(c.status, 0), QString::fromUtf8(c.turkish));
  EXPECT_EQ(device_errors::message(c.status, 1), QString::fromUtf8(c.english));
  EXPECT_EQ(device_errors::message(c.status, 7), QString::fromUtf8(c.english));  // any other language is English
  EXPECT_EQ(row->NeedsOperator, c.needsOperator);
  EXPECT_EQ(row->BackSideOnly, c.backSideOnly);
}

// One row of each flag combination, and the texts that are easy to get wrong.
INSTANTIATE_TEST_SUITE_P(
    Rows, DeviceErrorRowTest,
    testing::Values(RowCase{1, "Hatalı Duruş (Ayrıntı bilinmiyor)", "Unknown Error", true, false},
                    RowCase{0x40110000, "Tepsi Boş ", "Sheet empty", true, false},
                    RowCase{0x40110001, "Çift kağıt geçti", "Double feed error", false, false},
                    RowCase{0x42100000, "Arka Okuma Bağlı Değil", "Back Sensor not connected", true, true},
                    RowCase{0x42120003, "Arka Yüz Okuma Çizgisi Hatası", "Back: Timing mark error", false, true},
                    RowCase{0x41130000, "Ön Okuma: Beyaz Seviye Hatası", "Front: White level error", true, true},
                    RowCase{6, "'Hazır Değil' sinyali alındı.", "'Not Ready' signal received.", true, false},
                    RowCase{0x45140004, "Çıkış tepsisinde kağıt kaldı", "SS: paper jam", true, false},
                    RowCase{0x42120005, "Arka yüz okuma çizgisi hatası", "Back: Timing mark error", false, true}));

TEST(DeviceErrorTable, UnlistedCodesAreNamedByTheirCodeText) {
  EXPECT_FALSE(device_errors::find(u"12345678"));
  EXPECT_FALSE(device_errors::find(u"0"));
  EXPECT_FALSE(device_errors::find(u"4011000"));  // exact match only
  EXPECT_EQ(device_errors::message(0x12345678, 0), "12345678 nolu hata");
  EXPECT_EQ(device_errors::message(0x12345678, 1), "12345678 error");
}

}  // namespace
