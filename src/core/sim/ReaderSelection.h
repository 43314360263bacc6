#pragma once

#include "device/OmrApi.h"

#include <QString>

#include <memory>

/// Chooses and opens the reader the program drives, from the command line's
/// reader option:
///
///     sim:DECK          the simulated reader loaded with the deck file DECK
///     vendor            the vendor's library, found where libraries are
///     vendor:LIBRARY    the vendor's library at LIBRARY
///     (empty)           the vendor's library when it loads, else the
///                       simulated reader with the built-in sample deck
struct ReaderSelection {
  std::unique_ptr<OmrApi> reader;  ///< null when the choice could not be opened
  QString description;             ///< what was chosen, for the operator ("simulated reader: x.deck")
  QString error;                   ///< why nothing was opened

  static ReaderSelection open(const QString& option);

  /// The sample deck built into the program (the sample exam's clean stack).
  static constexpr const char* kBuiltInDeck = ":/korvel/samples/exam-clean.deck";
};
