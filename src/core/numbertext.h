// Field text to number and back, with the one process-wide decimal separator.
#pragma once

#include <string>
#include <string_view>

namespace costmodel {

// Reads a field text; throws ConversionError or OverflowError.
double TextToNumber(std::string_view utf8Text);

// Display text of a finite value: at most 15 significant digits.
std::string NumberToText(double value);

char DecimalSeparator();
void SetDecimalSeparator(char separator);
// A separator string from a locale: one byte is taken as it is, anything else gives ".".
void SetDecimalSeparatorFrom(std::string_view separator);
// Reads the user's numeric locale from the environment (LC_ALL, LC_NUMERIC, LANG).
void LoadDecimalSeparatorFromEnvironment();

}  // namespace costmodel
