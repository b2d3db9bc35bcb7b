#include "data/glob.h"

#include "text/format_settings.h"
#include "text/number_format.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

const std::array<QString, 10> units = {
    QString(),
    QStringLiteral("Jeden"),
    QStringLiteral("Dva"),
    QStringLiteral("Tři"),
    QStringLiteral("Čtyři"),
    QStringLiteral("Pět"),
    QStringLiteral("Šest"),
    QStringLiteral("Sedm"),
    QStringLiteral("Osm"),
    QStringLiteral("Devět"),
};

const std::array<QString, 10> teens = {
    QStringLiteral("Deset"),      QStringLiteral("Jedenáct"), QStringLiteral("Dvanáct"),
    QStringLiteral("Třináct"),    QStringLiteral("Čtrnáct"),  QStringLiteral("Patnáct"),
    QStringLiteral("Šestnáct"),   QStringLiteral("Sedmnáct"), QStringLiteral("Osmnáct"),
    QStringLiteral("Devatenáct"),
};

const std::array<QString, 10> tens = {
    QString(),
    QString(),
    QStringLiteral("Dvacet"),
    QStringLiteral("Třicet"),
    QStringLiteral("Čtyřicet"),
    QStringLiteral("Padesát"),
    QStringLiteral("Šedesát"),
    QStringLiteral("Sedmdesát"),
    QStringLiteral("Osmdesát"),
    QStringLiteral("Devadesát"),
};

QString below_hundred(int n)
{
    if (n < 10)
        return units[n];
    if (n < 20)
        return teens[n - 10];
    return tens[n / 10] + units[n % 10];
}

// Koruna is feminine: the group that counts the koruny ends in "Jedna" and "Dvě" where a
// thousand or a million would take "Jeden" and "Dva".
QString koruny_below_hundred(int n)
{
    if (n >= 10 && n < 20)
        return teens[n - 10];
    const int ones = n % 10;
    if (ones == 1 || ones == 2)
        return tens[n / 10] + (ones == 1 ? QStringLiteral("Jedna") : QStringLiteral("Dvě"));
    return below_hundred(n);
}

QString hundreds(int digit)
{
    switch (digit) {
    case 0:
        return {};
    case 1:
        return QStringLiteral("JednoSto");
    case 2:
        return QStringLiteral("DvěStě");
    case 3:
    case 4:
        return units[digit] + QStringLiteral("Sta");
    default:
        return units[digit] + QStringLiteral("Set");
    }
}

// A group of thousands or millions (0 to 999) with its order word: one word for 1, the
// "few" form for 2 to 4 and the "many" form for everything else.
QString group(int n, const QString &one, const QString &few, const QString &many)
{
    if (n == 0)
        return {};
    if (n == 1)
        return one;
    if (n < 5)
        return units[n] + few;
    return hundreds(n / 100) + below_hundred(n % 100) + many;
}

} // namespace

QString amount_in_words(double amount)
{
    // The limit applies before the fraction is cut off: 999 999 999,50 is beyond it.
    if (!(amount >= 0) || amount > 999999999)
        return {};
    const int n = static_cast<int>(std::trunc(amount));
    return group(n / 1000000, QStringLiteral("JedenMilion"), QStringLiteral("Miliony"),
                 QStringLiteral("Milionů")) +
           group(n / 1000 % 1000, QStringLiteral("JedenTisíc"), QStringLiteral("Tisíce"),
                 QStringLiteral("Tisíc")) +
           hundreds(n / 100 % 10) + koruny_below_hundred(n % 100);
}

double parse_amount(const QString &text)
{
    QString plain;
    plain.reserve(text.size());
    for (const QChar c : text) {
        if (!c.isSpace())
            plain.append(c);
    }
    const QChar separator = decimal_separator();
    const QChar other = separator == u'.' ? QChar(u',') : QChar(u'.');
    const qsizetype other_at = plain.indexOf(other);
    if (other_at >= 0)
        plain[other_at] = separator;
    if (separator != u'.') {
        if (plain.contains(u'.'))
            return 0;
        plain.replace(separator, u'.');
    }
    if (plain.startsWith(u'+'))
        plain.remove(0, 1);
    const QByteArray bytes = plain.toLatin1();
    double value = 0;
    const auto [end, error] =
        std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), value);
    if (bytes.isEmpty() || error != std::errc() || end != bytes.constData() + bytes.size() ||
        !std::isfinite(value))
        return 0;
    return value;
}

QString format_padded(int width, const QString &format, double number)
{
    return pad_left(format_number(number, format), width);
}

QString pad_left(const QString &text, int width)
{
    return text.rightJustified(width, u' ');
}
