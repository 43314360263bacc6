#pragma once

#include "layout/BoxDecoderInput.h"
#include "layout/FieldDefinition.h"

#include <optional>

/// The decoder a field's marks go through, from its decoder letter: "K" a
/// box (a two-mark box for kind "F" on the front side), "T" lines, "H"
/// columns, "C" and "M" every mark line by line or column by column.
/// Nothing for any other letter.
std::optional<BoxDecoderKind> fieldDecoderKind(const FieldDefinition& field, bool frontSide);
