#pragma once

#include "device/OmrApi.h"
#include "layout/LayoutTable.h"

#include <QList>
#include <QString>

#include <cstdint>

/// The field values that change during a reading run, indexed like the
/// layout's fields (the layout's own table is only what the file says).
struct RunFieldTable {
  struct Entry {
    /// Kind "H": the field's alphabet; kind "D": the value typed at the
    /// start of the run.
    QString FieldFixedText;
    /// The running number of kinds "R" and "T"; every run starts it at "1".
    QString FieldCounter = QStringLiteral("1");
    /// The field's value on the current sheet; kept from sheet to sheet.
    QString FieldValue;
    /// Kind "Ş": the stop value typed at the start of the run.
    QString FieldEntered;

    /// Kinds "R" and "T": the running number for a field `width`
    /// characters wide, and the counter advanced by one. The counter is
    /// read as a whole number, whatever text it holds (" 42" as the start
    /// box offers it, " 7 " as typed), so the value is always digits: its
    /// first `width` digits, or the number padded with "0" on the left. A
    /// negative start counts from 0.
    QString takeRunningNumber(int width);
  };

  /// What the last barcode read left: the reader's buffer and the length it
  /// returned. A run starts with an empty barcode.
  struct Barcode {
    omr::BarcodeBuffer data{};
    std::int16_t length = 0;
  };

  /// One entry per field, field 1 first.
  QList<Entry> entries;
  Barcode barcode;

  /// The table a run starts with for `layout`: counters at "1", and every
  /// field of kind "H" given its alphabet as fixed text.
  static RunFieldTable forLayout(const LayoutTable& layout);

  /// Field `fieldIndex`, counted from 1. Precondition: 1 <= fieldIndex <= entries.size().
  Entry& field(int fieldIndex) { return entries[fieldIndex - 1]; }
  const Entry& field(int fieldIndex) const { return entries[fieldIndex - 1]; }
};
