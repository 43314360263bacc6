#pragma once

#include "device/OmrApi.h"
#include "layout/LayoutTable.h"
#include "reading/DecodingSettings.h"
#include "reading/FieldDecoding.h"
#include "reading/RunFieldTable.h"
#include "reading/ValueAssembly.h"

#include <QString>

/// Decoding of one whole sheet, prepared once per layout and settings: the
/// front pass, the back pass when the back side was read, and the assembly.
///
/// When the back side is read and the layout has back-side fields, the
/// front pass stops before the first of them and the back pass takes them;
/// otherwise every field comes from the front.
class SheetDecoder {
 public:
  SheetDecoder(const LayoutTable& layout, const DecodingSettings& settings);

  /// Decodes `front` and, when not null, `back` into `values`, then
  /// assembles them, appending the display text to `Text6`. Returns true
  /// when the sheet is dropped (a barcode of zeros). `reader` serves the
  /// barcode fields and may be null.
  bool decode(const omr::MarkBuffer& front, const omr::MarkBuffer* back, RunFieldTable& values,
              QString& Text6, OmrApi* reader) const;

  const FieldDecoding& passes() const { return m_passes; }
  const ValueAssembly& assembly() const { return m_assembly; }

 private:
  int m_fieldCount = 0;
  int m_firstBackField = 0;
  FieldDecoding m_passes;
  ValueAssembly m_assembly;
};
