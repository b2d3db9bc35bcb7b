#include "report_fixture.h"

#include "engine/template_loader.h"
#include "text/format_settings.h"

ReportTemplate template_from_json(const QByteArray &json)
{
    return parse_template(json, QStringLiteral(TALLYRA_ENGINE_TEMPLATES));
}

PrepareOptions fixed_day()
{
    return PrepareOptions{QDate(2026, 3, 14)};
}

CzechFormats::CzechFormats() : m_separator(decimal_separator()), m_date_format(short_date_format())
{
    set_decimal_separator(u',');
    set_short_date_format(QStringLiteral("d.M.yyyy"));
}

CzechFormats::~CzechFormats()
{
    set_decimal_separator(m_separator);
    set_short_date_format(m_date_format);
}
