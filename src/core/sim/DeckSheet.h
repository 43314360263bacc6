#pragma once

#include "device/OmrApi.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <optional>

/// One sheet in a simulated reader's hopper: what the reader reports when it
/// feeds and reads the sheet.
struct DeckSheet {
  /// The two sides, numbered as OMR_GetMarks numbers them.
  enum Side : int { kFront = 0, kBack = 1 };

  /// A position with a darkness above 0, lines and columns counted from 1.
  struct Mark {
    std::int16_t line = 0;
    std::int16_t column = 0;
    std::uint8_t darkness = 0;

    friend bool operator==(const Mark&, const Mark&) = default;
  };

  /// The longest barcode the reader's 17-byte buffer returns (16 characters
  /// and a terminating zero).
  static constexpr int kMaxBarcodeLength = 16;

  /// Status OMR_GetStatus reports after this sheet's feed.
  std::uint32_t status = 0;
  /// Line counts the front and back reads report; empty: the count asked for.
  std::optional<std::int32_t> lines;
  std::optional<std::int32_t> backLines;
  /// Characters OMR_GetBarcodeData returns; empty when the sheet has none.
  QByteArray barcode;
  /// Each side's marks, ordered by line then column, one per position, none
  /// of darkness 0.
  QList<Mark> front;
  QList<Mark> back;

  const QList<Mark>& marks(Side side) const { return side == kBack ? back : front; }

  /// The side as the reader delivers it: lines 1 to `lineCount` (clamped to
  /// 0-155) carry the side's marks, every other byte is 0.
  omr::MarkBuffer markBuffer(Side side, int lineCount = omr::kSheetLines) const;

  /// The marks of a whole side, in the order a sheet keeps them.
  static QList<Mark> marksFrom(const omr::MarkBuffer& buffer);

  friend bool operator==(const DeckSheet&, const DeckSheet&) = default;
};
