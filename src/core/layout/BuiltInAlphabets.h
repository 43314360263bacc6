#pragma once

#include <QString>

/// The alphabets the box decoders put in place of a field's own alphabet
/// (a single blank, an empty alphabet or a "~" word list), and the word
/// alphabet of the value assembly: a decoded character's word number is its
/// position in the full set, counted from 1.
namespace alphabets {

/// Five choices, A to E.
inline QString fiveChoices() {
  return QStringLiteral("ABCDE");
}

/// The 29 Turkish capitals.
inline QString turkishLetters() {
  return QString::fromUtf8("ABCÇDEFGĞHIİJKLMNOÖPRSŞTUÜVYZ");
}

/// 29 Turkish capitals, 29 Turkish small letters, 10 digits and 12 signs.
inline QString fullSet() {
  return QString::fromUtf8(
      "ABCÇDEFGĞHIİJKLMNOÖPRSŞTUÜVYZabcçdefgğhıijklmnoöprsştuüvyz1234567890!'#+%&/()=-_");
}

}  // namespace alphabets
