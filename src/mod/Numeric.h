#pragma once

#include <QString>

// The two ways the program reads numbers out of free text. Both follow the
// rules the mod loader's own tools always used, so files written by them and
// by this program agree.

// The value of a text: blanks, tabs and line feeds are ignored wherever they
// stand, and the decimal number at the start of what remains (optional sign,
// digits, optional fraction) is the value. No leading number gives 0.
// "1 2" reads as 12, "3 stars" as 3, "abc" as 0.
double numericValue(const QString& text);

// Whether the whole text reads as a number: optional blanks around it, an
// optional sign, digits with an optional decimal part. The empty text is not
// numeric.
bool isNumericText(const QString& text);

// The shortest decimal text of a number, without exponent ("-1", "0", "1.5").
QString shortestDecimal(double value);
