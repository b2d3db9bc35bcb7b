// The demo data as a Czech tradesman would check them: identifiers with valid check digits,
// post codes of their towns, a turnover that keeps him out of VAT, invoices rounded to whole
// koruny and credit notes that correct real invoices.

#include "data/clock.h"
#include "data/czech_numbers.h"
#include "data/demo_data.h"
#include "documents/doc_totals.h"
#include "support/db_fixture.h"

#include <QRegularExpression>
#include <cmath>
#include <map>

namespace {

class DemoData : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        DemoSize size;
        size.partners = 80;
        size.products = 60;
        size.documents = 500;
        size.journal_entries = 3000;
        size.years = 3;
        ASSERT_TRUE(fill_demo_data(*m_api, size));
    }

    // Every row of the select, each value as text: numbers with "." and dates as ISO text,
    // whatever the formats of the machine.
    std::vector<QStringList> rows(const QString &select)
    {
        std::vector<QStringList> result;
        TMemTable *set = m_api->select_sql(QStringLiteral("X"), select);
        for (set->first(); !set->eof(); set->next()) {
            QStringList values;
            for (int i = 0; i < set->field_count(); ++i) {
                const TField &field = set->field(i);
                if (field.type() == FieldType::Float)
                    values << QString::number(field.as_float(), 'f', 4);
                else if (field.type() == FieldType::DateTime)
                    values << QDate(1899, 12, 30)
                                  .addDays(qint64(field.as_datetime()))
                                  .toString(Qt::ISODate);
                else
                    values << field.as_string();
            }
            result.push_back(values);
        }
        m_api->free_set(set);
        return result;
    }
};

qint64 cents(double amount)
{
    return std::llround(amount * 100);
}

} // namespace

TEST_F(DemoData, IdentificationNumbersAndVatNumbersAreThoseOfRealFirms)
{
    const auto partners = rows("SELECT P.PARTNER_NAME, P.ICO, P.DIC, P.IS_VAT, "
                               "ifnull(A.COUNTRY, '') FROM PAR P JOIN PAR_ADDR A "
                               "ON A.ID_PARTNER = P.RECID");
    ASSERT_FALSE(partners.empty());
    for (const QStringList &p : partners) {
        SCOPED_TRACE(qPrintable(p.join(u'|')));
        if (!p[1].isEmpty()) {
            EXPECT_TRUE(is_valid_ico(p[1]));
        }
        if (p[4].isEmpty()) {
            EXPECT_EQ(p[2], p[3] == "T" ? "CZ" + p[1] : QString());
        }
        if (p[3] == "T") {
            EXPECT_FALSE(p[2].isEmpty());
        }
    }
    const QStringList firm = rows("SELECT MYID, MYVAT FROM CONF_ADDRESS WHERE RECID = 1").at(0);
    EXPECT_TRUE(is_valid_ico(firm[0]));
    EXPECT_EQ(firm[1], "") << "the firm is no VAT payer";
}

TEST_F(DemoData, BankAccountsCarryValidCheckDigitsAndMatchTheirIbans)
{
    const QRegularExpression account(QStringLiteral("^(?:(\\d{1,6})-)?(\\d{2,10})/(\\d{4})$"));
    auto accounts = rows("SELECT ACCOUNT_NUMBER, IBAN FROM PAR_BANK");
    ASSERT_FALSE(accounts.empty());
    for (const QStringList &own : rows("SELECT MNO, IBAN FROM CONF_BANKCASH WHERE IS_BANK = 'T'"))
        accounts.push_back(own);
    for (const QStringList &a : accounts) {
        SCOPED_TRACE(qPrintable(a.join(u'|')));
        const QRegularExpressionMatch parts = account.match(a[0]);
        ASSERT_TRUE(parts.hasMatch());
        EXPECT_TRUE(is_valid_account_part(parts.captured(1).toLongLong()));
        EXPECT_TRUE(is_valid_account_part(parts.captured(2).toLongLong()));
        EXPECT_TRUE(is_valid_iban(a[1]));
        EXPECT_EQ(a[1].mid(4), parts.captured(3) + parts.captured(1).rightJustified(6, u'0') +
                                   parts.captured(2).rightJustified(10, u'0'));
    }
}

TEST_F(DemoData, PostCodesBelongToTheirTowns)
{
    const std::map<QString, QString> known = {
        {"Ústí nad Labem", "400 01"}, {"Děčín", "405 02"},   {"Teplice", "415 01"},
        {"Praha 2", "120 00"},        {"Brno", "602 00"},    {"Plzeň", "301 00"},
        {"Ostrava", "702 00"},        {"Liberec", "460 01"}, {"Olomouc", "779 00"}};
    const QRegularExpression written(QStringLiteral("^\\d{3} \\d{2}$"));
    std::map<QString, QString> seen;
    for (const QStringList &a : rows("SELECT CITY, POSTAL_CODE FROM PAR_ADDR "
                                     "WHERE ifnull(COUNTRY, '') = ''")) {
        SCOPED_TRACE(qPrintable(a.join(u'|')));
        EXPECT_TRUE(written.match(a[1]).hasMatch());
        if (const auto town = known.find(a[0]); town != known.end()) {
            EXPECT_EQ(a[1], town->second);
        }
        // One town, one code.
        EXPECT_EQ(seen.emplace(a[0], a[1]).first->second, a[1]);
    }
    EXPECT_TRUE(
        rows("SELECT MYADDRESS FROM CONF_ADDRESS").at(0).at(0).endsWith("400 01 Ústí nad Labem"));
}

TEST_F(DemoData, YearlyTurnoverStaysBelowTheVatRegistrationLimit)
{
    std::map<QString, qint64> turnover; // year -> hellers
    for (const QStringList &d :
         rows("SELECT substr(DATE_D, 1, 4), ROUND_SUM * CURR_KURS / CURR_AMOUNT FROM DOC_HEAD "
              "WHERE ID_DOC_TYPE = 1"))
        turnover[d[0]] += cents(d[1].toDouble());
    for (const QStringList &t :
         rows("SELECT substr(T.DATE_D, 1, 4), T.CC_INCOME FROM TE T JOIN TE_GRP G ON G.RECID = "
              "T.GRP_ID WHERE T.DOC_ID = 0 AND G.IS_TAX = 'T' AND G.IS_INCOME = 'T'"))
        turnover[t[0]] += cents(t[1].toDouble());
    ASSERT_EQ(turnover.size(), 3u);
    for (const auto &[year, amount] : turnover) {
        SCOPED_TRACE(qPrintable(year));
        EXPECT_LT(amount, 2'000'000'00);
        if (year.toInt() < today().year()) {
            EXPECT_GT(amount, 300'000'00) << "a firm that lives from its work";
        }
    }
}

TEST_F(DemoData, IssuedInvoicesAddUpTheirItemsAndAreRoundedToWholeKoruny)
{
    const auto invoices = rows("SELECT H.DOC_NO, H.CURR_NAME, H.ALL_SUM, H.ROUND_ID, H.ROUND_SUM, "
                               "(SELECT SUM(I.COST) FROM DOC_ITEMS I WHERE I.HEADER_ID = H.RECID) "
                               "FROM DOC_HEAD H WHERE H.ID_DOC_TYPE = 1");
    ASSERT_FALSE(invoices.empty());
    bool euro = false;
    for (const QStringList &i : invoices) {
        SCOPED_TRACE(qPrintable(i.join(u'|')));
        const double total = i[2].toDouble();
        EXPECT_EQ(cents(total), cents(i[5].toDouble()));
        if (i[1] == "Kč") {
            EXPECT_EQ(i[3], "1");
            EXPECT_EQ(cents(i[4].toDouble()), cents(round_by_mode(1, total)));
        } else {
            euro = true;
            EXPECT_EQ(i[1], "EUR");
            EXPECT_EQ(cents(i[4].toDouble()), cents(total));
        }
    }
    EXPECT_TRUE(euro) << "a few invoices go over the border";
}

TEST_F(DemoData, CreditNotesCorrectEarlierInvoicesOfTheSamePartner)
{
    for (const int type : {3, 4}) {
        SCOPED_TRACE(type);
        const auto notes = rows(
            QString(
                "SELECT N.DOC_NO, N.ID_ADDRESS, N.DATE_D, N.ROUND_SUM, N.CURR_NAME, N.DOC_TITLE, "
                "D.VAR_S, I.ID_DOC_TYPE, I.ID_ADDRESS, I.DATE_D, I.ROUND_SUM, I.CURR_NAME, "
                "I.DOC_NO, "
                "V.VAR_S FROM DOC_HEAD N JOIN DOC_DRS%1 D ON D.RECID = N.RECID "
                "LEFT JOIN DOC_HEAD I ON I.RECID = D.ID_LINK "
                "LEFT JOIN DOC_DRS%2 V ON V.RECID = I.RECID WHERE N.ID_DOC_TYPE = %1")
                .arg(type)
                .arg(type - 2));
        ASSERT_FALSE(notes.empty());
        for (const QStringList &n : notes) {
            SCOPED_TRACE(qPrintable(n.join(u'|')));
            EXPECT_EQ(n[7], QString::number(type - 2)) << "the linked invoice exists";
            EXPECT_EQ(n[8], n[1]);
            EXPECT_GE(n[2], n[9]);
            EXPECT_LE(cents(n[3].toDouble()), cents(n[10].toDouble()));
            EXPECT_EQ(n[4], n[11]);
            EXPECT_EQ(n[6], n[13]);
            EXPECT_TRUE(n[5].contains(n[12])) << "the text names the invoice";
        }
    }
}

TEST_F(DemoData, UnitsAndJournalTextsFitWhatTheyDescribe)
{
    const struct {
        const char *name_part;
        const char *unit;
    } units[] = {{"Cement", "kg"}, {"Hřebík", "ks"}, {"práce", "hod"},
                 {"Kabel", "m"},   {"Dlažba", "m²"}, {"Doprava", "km"}};
    for (const auto &u : units)
        for (const QStringList &p : rows(QString("SELECT PRO_NAME, UNITV FROM PRO WHERE PRO_NAME "
                                                 "LIKE '%%1%'")
                                             .arg(QString::fromUtf8(u.name_part))))
            EXPECT_EQ(p[1], QString::fromUtf8(u.unit)) << qPrintable(p[0]);

    const struct {
        const char *text_start;
        int category;
    } texts[] = {{"Tržba za hotové", 1},
                 {"Úroky", 2},
                 {"Stavební materiál", 3},
                 {"Odměna z dohody", 4},
                 {"Zdravotní pojištění za", 5},
                 {"Pohonné hmoty", 6},
                 {"Záloha na sociální pojištění OSVČ", 7},
                 {"Výběr z účtu do pokladny", 8}};
    for (const auto &t : texts) {
        const auto entries = rows(QString("SELECT TE_TEXT, GRP_ID FROM TE WHERE DOC_ID = 0 AND "
                                          "TE_TEXT LIKE '%1%'")
                                      .arg(QString::fromUtf8(t.text_start)));
        EXPECT_FALSE(entries.empty()) << t.text_start;
        for (const QStringList &e : entries)
            EXPECT_EQ(e[1], QString::number(t.category)) << qPrintable(e[0]);
    }
}

TEST_F(DemoData, EveryEntryGoesInTheDirectionItsCategoryAllows)
{
    const auto wrong = rows("SELECT T.DOC_NO, T.TE_TEXT, T.GRP_ID FROM TE T JOIN TE_GRP G ON "
                            "G.RECID = T.GRP_ID WHERE (T.INCOME > 0 AND G.IS_INCOME <> 'T') OR "
                            "(T.OUTCOME > 0 AND G.IS_OUTCOME <> 'T') OR T.INCOME + T.OUTCOME <= 0");
    for (const QStringList &w : wrong)
        ADD_FAILURE() << qPrintable(w.join(u'|'));
}

TEST_F(DemoData, EuroRatesMoveOverTheYearsAndForeignPricesExist)
{
    const auto rates = rows("SELECT MIN(CURR_KURS), MAX(CURR_KURS) FROM DOC_HEAD "
                            "WHERE CURR_NAME = 'EUR'")
                           .at(0);
    EXPECT_GT(rates[0].toDouble(), 22.0);
    EXPECT_LT(rates[1].toDouble(), 28.0);
    EXPECT_GT(rates[1].toDouble() - rates[0].toDouble(), 0.2);
    EXPECT_FALSE(rows("SELECT P.PRO_NAME FROM PRO_CURR C JOIN PRO P ON P.RECID = C.PRO_ID "
                      "WHERE C.CURR_NAME = 'EUR' AND C.COST > 0")
                     .empty());
}
