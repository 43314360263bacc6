#pragma once

#include "layout/BoxDecoderContext.h"
#include "layout/MarkBuffer.h"

#include <QString>

#include <cstdint>

/// The box decoders under the names the program's documents give them, with
/// their parameters: x1, x2 first and last reading line, y1, y2 first and
/// last column, t the darkness threshold, Cozx the field's alphabet, YonuX
/// the direction code, Araligi the step. Each prepares a BoxDecoder and runs
/// it once; the reading run prepares its decoders once per layout instead.
/// A block outside the mark buffer gives empty text.

/// One character for the whole block; the darkest mark wins, "-" positions
/// are never chosen.
QString USB_Kutu_Coz(const omr::MarkBuffer& MarkBuffer, std::int16_t x1, std::int16_t x2, std::int16_t y1,
                     std::int16_t y2, std::int16_t t, const QString& Cozx, const QString& YonuX,
                     std::int16_t Araligi, const BoxDecoderContext& context);

/// The marked characters of the block in scan order, Uzunluklar characters
/// long: padded with blanks, or Uzunluklar copies of the first character of
/// MultiMarkText when more are marked.
QString USB_Kutu_CozIkili(const omr::MarkBuffer& MarkBuffer, std::int16_t x1, std::int16_t x2,
                          std::int16_t y1, std::int16_t y2, std::int16_t t, const QString& Cozx,
                          const QString& YonuX, std::int16_t Araligi, std::int16_t Uzunluklar,
                          const BoxDecoderContext& context);

/// One character per column, its choices down the lines; darkest mark wins.
QString Dikey_Coz(const omr::MarkBuffer& MarkBuffer, std::int16_t x1, std::int16_t x2, std::int16_t y1,
                  std::int16_t y2, std::int16_t t, const QString& Cozx, const QString& YonuX,
                  std::int16_t Araligi, const BoxDecoderContext& context);

/// One character per line, its choices across the columns; darkest mark wins.
QString Yatay_Coz(const omr::MarkBuffer& MarkBuffer, std::int16_t x1, std::int16_t x2, std::int16_t y1,
                  std::int16_t y2, std::int16_t t, const QString& Cozx, const QString& YonuX,
                  std::int16_t Araligi, const BoxDecoderContext& context);

/// Every line's marked characters, a blank for each unmarked position.
QString Coklu_Satir_Coz(const omr::MarkBuffer& MarkBuffer, std::int16_t x1, std::int16_t x2, std::int16_t y1,
                        std::int16_t y2, std::int16_t t, const QString& Cozx, const QString& YonuX,
                        std::int16_t Araligi, const BoxDecoderContext& context);

/// Every column's marked characters, a blank for each unmarked position.
QString Coklu_Sutun_Coz(const omr::MarkBuffer& MarkBuffer, std::int16_t x1, std::int16_t x2, std::int16_t y1,
                        std::int16_t y2, std::int16_t t, const QString& Cozx, const QString& YonuX,
                        const BoxDecoderContext& context);

/// The text with every blank turned into a grave accent, unless it is
/// exactly one character long.
QString Bosluk_Degistir(const QString& text);

/// The text's non-blank characters joined by "," between double quotes, or
/// one blank when it has none.
QString Virgul_Listesi(const QString& text);
