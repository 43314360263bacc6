// Feeds arbitrary bytes to the deck parser. A deck that is read must hold
// only what a reader can report, write back to the same deck, and run
// through the simulated reader; a deck that is refused must say where.
#include "common/AnsiCodec.h"
#include "sim/DeckParser.h"
#include "sim/DeckWriter.h"
#include "sim/SimulatedReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

void checkMarks(const QList<DeckSheet::Mark>& marks) {
  for (qsizetype i = 0; i < marks.size(); ++i) {
    const DeckSheet::Mark& mark = marks[i];
    require(mark.line >= 1 && mark.line <= omr::kSheetLines);
    require(mark.column >= 1 && mark.column <= omr::kSheetColumns);
    require(mark.darkness > 0);
    if (i > 0) {
      const DeckSheet::Mark& before = marks[i - 1];
      require(before.line < mark.line || (before.line == mark.line && before.column < mark.column));
    }
  }
}

void runThrough(const Deck& deck) {
  SimulatedReader reader(deck);
  require(reader.OMR_OpenDeviceUSB() == (deck.openFails ? SimulatedReader::kOpenFailed : 0));
  omr::MarkBuffer marks{};
  for (qsizetype i = 0; i <= deck.sheets.size(); ++i) {
    reader.OMR_FeedSheet();
    for (const std::int16_t side : {std::int16_t{0}, std::int16_t{1}}) {
      omr::MarkRequest request;
      request.lines = 62;
      reader.OMR_GetMarks(side, request, marks);
      require(request.lines >= 0 && request.lines <= omr::kSheetLines);
    }
    omr::BarcodeRecord record;
    std::int16_t length = 16;
    std::int16_t second = 16;
    omr::BarcodeBuffer data{};
    reader.OMR_GetBarcodeData(1, record, length, second, data);
    require(length >= 0 && length <= DeckSheet::kMaxBarcodeLength);
    reader.OMR_EjectSheet(2);
  }
  if (!deck.openFails)
    require(reader.OMR_GetStatus() == static_cast<std::int32_t>(SimulatedReader::kTrayEmpty));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const DeckParser::Result result = DeckParser::parse(bytes, QStringLiteral("fuzz.deck"));
  if (!result.ok()) {
    require(result.errorLine >= 1);
    require(result.error.startsWith(QStringLiteral("fuzz.deck:%1: ").arg(result.errorLine)));
    return 0;
  }
  require(result.error.isEmpty());
  const Deck& deck = *result.deck;
  require(!deck.model.isEmpty() && ansi::encode(deck.model).size() <= Deck::kMaxModelBytes);
  for (const DeckSheet& sheet : deck.sheets) {
    checkMarks(sheet.front);
    checkMarks(sheet.back);
    require(sheet.barcode.size() <= DeckSheet::kMaxBarcodeLength);
    for (const auto& lines : {sheet.lines, sheet.backLines})
      require(!lines || (*lines >= 0 && *lines <= omr::kSheetLines));
  }
  const DeckParser::Result again = DeckParser::parse(DeckWriter::write(deck), QStringLiteral("again.deck"));
  require(again.ok() && *again.deck == deck);
  runThrough(deck);
  return 0;
}
