#include "layout/LayoutParser.h"
#include "reading/SheetDecoder.h"
#include "sim/DeckParser.h"
#include "sim/DeckValuesParser.h"
#include "sim/SimulatedReader.h"

#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <string>

namespace {

// The sample decks are made from values files that say what each field
// reads. Feeding them through the simulated reader and decoding every sheet
// as the reading run does must give those values back.
struct SampleDeck {
  const char* layout;
  const char* deck;
  const char* values;
};

void PrintTo(const SampleDeck& s, std::ostream* os) {
  *os << s.deck;
}

QString samplePath(const char* name) {
  return QStringLiteral(KORVEL_SAMPLES "/") + QString::fromLatin1(name);
}

QByteArray readSample(const char* name) {
  QFile file(samplePath(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool onlyBlanks(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' '; });
}

class SampleDeckTest : public testing::TestWithParam<SampleDeck> {};

TEST_P(SampleDeckTest, EverySheetDecodesToTheValuesItWasMadeFrom) {
  const LayoutTable layout = ParseLayoutFile(samplePath(GetParam().layout));
  ASSERT_GT(layout.FieldCount, 0);
  const DeckParser::Result deck = DeckParser::parseFile(samplePath(GetParam().deck));
  ASSERT_TRUE(deck.ok()) << deck.error.toStdString();
  const DeckValuesParser::Result made =
      DeckValuesParser::parse(readSample(GetParam().values), layout, QString::fromLatin1(GetParam().values));
  ASSERT_TRUE(made.ok()) << made.error.toStdString();
  ASSERT_EQ(made.sheets.size(), deck.deck->sheets.size());

  const bool backUnit = (deck.deck->equipment & 0x00010000u) != 0;
  SimulatedReader reader(*deck.deck);
  ASSERT_EQ(reader.OMR_OpenDeviceUSB(), 0);
  const SheetDecoder decoder(layout, DecodingSettings{0, 0, false, true});
  RunFieldTable values = RunFieldTable::forLayout(layout);

  for (qsizetype s = 0; s < made.sheets.size(); ++s) {
    const DeckSheetValues& sheet = made.sheets[s];
    SCOPED_TRACE(testing::Message() << "sheet " << s + 1 << " (line " << sheet.sourceLine << ")");
    reader.OMR_FeedSheet();
    omr::MarkRequest request{0, layout.LayoutLineCount, omr::kSheetColumns};
    omr::MarkBuffer front{};
    omr::MarkBuffer back{};
    reader.OMR_GetMarks(0, request, front);
    request.lines = 154;
    if (backUnit) reader.OMR_GetMarks(1, request, back);
    // A barcode made of zeros, or none, drops the sheet.
    bool dropExpected = false;
    for (int i = 1; i <= layout.FieldCount; ++i) {
      const QString barcode = sheet.values.value(i);
      if (layout.field(i).FieldKind.left(1).toUpper() == u"A" &&
          std::all_of(barcode.begin(), barcode.end(), [](QChar c) { return c == u'0'; }))
        dropExpected = true;
    }
    QString Text6;
    ASSERT_EQ(decoder.decode(front, backUnit ? &back : nullptr, values, Text6, &reader), dropExpected);
    if (dropExpected) continue;

    for (int i = 1; i <= layout.FieldCount; ++i) {
      const FieldDefinition& field = layout.field(i);
      const QString kind = field.FieldKind.left(1).toUpper();
      if (kind == u"D" || kind == u"R" || kind == u"H") continue;  // not read from marks
      if (sheet.doubled.contains(i)) continue;                     // a tie, whatever the value
      const QString& decoded = values.field(i).FieldValue;
      if (!sheet.values.contains(i) || sheet.light.contains(i)) {
        EXPECT_TRUE(onlyBlanks(decoded)) << "field " << i << " reads \"" << decoded.toStdString() << '"';
        continue;
      }
      // A value file leaves out the blanks at the end of a field.
      QString expected = sheet.values.value(i);
      if (expected.size() < decoded.size()) expected.resize(decoded.size(), u' ');
      EXPECT_EQ(decoded, expected) << "field " << i;
    }
  }
}

// clang-format off
const SampleDeck kSampleDecks[] = {
  {"exam.omrf", "exam-clean.deck", "exam-clean.values"},
  {"exam.omrf", "exam-faults.deck", "exam-faults.values"},
  {"questionnaire.omrf", "questionnaire.deck", "questionnaire.values"},
  {"registration.omrf", "registration.deck", "registration.values"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Samples, SampleDeckTest, testing::ValuesIn(kSampleDecks), [](const auto& test) {
  std::string name = test.param.deck;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
});

}  // namespace
