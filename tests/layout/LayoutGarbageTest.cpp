#include "LayoutTestSupport.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

// Far above what a linear parse needs even under the sanitizers, far below
// what work growing with the square of a 10 MB line would take.
constexpr qint64 kTimeLimitMs = 20000;

constexpr qsizetype kTenMegabytes = 10 * 1024 * 1024;

QByteArray header() {
  return QByteArray("62=48=8=N=*= =\r\n");
}

QByteArray pseudoRandomBytes(qsizetype size) {
  QByteArray bytes(size, '\0');
  std::uint32_t state = 12345;
  for (char& b : bytes) {
    state = state * 1664525u + 1013904223u;
    b = static_cast<char>(state >> 24);
  }
  return bytes;
}

struct GarbageCase {
  const char* name;
  std::function<QByteArray()> bytes;
  std::function<void(const LayoutTable&)> check;
};

void PrintTo(const GarbageCase& c, std::ostream* os) {
  *os << c.name;
}

class LayoutGarbage : public testing::TestWithParam<GarbageCase> {};

TEST_P(LayoutGarbage, GivesATableQuickly) {
  const QByteArray bytes = GetParam().bytes();
  QElapsedTimer timer;
  timer.start();
  const LayoutTable table = ParseLayoutBytes(bytes);
  EXPECT_LT(timer.elapsed(), kTimeLimitMs);
  EXPECT_EQ(table.FieldCount, table.fields.size());
  EXPECT_LE(table.FieldCount, LayoutTable::kMaxFieldCount);
  EXPECT_GE(table.FirstBackField, 0);
  EXPECT_LE(table.FirstBackField, table.FieldCount);
  for (const FieldDefinition& f : table.fields) EXPECT_TRUE(f.FieldName.endsWith(u": "));
  if (GetParam().check) GetParam().check(table);
}

LayoutTable utf8Empty() {
  LayoutTable table;
  table.Utf8DataFile = true;
  return table;
}

std::vector<GarbageCase> garbageCases() {
  return {
      GarbageCase{"EmptyFile", [] { return QByteArray(); },
                  [](const LayoutTable& t) { EXPECT_EQ(t, LayoutTable{}); }},
      GarbageCase{"MarkOnly", [] { return QByteArray("\xEF\xBB\xBF"); },
                  [](const LayoutTable& t) { EXPECT_EQ(t, utf8Empty()); }},
      GarbageCase{"HalfAMark", [] { return QByteArray("\xEF\xBB"); },
                  [](const LayoutTable& t) { EXPECT_EQ(t, utf8Empty()); }},
      GarbageCase{"NulBytes", [] { return QByteArray(4096, '\0'); },
                  [](const LayoutTable& t) { EXPECT_EQ(t.LayoutLineCount, 0); }},
      GarbageCase{"NulsInsideItems",
                  [] { return header() + QByteArray("1|2=3=4=5=0=D|=A|B=C=|=|=\r\n").replace('|', '\0'); },
                  [](const LayoutTable& t) {
                    ASSERT_EQ(t.FieldCount, 1);
                    EXPECT_EQ(t.field(1).FieldLineFrom, 1);
                    EXPECT_EQ(t.field(1).FieldAlphabet.size(), 3);
                  }},
      GarbageCase{"BinaryBytes", [] { return pseudoRandomBytes(1 << 20); }, nullptr},
      GarbageCase{"BinaryUtf8", [] { return QByteArray("\xEF\xBB\xBF") + pseudoRandomBytes(1 << 20); },
                  nullptr},
      GarbageCase{"TenMegabyteHeader", [] { return QByteArray(kTenMegabytes, 'x'); },
                  [](const LayoutTable& t) { EXPECT_EQ(t.FieldCount, 0); }},
      GarbageCase{"TenMegabytesOfSeparators", [] { return header() + QByteArray(kTenMegabytes, '='); },
                  [](const LayoutTable& t) {
                    ASSERT_EQ(t.FieldCount, 1);
                    EXPECT_EQ(t.field(1).FieldLabel.size(), kTenMegabytes - 10);  // the tail
                  }},
      GarbageCase{"TenMegabyteNumber",
                  [] { return header() + QByteArray(kTenMegabytes, '9') + "=1=1=1=0=K=AB=X=Ad=="; },
                  [](const LayoutTable& t) {
                    ASSERT_EQ(t.FieldCount, 1);
                    EXPECT_EQ(t.field(1).FieldLineFrom, 32767);
                  }},
      GarbageCase{"TenMegabytesOfWordEnds",
                  [] { return header() + "1=1=1=1=0=K=" + QByteArray(kTenMegabytes, '~') + "=X=Ad=="; },
                  [](const LayoutTable& t) {
                    ASSERT_EQ(t.FieldCount, 1);
                    EXPECT_EQ(t.field(1).FieldWordWidth, u"0");
                  }},
      GarbageCase{"TenMegabyteNameAmongMany",
                  [] {
                    QByteArray bytes =
                        header() + "1=1=1=1=0=K=AB=X=" + QByteArray(kTenMegabytes, 'n') + "==\r\n";
                    for (int i = 0; i < 499; ++i) bytes += "1=1=1=1=0=K=AB=X=Ad==\r\n";
                    return bytes;
                  },
                  [](const LayoutTable& t) {
                    ASSERT_EQ(t.FieldCount, 500);
                    EXPECT_EQ(t.field(1).FieldName.size(), kTenMegabytes + 2);
                    EXPECT_EQ(t.field(2).FieldName.size(), 256 + 2);
                  }},
      GarbageCase{"MillionsOfLines",
                  [] {
                    QByteArray bytes = header();
                    for (int i = 0; i < 3'000'000; ++i) bytes += "1\r\n";
                    return bytes;
                  },
                  [](const LayoutTable& t) { EXPECT_EQ(t.FieldCount, 500); }},
      GarbageCase{"OnlyCarriageReturns", [] { return QByteArray(1 << 20, '\r'); },
                  [](const LayoutTable& t) { EXPECT_EQ(t.FieldCount, 0); }},
  };
}

std::string caseName(const testing::TestParamInfo<GarbageCase>& param) {
  return param.param.name;
}

INSTANTIATE_TEST_SUITE_P(Inputs, LayoutGarbage, testing::ValuesIn(garbageCases()), caseName);

}  // namespace
