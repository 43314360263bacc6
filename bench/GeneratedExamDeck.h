#pragma once

// A deck of random valid sheets of the sample exam, for the benchmarks.

#include "layout/LayoutTable.h"
#include "sim/DeckGenerator.h"

#include <cstdio>
#include <optional>

inline std::optional<Deck> generatedExamDeck(const LayoutTable& layout, int sheets) {
  DeckGenerator generator(layout, {});
  QString error;
  std::optional<Deck> deck = generator.randomDeck(sheets, &error);
  if (!deck) std::fprintf(stderr, "cannot make the deck: %s\n", qPrintable(error));
  return deck;
}
