// The program's number rules in one place: 16/32-bit integers that overflow instead of
// wrapping, floor and round-half-to-even conversions, float32 rounding, and the lenient
// reading and the writing of number texts.
#pragma once
#include <cstdint>
#include <optional>

#include "core/text.h"

namespace orv::num {

// Reads a whole text as a number: blanks around it, a sign, a decimal fraction and an
// exponent are accepted. nullopt when the text is not a number (or not finite).
std::optional<double> ParseNumber(TextView text);

// Reads as much of a number as the text starts with, skipping blanks, tabs and line
// feeds wherever they stand; 0 when it starts with no number.
double ReadLeadingNumber(TextView text);

double RoundHalfEven(double value);

// Conversions that fail (nullopt) when the result does not fit the integer type.
std::optional<int16_t> RoundToInt16(double value);
std::optional<int32_t> RoundToInt32(double value);
std::optional<int16_t> FloorToInt16(double value);
std::optional<int32_t> FloorToInt32(double value);

// 16-bit arithmetic that reports overflow.
std::optional<int16_t> Add16(int16_t a, int16_t b);

// Rounds a double to the nearest 32-bit float, as stored fragment values are.
inline float Single(double value) { return static_cast<float>(value); }

// A number as the settings file stores it: one leading blank when not negative.
Text FormatNumber(int64_t value);

}  // namespace orv::num
