#pragma once

#include <array>
#include <cstdint>

namespace omr {

/// The darkness grid of one side of a sheet: reading lines along the feed,
/// columns across.
inline constexpr int kSheetLines = 155;
inline constexpr int kSheetColumns = 48;
inline constexpr int kMarkBufferSize = kSheetLines * kSheetColumns;  // 7440

/// One darkness byte per position, 155 lines of 48 columns, line-major;
/// larger is darker.
using MarkBuffer = std::array<std::uint8_t, kMarkBufferSize>;

}  // namespace omr
