// Feeds arbitrary values files to the deck generator. Input that holds a
// line "---" brings its own layout before that line; other input is read
// against a built-in layout with a field of every decoder. Whatever the
// values, the generator either names a problem or makes sheets whose marks
// lie on the sheet and whose deck text reads back equal.
#include "common/AnsiCodec.h"
#include "layout/LayoutParser.h"
#include "sim/DeckGenerator.h"
#include "sim/DeckParser.h"
#include "sim/DeckValuesParser.h"
#include "sim/DeckWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

const char kBuiltInLayout[] =
    "40=48=8=N=*= =\r\n"
    "01=10=01=03=00=D=0123456789=G=NO=No=\r\n"
    "12=12=05=09=00=Y=ABCDE==Q1=Q1=\r\n"
    "14=14=10=16=00=Y1=ABCD=W=BOOK=Book=\r\n"
    "16=17=01=05=00=K=ABCDEFGHIJ==BOX=Box=\r\n"
    "19=19=01=06=00=Y=ABCDEF=C=TOPICS=Topics=\r\n"
    "21=26=01=01=00=D=ABCDEF=J=HEARD=Heard=\r\n"
    "28=28=01=02=00=Y=Evet~Hay\xFDr~=Y=AGREE=Agree=\r\n"
    "30=31=01=03=00=K=ABCDEF=F=PAIR=Pair=\r\n"
    "33=36=01=02=00=D= ABC=Y=NAME=Name=\r\n"
    "38=38=01=05=00=D= =D=TERM=Term=\r\n"
    "39=40=10=12=00=Y=Iyi~Orta~Kotu~=C=RATE=Rate=\r\n"
    "20=23=30=37=00=K1=ABCDEFG-=F1=ODDBOX=Odd box=\r\n"
    "/05=05=01=05=00=Y=ABCDE=Y3=B1=Back=\r\n"
    "07=16=01=01=00=D=0123456789\x80-=T2=B2=Back digit=\r\n"
    "03=03=20=31=00=D= =A=CODE=Barcode=\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QByteArray layoutBytes(kBuiltInLayout);
  QByteArray values = input;
  const qsizetype separator = input.indexOf("\n---\n");
  if (separator >= 0) {
    layoutBytes = input.left(separator);
    values = input.sliced(separator + 5);
  }
  const LayoutTable layout = ParseLayoutBytes(layoutBytes);
  const DeckValuesParser::Result parsed =
      DeckValuesParser::parse(values, layout, QStringLiteral("fuzz.values"));
  if (!parsed.ok()) {
    require(parsed.sheets.isEmpty() && parsed.errorLine >= 1);
    return 0;
  }
  DeckGenerator::Options options;
  options.noiseLevel = size % 4;
  options.seed = static_cast<quint32>(size);
  options.duplexSheet = size % 2 == 0;
  DeckGenerator generator(layout, options);
  QString error;
  int errorSheet = -1;
  const auto deck = generator.deck(parsed.sheets, -1, &error, &errorSheet);
  if (!deck) {
    require(!error.isEmpty());
    require(generator.problem().isEmpty() ? errorSheet >= 0 && errorSheet < parsed.sheets.size() : true);
  } else {
    require(deck->sheets.size() == parsed.sheets.size());
    const DeckParser::Result again =
        DeckParser::parse(DeckWriter::write(*deck), QStringLiteral("again.deck"));
    require(again.ok() && *again.deck == *deck);
  }
  // Random values must always be markable.
  if (generator.problem().isEmpty()) require(generator.randomDeck(2, &error).has_value());
  return 0;
}
