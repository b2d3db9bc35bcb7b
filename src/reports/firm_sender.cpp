#include "reports/firm_sender.h"

#include "data/db_api.h"
#include "platform/mail/mail.h"

#include <QRegularExpression>

QString first_mail_address(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,;:<>()\\[\\]\"]+"));
    for (QString word : text.split(separators, Qt::SkipEmptyParts)) {
        // A sentence may end right after the address.
        while (word.endsWith(u'.'))
            word.chop(1);
        if (tl_mail_address_valid(word.toUtf8().constData()))
            return word;
    }
    return {};
}

FirmSender firm_sender()
{
    if (!dbAPI)
        return {};
    const QString table = QStringLiteral("CONF_ADDRESS");
    return {first_mail_address(dbAPI->lookup_text(1, table, QStringLiteral("MYADDRESS"))),
            dbAPI->lookup_text(1, table, QStringLiteral("MYNAME")).simplified()};
}
