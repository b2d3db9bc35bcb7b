#include "text/format_settings.h"

#include <QLocale>
#include <charconv>
#include <cmath>

namespace {

struct FormatSettings {
    QChar decimal_separator;
    QString short_date_format;
};

// Two-digit years would make ten years of records ambiguous, so a locale's "yy" is widened.
QString with_full_year(QString format)
{
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

FormatSettings system_formats()
{
    const QLocale locale = QLocale::system();
    // The C locale means no locale was configured; the program's home formats serve then.
    if (locale.language() == QLocale::Czech || locale.language() == QLocale::C)
        return {u',', QStringLiteral("d.M.yyyy")};
    const QString point = locale.decimalPoint();
    return {point.size() == 1 ? point.at(0) : QChar(u','),
            with_full_year(locale.dateFormat(QLocale::ShortFormat))};
}

FormatSettings &formats()
{
    static FormatSettings settings = system_formats();
    return settings;
}

} // namespace

QChar decimal_separator()
{
    return formats().decimal_separator;
}

void set_decimal_separator(QChar separator)
{
    formats().decimal_separator = separator;
}

QString short_date_format()
{
    return formats().short_date_format;
}

void set_short_date_format(const QString &format)
{
    formats().short_date_format = format;
}

DecimalPointGuard::DecimalPointGuard() : m_saved(decimal_separator())
{
    set_decimal_separator(u'.');
}

DecimalPointGuard::~DecimalPointGuard()
{
    set_decimal_separator(m_saved);
}

QString format_short_date(const QDate &date)
{
    if (!date.isValid())
        return {};
    // Lists show the same date row after row, and formatting through the calendar is slow;
    // the program formats in one thread.
    static QDate last_date;
    static QString last_format;
    static QString last_text;
    const QString &format = short_date_format();
    if (date != last_date || format != last_format) {
        last_text = date.toString(format);
        last_date = date;
        last_format = format;
    }
    return last_text;
}

QDate parse_short_date(const QString &text)
{
    return QDate::fromString(text.trimmed(), short_date_format());
}

QString sql_date(const QDate &date)
{
    if (!date.isValid())
        return {};
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString sql_number(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("NULL");
    if (value == 0)
        return QStringLiteral("0");
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

bool is_sql_identifier(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (!((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9') ||
              u == u'_'))
            return false;
    }
    return true;
}

QString sql_quote(const QString &text)
{
    QString quoted = text;
    quoted.replace(u'\'', QLatin1String("''"));
    return u'\'' + quoted + u'\'';
}
