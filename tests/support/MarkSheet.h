#pragma once

// A mark buffer for tests, built by setting darkness at line/column.

#include "layout/MarkBuffer.h"

#include <cstdint>
#include <initializer_list>

struct Mark {
  int line;
  int column;
  int darkness;
};

struct MarkSheet {
  omr::MarkBuffer marks{};

  MarkSheet() = default;
  MarkSheet(std::initializer_list<Mark> list) {
    for (const Mark& m : list) set(m.line, m.column, m.darkness);
  }

  // Lines 1..155, columns 1..48, as the layout counts them.
  MarkSheet& set(int line, int column, int darkness) {
    marks.at(static_cast<std::size_t>((line - 1) * omr::kSheetColumns + (column - 1))) =
        static_cast<std::uint8_t>(darkness);
    return *this;
  }
};
