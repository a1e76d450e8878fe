#include "Numeric.h"

#include <QLocale>

namespace {

bool isIgnoredBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

double numericValue(const QString& text)
{
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text) {
        if (!isIgnoredBlank(c))
            compact.append(c);
    }

    qsizetype i = 0;
    QString number;
    if (i < compact.size() && (compact[i] == u'+' || compact[i] == u'-'))
        number.append(compact[i++]);
    bool anyDigit = false;
    while (i < compact.size() && isAsciiDigit(compact[i])) {
        number.append(compact[i++]);
        anyDigit = true;
    }
    if (i < compact.size() && compact[i] == u'.') {
        number.append(u'.');
        ++i;
        while (i < compact.size() && isAsciiDigit(compact[i])) {
            number.append(compact[i++]);
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0.0;
    // A bare "5." is valid for toDouble only with a digit after the point.
    if (number.endsWith(u'.'))
        number.chop(1);
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0.0;
}

bool isNumericText(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        ++i;
        while (i < t.size() && t[i] == u' ')
            ++i;
    }
    bool anyDigit = false;
    while (i < t.size() && isAsciiDigit(t[i])) {
        ++i;
        anyDigit = true;
    }
    if (i < t.size() && t[i] == u'.') {
        ++i;
        while (i < t.size() && isAsciiDigit(t[i])) {
            ++i;
            anyDigit = true;
        }
    }
    return anyDigit && i == t.size();
}

QString shortestDecimal(double value)
{
    if (value == 0.0)
        return QStringLiteral("0"); // never "-0"
    return QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
}
