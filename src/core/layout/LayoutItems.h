#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>

/// How a line of a layout file is cut into items, shared by the parse and
/// the preview so both read a line alike.
namespace layout_items {

/// The items of one line. Item k is the text after the (k-1)-th "=" up to
/// the k-th "=", or up to the end of the line when the line has no k-th "=";
/// items past the end of the line are empty. The tail is what follows the
/// last counted "=", and is empty when the line does not have that many.
template <int Count>
struct LineItems {
  std::array<QStringView, Count> items;
  QStringView tail;
};

template <int Count>
LineItems<Count> split(QStringView line) {
  LineItems<Count> result;
  qsizetype start = 0;
  bool complete = true;
  for (auto& item : result.items) {
    const qsizetype end = line.indexOf(u'=', start);
    if (end < 0) {
      item = line.sliced(start);
      complete = false;
      break;
    }
    item = line.sliced(start, end - start);
    start = end + 1;
  }
  if (complete) result.tail = line.sliced(start);
  return result;
}

/// A number of a 16-bit member; a value beyond its range is clamped into
/// it, never wrapped.
std::int16_t int16Value(double value);

/// The leading number of an item (0 when it has no digits) as a 16-bit
/// member keeps it.
std::int16_t int16Item(QStringView item);

/// Header item 3 as the layout keeps it: the darkness threshold, brought
/// into 0..32767, written in upper-case hexadecimal digits ("12" -> "C").
QString thresholdHex(QStringView item);

}  // namespace layout_items
