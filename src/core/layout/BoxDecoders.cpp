#include "layout/BoxDecoders.h"

#include "layout/BoxDecoder.h"

namespace {

QString decodeOnce(const omr::MarkBuffer& marks, const BoxDecoderInput& input,
                   const BoxDecoderContext& context) {
  return BoxDecoder(input, context).decode(marks);
}

}  // namespace

QString USB_Kutu_Coz(const omr::MarkBuffer& MarkBuffer, std::int16_t x1, std::int16_t x2, std::int16_t y1,
                     std::int16_t y2, std::int16_t t, const QString& Cozx, const QString& YonuX,
                     std::int16_t Araligi, const BoxDecoderContext& context) {
  return decodeOnce(MarkBuffer, {BoxDecoderKind::Kutu, x1, x2, y1, y2, t, Cozx, YonuX, Araligi, 0}, context);
}

QString USB_Kutu_CozIkili(const omr::MarkBuffer& MarkBuffer, std::int16_t x1, std::int16_t x2,
                          std::int16_t y1, std::int16_t y2, std::int16_t t, const QString& Cozx,
                          const QString& YonuX, std::int16_t Araligi, std::int16_t Uzunluklar,
                          const BoxDecoderContext& context) {
  return decodeOnce(
      MarkBuffer, {BoxDecoderKind::KutuIkili, x1, x2, y1, y2, t, Cozx, YonuX, Araligi, Uzunluklar}, context);
}

QString Dikey_Coz(const omr::MarkBuffer& MarkBuffer, std::int16_t x1, std::int16_t x2, std::int16_t y1,
                  std::int16_t y2, std::int16_t t, const QString& Cozx, const QString& YonuX,
                  std::int16_t Araligi, const BoxDecoderContext& context) {
  return decodeOnce(MarkBuffer, {BoxDecoderKind::Dikey, x1, x2, y1, y2, t, Cozx, YonuX, Araligi, 0}, context);
}

QString Yatay_Coz(const omr::MarkBuffer& MarkBuffer, std::int16_t x1, std::int16_t x2, std::int16_t y1,
                  std::int16_t y2, std::int16_t t, const QString& Cozx, const QString& YonuX,
                  std::int16_t Araligi, const BoxDecoderContext& context) {
  return decodeOnce(MarkBuffer, {BoxDecoderKind::Yatay, x1, x2, y1, y2, t, Cozx, YonuX, Araligi, 0}, context);
}

QString Coklu_Satir_Coz(const omr::MarkBuffer& MarkBuffer, std::int16_t x1, std::int16_t x2, std::int16_t y1,
                        std::int16_t y2, std::int16_t t, const QString& Cozx, const QString& YonuX,
                        std::int16_t Araligi, const BoxDecoderContext& context) {
  return decodeOnce(MarkBuffer, {BoxDecoderKind::CokluSatir, x1, x2, y1, y2, t, Cozx, YonuX, Araligi, 0},
                    context);
}

QString Coklu_Sutun_Coz(const omr::MarkBuffer& MarkBuffer, std::int16_t x1, std::int16_t x2, std::int16_t y1,
                        std::int16_t y2, std::int16_t t, const QString& Cozx, const QString& YonuX,
                        const BoxDecoderContext& context) {
  return decodeOnce(MarkBuffer, {BoxDecoderKind::CokluSutun, x1, x2, y1, y2, t, Cozx, YonuX, 0, 0}, context);
}

QString Bosluk_Degistir(const QString& text) {
  if (text.size() == 1) return text;
  QString result = text;
  result.replace(u' ', u'`');
  return result;
}

QString Virgul_Listesi(const QString& text) {
  QString result = text;
  BoxDecoder::quoteAsList(result, 0);
  return result;
}
