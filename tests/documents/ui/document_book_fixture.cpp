#include "documents/ui/document_book_fixture.h"

#include "text/format_settings.h"

void DocumentBookFixture::SetUp()
{
    DbFixture::SetUp();
    m_partner = insert_partner(1, QStringLiteral("Novák a syn"));
    m_address = m_api->new_recid();
    exec(QStringLiteral("UPDATE PAR SET ID_PARTNER_TYPE=3, ICO='12345678', DIC='CZ12345678' "
                        "WHERE RECID=%1;"
                        "INSERT INTO PAR_ADDR (RECID, ID_PARTNER, IS_INVOICE, ADDRESS_TITLE, "
                        "ADDRESS, CITY) VALUES (%2, %1, 'T', 'sídlo', 'Dlouhá 5', 'Brno')")
             .arg(m_partner)
             .arg(m_address));
}

int DocumentBookFixture::add_document(int type, int number, double round_sum,
                                      const QString &currency)
{
    const int id = m_api->new_recid();
    exec(QStringLiteral("INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, ID_ADDRESS, DATE_D, "
                        "MATURITY_D, DOC_TITLE, ALL_SUM, ROUND_ID, ROUND_SUM, CURR_NAME) VALUES "
                        "(%1, %2, %3, %4, '2026-03-01', '2026-03-15', 'Dodávka %3', %5, 0, %5, "
                        "%6)")
             .arg(id)
             .arg(type)
             .arg(number)
             .arg(m_address)
             .arg(sql_number(round_sum))
             .arg(sql_quote(currency)));
    return id;
}

int DocumentBookFixture::pay(int document, double income, double outcome, const QString &date)
{
    const int id = m_api->new_recid();
    exec(QStringLiteral("INSERT INTO TE (RECID, DOC_ID, DATE_D, INCOME, OUTCOME, ORIGIN_CURR) "
                        "VALUES (%1, %2, '%3', %4, %5, 'Kč')")
             .arg(id)
             .arg(document)
             .arg(date)
             .arg(sql_number(income))
             .arg(sql_number(outcome)));
    return id;
}

int DocumentBookFixture::add_currency(const QString &name, const QString &title)
{
    const int id = m_api->new_recid();
    exec(QStringLiteral("INSERT INTO CURR_LIST (RECID, CURR_NAME, CURR_TITLE, CURR_AMOUNT, "
                        "CURR_KURS) VALUES (%1, %2, %3, 1, 25)")
             .arg(id)
             .arg(sql_quote(name))
             .arg(sql_quote(title)));
    return id;
}

void DocumentBookFixture::set_foreign_currency(bool on)
{
    exec(QStringLiteral("UPDATE CONF_ADDRESS SET FORE_CURR='%1' WHERE RECID=1")
             .arg(on ? u'T' : u'F'));
    m_api->foreign_currency = on;
}
