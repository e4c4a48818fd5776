// Field text to number and back, with the one process-wide decimal separator.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "extended/soft_extended.h"

namespace costmodel {

// Reads a field text; throws ConversionError or OverflowError.
double TextToNumber(std::string_view utf8Text);

// Display text of a finite value: at most 15 significant digits.
std::string NumberToText(double value);

char DecimalSeparator();
void SetDecimalSeparator(char separator);
// A separator string from a locale: one byte is taken as it is, anything else gives ".".
void SetDecimalSeparatorFrom(std::string_view separator);
// Reads the user's decimal symbol: the numeric locale of the environment (LC_ALL, LC_NUMERIC,
// LANG) on POSIX systems, the user's default locale on Windows.
void LoadDecimalSeparatorFromEnvironment();

// The extended powers of ten the reader scales by: 10^0..10^31, 10^32..10^480 in steps of
// 32, 10^512..10^4608 in steps of 512. Exposed so they can be checked against the C library.
std::span<const ExtendedBits> ScaleUnits();
std::span<const ExtendedBits> ScaleThirtyTwos();
std::span<const ExtendedBits> ScaleFiveTwelves();

}  // namespace costmodel
