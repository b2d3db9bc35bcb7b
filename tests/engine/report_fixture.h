#pragma once
// What most engine tests share: templates written inline as JSON, a fixed day and fixed
// number and date formats, whatever the machine's locale.

#include "engine/preparer.h"
#include "engine/report_template.h"

#include <QChar>
#include <QString>
#include <ostream>

ReportTemplate template_from_json(const QByteArray &json);

PrepareOptions fixed_day();

// Czech formats (',' and "d.M.yyyy") for the test's lifetime.
class CzechFormats {
public:
    CzechFormats();
    ~CzechFormats();

private:
    QChar m_separator;
    QString m_date_format;
};

// Readable texts in the failure messages of GoogleTest.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
