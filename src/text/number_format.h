#pragma once
// The one number formatter of display formats such as "### ##0.00", "#,##0.00 Kč",
// "########.##" or "0.0#":
//   0  a digit that is always written
//   #  a digit written only when significant
//   .  the decimal separator (the first one; written as the process-wide separator)
//   ,  turns on grouping of the integer digits by three, separated by a plain space (which
//      prints and exports to PDF unchanged); never written itself
//   any other character is written as it stands.
// At least one integer digit is always written, so 0 is never an empty text.  A literal
// between digit positions is written only when a digit left of it is written ("### ##0.00"
// of 5 is "5,00"); literals before the first and after the last digit position always are.
// When spaces stand between the integer digit positions, the digits the format has no
// place for are grouped by three with spaces too ("### ##0.00" of 1234567 is "1 234 567,00").
// A minus sign stands right before the first written digit and only when some written
// digit is not zero.  The last written decimal is rounded half away from zero on the
// shortest decimal text of the double, so 2.675 with two decimals is "2,68".
// An empty format writes the shortest decimal text that reads back as the same double.

#include <QString>

QString format_number(double value, const QString &format);
