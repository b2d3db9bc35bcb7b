#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dm {

// Dates are stored as text ("yyyy-mm-dd", with " hh:mm:ss" when there is a time), so
// that conditions written with ISO dates compare correctly, and travel as days since
// 30 Dec 1899 with the time as the fraction.  Before that day the whole part counts
// backwards and the fraction still counts forwards, as the program's date type has it.

// Empty when the text is not a date (an invalid day, a stray word).
std::optional<double> parse_stored_date(std::string_view text);
// Empty for values outside the years 1 to 9999 and for NaN or infinity.
std::optional<std::string> format_stored_date(double days);

} // namespace dm
