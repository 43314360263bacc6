#pragma once

#include "sim/DeckSheet.h"

#include <QList>
#include <QString>

#include <cstdint>

/// A simulated reader and the stack of sheets in its hopper, as a deck file
/// describes them.
struct Deck {
  /// The model name a deck gets when it names none.
  static QString defaultModel() { return QStringLiteral("SR-SIMULATOR"); }
  /// The reader returns at most this many bytes of model name.
  static constexpr int kMaxModelBytes = 16;

  /// Model name returned by OMR_GetMachineName; code page 1254, at most 16 bytes.
  QString model = defaultModel();
  /// Equipment word returned by OMR_GetDeviceInfo.
  std::uint32_t equipment = 0;
  /// True when OMR_OpenDeviceUSB never succeeds.
  bool openFails = false;
  /// Status OMR_GetStatus reports before the first feed.
  std::uint32_t connectStatus = 0;
  /// The hopper, first sheet fed first.
  QList<DeckSheet> sheets;

  friend bool operator==(const Deck&, const Deck&) = default;
};
