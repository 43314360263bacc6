#include "sim/ReaderSelection.h"

#include "device/VendorOmrApi.h"
#include "sim/SimulatedReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ReaderSelection, SimulatedReaderFromADeckFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("two.deck");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("model TEST\nsheet\nsheet\n");
  file.close();
  const ReaderSelection selection = ReaderSelection::open("sim:" + path);
  ASSERT_TRUE(selection.reader) << selection.error.toStdString();
  const auto* sim = dynamic_cast<const SimulatedReader*>(selection.reader.get());
  ASSERT_TRUE(sim);
  EXPECT_EQ(sim->sheetsInHopper(), 2);
}

TEST(ReaderSelection, RefusedChoicesSayWhy) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString bad = dir.filePath("bad.deck");
  QFile file(bad);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("sheet\n12 49 9\n");
  file.close();
  const struct {
    QString option;
    QString errorPart;
  } cases[] = {
      {"sim:" + bad, bad + ":2:"},
      {"sim:" + dir.filePath("missing.deck"), "missing.deck"},
      {"sim:", "needs a deck"},
      {"usb", "unknown reader"},
  };
  for (const auto& c : cases) {
    const ReaderSelection selection = ReaderSelection::open(c.option);
    EXPECT_FALSE(selection.reader) << c.option.toStdString();
    EXPECT_TRUE(selection.error.contains(c.errorPart)) << selection.error.toStdString();
  }
}

TEST(ReaderSelection, VendorLibraryByPathEvenWhenItDoesNotLoad) {
  const ReaderSelection selection = ReaderSelection::open("vendor:/no/such/libOMRAPI.so");
  ASSERT_TRUE(selection.reader);
  EXPECT_TRUE(dynamic_cast<VendorOmrApi*>(selection.reader.get()));
  EXPECT_TRUE(selection.description.contains("not loaded"));
}

TEST(ReaderSelection, WithoutAChoiceTheBuiltInSampleDeckStandsIn) {
  // No vendor library is installed on the machines the tests run on.
  const ReaderSelection selection = ReaderSelection::open({});
  ASSERT_TRUE(selection.reader) << selection.error.toStdString();
  const auto* sim = dynamic_cast<const SimulatedReader*>(selection.reader.get());
  ASSERT_TRUE(sim);
  EXPECT_EQ(sim->sheetsInHopper(), 20);
}

}  // namespace
