#include "layout/FieldDecoderKind.h"

std::optional<BoxDecoderKind> fieldDecoderKind(const FieldDefinition& field, bool frontSide) {
  const QString& letter = field.FieldDecoder;
  if (letter == u"K")
    return frontSide && field.FieldKind.startsWith(u'F') ? BoxDecoderKind::KutuIkili : BoxDecoderKind::Kutu;
  if (letter == u"T") return BoxDecoderKind::Yatay;
  if (letter == u"H") return BoxDecoderKind::Dikey;
  if (letter == u"C") return BoxDecoderKind::CokluSatir;
  if (letter == u"M") return BoxDecoderKind::CokluSutun;
  return std::nullopt;
}
