#pragma once

#include <string>
#include <string_view>

// Numbers in files are always written and read in the C locale, whatever the user's locale:
// a German locale must never turn 38353.75 into "38353,750000".

/// "%d" of a 32-bit integer.
std::string FormatInt(long long value);
/// "%f" of a single-precision value: the value is first rounded to float, then printed with
/// six decimals ("38353.750000").
std::string FormatFloat(float value);
/// "%f" of a double with six decimals.
std::string FormatDouble(double value);
/// "%e": one digit, six decimals, exponent with sign and at least two digits ("3.835375e+04").
std::string FormatExp(double value);
/// C atoi: optional blanks, optional sign, decimal digits; stops at the first other character;
/// no digits gives 0; out-of-range values behave as glibc's atoi (strtol, then cut to 32 bits).
int ParseInt(std::string_view text);
/// C atof: optional blanks, then the longest prefix that is a decimal or exponent number
/// (also "inf"/"nan" forms); nothing readable gives 0.0.
double ParseDouble(std::string_view text);
