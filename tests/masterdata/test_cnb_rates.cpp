#include "masterdata/cnb_fixture.h"
#include "support/db_fixture.h"

#include "masterdata/cnb_download.h"
#include "masterdata/cnb_rates.h"
#include "text/cp1250.h"

namespace {

using CnbRates = DbFixture;

QString rates_stored()
{
    QString text;
    TMemTable *set = dbAPI->select_sql(
        "X", "SELECT CURR_NAME, CURR_AMOUNT, CURR_KURS FROM CURR_LIST ORDER BY RECID");
    for (int row = 0; set && row < set->record_count(); ++row)
        text += QStringLiteral("%1 %2 %3;")
                    .arg(set->cell_text(row, 0))
                    .arg(set->cell_value(row, 1).toDouble())
                    .arg(set->cell_value(row, 2).toDouble());
    dbAPI->free_set(set);
    return text;
}

} // namespace

TEST(CnbRateFile, TheDailyFileGivesItsDateAndEveryCurrencyPerItsUnits)
{
    const CnbParseResult result = parse_cnb_rates(cnb_fixture("daily.txt"));
    ASSERT_TRUE(result.ok()) << qPrintable(result.error);
    EXPECT_EQ(result.list.date, QDate(2026, 12, 9));
    EXPECT_EQ(result.list.sequence, 238);
    ASSERT_EQ(result.list.rates.size(), 4u);
    const CnbRate &yen = result.list.rates[2];
    EXPECT_EQ(yen.country, QStringLiteral("Japonsko"));
    EXPECT_EQ(yen.currency, QStringLiteral("jen"));
    EXPECT_EQ(yen.code, QStringLiteral("JPY"));
    EXPECT_EQ(yen.amount, 100);
    EXPECT_DOUBLE_EQ(yen.rate, 14.12);
}

TEST(CnbRateFile, OlderFilesEndTheFixingAtTheBlankLineAndWindows1250IsRead)
{
    const CnbParseResult old = parse_cnb_rates(cnb_fixture("two_sections.txt"));
    ASSERT_TRUE(old.ok()) << qPrintable(old.error);
    ASSERT_EQ(old.list.rates.size(), 1u);
    EXPECT_DOUBLE_EQ(old.list.rates[0].rate, 36.12);

    const QByteArray utf8 = cnb_fixture("daily.txt");
    const CnbParseResult cp1250 = parse_cnb_rates(to_cp1250(QString::fromUtf8(utf8)));
    ASSERT_TRUE(cp1250.ok()) << qPrintable(cp1250.error);
    EXPECT_EQ(cp1250.list.rates[0].country, QStringLiteral("Austrálie"));
}

TEST(CnbRateFile, AMalformedFileNamesTheLine)
{
    struct Case {
        QByteArray file;
        int line;
        QString error;
    };
    const Case cases[] = {
        {cnb_fixture("wrong_header.txt"), 2,
         "Řádek 2: záhlaví není „země|měna|množství|kód|kurz“, soubor není kurzovní lístek ČNB."},
        {cnb_fixture("rate_not_number.txt"), 4,
         "Řádek 4: kurz „dvacet“ u měny USD není kladné číslo."},
        {cnb_fixture("unit_zero.txt"), 4,
         "Řádek 4: množství „0“ u měny JPY není kladné celé číslo."},
        {"<html>Stránka nenalezena</html>", 1,
         "Řádek 1: chybí datum kurzovního lístku a jeho pořadové číslo (například „09.12.2026 "
         "#238“)."},
        {"09.12.2026 #238\nzemě|měna|množství|kód|kurz\n", 3,
         "Řádek 3: soubor neobsahuje žádný kurz."},
        {"09.12.2026 #238\nzemě|měna|množství|kód|kurz\nEMU|euro|1|EUR\n", 3,
         "Řádek 3: řádek nemá pět sloupců (země|měna|množství|kód|kurz), má jich 4."},
        {"09.12.2026 #238\nzemě|měna|množství|kód|kurz\nEMU|euro|1|EUR|-2,5\n", 3,
         "Řádek 3: kurz „-2,5“ u měny EUR není kladné číslo."},
        {"09.12.2026 #238\nzemě|měna|množství|kód|kurz\nEMU|euro|1|EUR|1\nEMU|euro|1|eur|2\n", 4,
         "Řádek 4: měna eur je v souboru podruhé."},
    };
    for (const Case &c : cases) {
        const CnbParseResult result = parse_cnb_rates(c.file);
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.error_line, c.line);
        EXPECT_EQ(result.error, c.error);
    }
}

TEST_F(CnbRates, ListedCurrenciesTakeTheFilesRatesAndNoneIsAddedUnasked)
{
    exec("INSERT INTO CURR_LIST (RECID, CURR_NAME, CURR_TITLE, CURR_AMOUNT, CURR_KURS) VALUES "
         "(3, 'jpy', 'jen', 1, 0.2), (4, 'Kč', 'koruna', 1, 1)");
    const CnbRateList list = parse_cnb_rates(cnb_fixture("daily.txt")).list;
    std::vector<CnbRate> unlisted = unlisted_rates(*m_api, list);
    ASSERT_EQ(unlisted.size(), 1u);
    EXPECT_EQ(unlisted[0].code, QStringLiteral("AUD"));

    const RateUpdate update = apply_cnb_rates(*m_api, list, {});
    EXPECT_TRUE(update.stored);
    ASSERT_EQ(update.changes.size(), 3u);
    EXPECT_EQ(update.changes[0].currency, QStringLiteral("EUR"));
    EXPECT_DOUBLE_EQ(update.changes[0].old_rate, 24.5);
    EXPECT_DOUBLE_EQ(update.changes[0].new_rate, 24.285);
    EXPECT_EQ(update.changes[2].currency, QStringLiteral("jpy"));
    EXPECT_DOUBLE_EQ(update.changes[2].new_amount, 100);
    EXPECT_EQ(update.missing, QStringList{QStringLiteral("Kč")});
    EXPECT_EQ(rates_stored(), "EUR 1 24.285;USD 1 20.874;jpy 100 14.12;Kč 1 1;");

    const RateUpdate added = apply_cnb_rates(*m_api, list, {QStringLiteral("aud")});
    ASSERT_EQ(added.changes.size(), 4u);
    EXPECT_TRUE(added.changes[3].added);
    EXPECT_EQ(sqlite_shell("SELECT CURR_NAME||'|'||CURR_TITLE||'|'||CURR_KURS FROM CURR_LIST "
                           "WHERE CURR_NAME='AUD'"),
              "AUD|dolar (Austrálie)|15.123");
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(CnbRates, ARefusedWriteLeavesEveryRateAsItWas)
{
    exec("CREATE TRIGGER REFUSE BEFORE UPDATE ON CURR_LIST WHEN OLD.CURR_NAME='USD' "
         "BEGIN SELECT RAISE(ABORT, 'Kurz nelze změnit.'); END");
    const QString before = rates_stored();
    const RateUpdate update =
        apply_cnb_rates(*m_api, parse_cnb_rates(cnb_fixture("daily.txt")).list, {"AUD"});
    EXPECT_FALSE(update.stored);
    EXPECT_TRUE(update.changes.empty());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, QStringLiteral("Kurz nelze změnit."));
    EXPECT_FALSE(m_messages[0].fatal);
    EXPECT_EQ(rates_stored(), before);
}

TEST(CnbDownload, TheAddressIsTheBanksFileForTheDay)
{
    EXPECT_EQ(cnb_daily_rates_url(QDate(2026, 3, 5)).toString(),
              "https://www.cnb.cz/cs/financni-trhy/devizovy-trh/kurzy-devizoveho-trhu/"
              "kurzy-devizoveho-trhu/denni_kurz.txt?date=05.03.2026");
}

TEST(CnbDownload, AServedFileArrivesAndFailuresAreToldInCzech)
{
    RateFileServer server;
    ASSERT_TRUE(server.isListening());
    const DownloadResult good = download_rate_file(server.address("/daily.txt"), 5000);
    ASSERT_TRUE(good.ok()) << qPrintable(good.error);
    EXPECT_EQ(good.body, cnb_fixture("daily.txt"));

    const DownloadResult missing = download_rate_file(server.address("/missing"), 5000);
    EXPECT_EQ(missing.error,
              QStringLiteral("Kurzovní lístek na adrese %1 nebyl nalezen (HTTP 404).")
                  .arg(server.address("/missing").toString()));

    const DownloadResult slow = download_rate_file(server.address("/slow"), 300);
    EXPECT_EQ(slow.error,
              QStringLiteral("Server ČNB neodpověděl včas (limit 1 s). Zkuste to prosím později."));

    const quint16 port = server.serverPort();
    server.close();
    const DownloadResult refused =
        download_rate_file(QUrl(QStringLiteral("http://127.0.0.1:%1/daily.txt").arg(port)), 5000);
    EXPECT_EQ(refused.error, QStringLiteral("Server 127.0.0.1 odmítl spojení."));
}
