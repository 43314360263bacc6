#include "reading/FieldDecoding.h"

#include "common/NumericText.h"
#include "layout/FieldDecoderKind.h"

#include <algorithm>
#include <optional>

namespace {

int hexDigit(QChar c) {
  if (c >= u'0' && c <= u'9') return c.unicode() - u'0';
  if (c >= u'A' && c <= u'F') return c.unicode() - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c.unicode() - u'a' + 10;
  return -1;
}

// Cut to `width` characters, or filled up to it on the right with blanks.
void fitWithBlanks(const QString& text, int width, QString& result) {
  result = text.left(width);
  if (result.size() < width) result.resize(width, u' ');
}

}  // namespace

std::int16_t thresholdFromHex(const QString& ThresholdHex) {
  constexpr int kLargest = 32767;
  int value = 0;
  for (QChar c : ThresholdHex) {
    if (c == u' ' || c == u'\t' || c == u'\n') continue;
    const int digit = hexDigit(c);
    if (digit < 0) break;
    value = std::min(value * 16 + digit, kLargest + 1);
  }
  return static_cast<std::int16_t>(std::min(value, kLargest));
}

FieldDecoding::FieldDecoding(const LayoutTable& layout, const DecodingSettings& settings)
    : m_barcodeEnabled(settings.BarcodeEnabled) {
  const std::int16_t threshold = thresholdFromHex(layout.ThresholdHex);
  BoxDecoderContext context;
  context.LayoutTurn = layout.LayoutTurn;
  context.MultiMarkText = layout.MultiMarkText;
  context.BlankText = layout.BlankText;
  context.UseDarknessLimit = settings.UseDarknessLimit;
  context.DarknessUpperLimit = settings.DarknessUpperLimit;
  context.DuplexSheet = settings.DuplexSheet;

  const omr::MarkBuffer unmarkedSide{};
  m_fields.resize(static_cast<std::size_t>(layout.fields.size()));
  for (qsizetype i = 0; i < layout.fields.size(); ++i) {
    const FieldDefinition& definition = layout.fields[i];
    Field& field = m_fields[static_cast<std::size_t>(i)];
    field.charCount = std::max(definition.FieldCharCount, 0);

    // Each field is decoded with its own kind letter, on either side.
    context.kindLetter = definition.FieldKind.left(1);
    BoxDecoderInput input;
    input.x1 = definition.FieldLineFrom;
    input.x2 = definition.FieldLineTo;
    input.y1 = definition.FieldColFrom;
    input.y2 = definition.FieldColTo;
    input.t = threshold;
    input.Cozx = definition.FieldAlphabet;
    input.YonuX = definition.FieldKind.mid(1, 1);
    input.Araligi = definition.FieldStep;
    input.Uzunluklar = static_cast<std::int16_t>(
        numeric::clampedInt(numeric::leadingValue(definition.FieldSubLength), 0, 32767));

    const std::optional<BoxDecoderKind> frontKind = fieldDecoderKind(definition, true);
    const std::optional<BoxDecoderKind> backKind = fieldDecoderKind(definition, false);
    if (frontKind) {
      input.kind = *frontKind;
      field.frontDecoder = BoxDecoder(input, context);
    }
    if (backKind == frontKind) {
      field.backDecoder = field.frontDecoder;
    } else if (backKind) {
      input.kind = *backKind;
      field.backDecoder = BoxDecoder(input, context);
    }
    const Source decoded = frontKind ? Source::Decoder : Source::Nothing;

    const QString kind = definition.FieldKind.left(1).toUpper();
    field.front = kind == u"D"   ? Source::FixedValue
                  : kind == u"R" ? Source::RunningNumber
                  : kind == u"H" ? Source::Constant
                  : kind == u"A" ? Source::Barcode
                                 : decoded;
    field.back = kind == u"D" ? Source::FixedValue : kind == u"H" ? Source::Constant : decoded;

    // The assembly maps every character of a word-list field to a word of
    // the list's width; a barcode field's value is the barcode's.
    if (field.back == Source::Decoder && kind != u"A") {
      const int unmarked = static_cast<int>(field.backDecoder.decode(unmarkedSide).size());
      const int wordWidth =
          definition.FieldAlphabet.contains(u'~')
              ? numeric::clampedInt(numeric::leadingValue(definition.FieldWordWidth), 0, 32767)
              : 1;
      field.unreadWidth = unmarked * wordWidth;
    }
  }
}

void FieldDecoding::frontPass(const omr::MarkBuffer& marks, RunFieldTable& values, int lastField,
                              OmrApi* reader) const {
  const int last = std::min({lastField, fieldCount(), static_cast<int>(values.entries.size())});
  for (int i = 1; i <= last; ++i) {
    const Field& field = m_fields[static_cast<std::size_t>(i - 1)];
    RunFieldTable::Entry& entry = values.field(i);
    switch (field.front) {
      case Source::FixedValue:
        fitWithBlanks(entry.FieldFixedText, field.charCount, entry.FieldValue);
        break;
      case Source::RunningNumber:
        entry.FieldValue = entry.takeRunningNumber(field.charCount);
        break;
      case Source::Constant:
        entry.FieldValue = entry.FieldFixedText;
        break;
      case Source::Barcode:
        readBarcode(field, values, reader);
        break;
      case Source::Decoder:
        field.frontDecoder.decode(marks, entry.FieldValue);
        break;
      case Source::Nothing:
        break;
    }
  }
}

void FieldDecoding::backPass(const omr::MarkBuffer& marks, RunFieldTable& values, int firstField) const {
  const int last = std::min(fieldCount(), static_cast<int>(values.entries.size()));
  for (int i = std::max(firstField, 1); i <= last; ++i) {
    const Field& field = m_fields[static_cast<std::size_t>(i - 1)];
    RunFieldTable::Entry& entry = values.field(i);
    switch (field.back) {
      case Source::FixedValue:
        fitWithBlanks(entry.FieldFixedText, field.charCount, entry.FieldValue);
        break;
      case Source::Constant:
        entry.FieldValue = entry.FieldFixedText;
        break;
      case Source::Decoder:
        field.backDecoder.decode(marks, entry.FieldValue);
        break;
      case Source::RunningNumber:
      case Source::Barcode:
      case Source::Nothing:
        break;
    }
  }
}

void FieldDecoding::unreadBackPass(RunFieldTable& values, int firstField) const {
  const int last = std::min(fieldCount(), static_cast<int>(values.entries.size()));
  for (int i = std::max(firstField, 1); i <= last; ++i) {
    const Field& field = m_fields[static_cast<std::size_t>(i - 1)];
    RunFieldTable::Entry& entry = values.field(i);
    if (field.back == Source::FixedValue)
      fitWithBlanks(entry.FieldFixedText, field.charCount, entry.FieldValue);
    else if (field.back == Source::Constant)
      entry.FieldValue = entry.FieldFixedText;
    else
      entry.FieldValue.clear();
  }
}

void FieldDecoding::blankUnreadBackFields(RunFieldTable& values, int firstField) const {
  const int last = std::min(fieldCount(), static_cast<int>(values.entries.size()));
  for (int i = std::max(firstField, 1); i <= last; ++i) {
    const int width = m_fields[static_cast<std::size_t>(i - 1)].unreadWidth;
    if (width >= 0) values.field(i).FieldValue = QString(width, u' ');
  }
}

void FieldDecoding::readBarcode(const Field& field, RunFieldTable& values, OmrApi* reader) const {
  if (!m_barcodeEnabled) return;
  RunFieldTable::Barcode& barcode = values.barcode;
  if (reader == nullptr) {
    barcode.length = 0;  // no reader, nothing read
    return;
  }
  std::int16_t first = 1;
  std::int16_t second = 1;
  reader->OMR_GetBarcodeInfo(first, second);
  barcode.length = static_cast<std::int16_t>(std::min(field.charCount, 32767));
  std::fill_n(barcode.data.begin(), std::min<std::size_t>(barcode.length, barcode.data.size()), 0);
  omr::BarcodeRecord record;
  record.kind[0] = 'e';
  std::int16_t secondLength = 0;
  reader->OMR_GetBarcodeData(1, record, barcode.length, secondLength, barcode.data);
}
