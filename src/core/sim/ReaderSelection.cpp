#include "sim/ReaderSelection.h"

#include "device/VendorOmrApi.h"
#include "sim/DeckParser.h"
#include "sim/SimulatedReader.h"

namespace {

ReaderSelection simulated(const QString& deckPath, const QString& shownName) {
  ReaderSelection selection;
  DeckParser::Result parsed = DeckParser::parseFile(deckPath);
  if (!parsed.ok()) {
    selection.error = parsed.error;
    return selection;
  }
  selection.reader = std::make_unique<SimulatedReader>(std::move(*parsed.deck));
  selection.description = QStringLiteral("simulated reader: %1").arg(shownName);
  return selection;
}

}  // namespace

ReaderSelection ReaderSelection::open(const QString& option) {
  if (option.startsWith(QStringLiteral("sim:"))) {
    const QString deck = option.mid(4);
    if (deck.isEmpty()) return {nullptr, {}, QStringLiteral("--reader sim: needs a deck file (sim:DECK)")};
    return simulated(deck, deck);
  }
  if (option == QStringLiteral("vendor") || option.startsWith(QStringLiteral("vendor:"))) {
    const QString library =
        option.size() > 7 ? option.mid(7) : QString::fromLatin1(VendorOmrApi::kDefaultLibrary);
    auto vendor = std::make_unique<VendorOmrApi>(library);
    // A library that does not load is still the operator's choice: every
    // call then cannot run, and connecting reports that no reader answers.
    ReaderSelection selection;
    selection.description =
        vendor->isLoaded()
            ? QStringLiteral("reader library: %1").arg(library)
            : QStringLiteral("reader library %1 (not loaded: %2)").arg(library, vendor->errorString());
    selection.reader = std::move(vendor);
    return selection;
  }
  if (!option.isEmpty())
    return {
        nullptr, {}, QStringLiteral("unknown reader \"%1\" (use sim:DECK or vendor[:LIBRARY])").arg(option)};

  auto vendor = std::make_unique<VendorOmrApi>();
  if (vendor->isLoaded())
    return {std::move(vendor),
            QStringLiteral("reader library: %1").arg(QString::fromLatin1(VendorOmrApi::kDefaultLibrary)),
            {}};
  return simulated(QString::fromLatin1(kBuiltInDeck), QStringLiteral("built-in sample deck"));
}
