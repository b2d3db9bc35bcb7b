#include "reports/report_parameters.h"

#include "support/db_fixture.h"
#include "text/format_settings.h"

#include <gtest/gtest.h>

namespace {

ReportChoices first_quarter_2024()
{
    ReportChoices choices;
    choices.from = QDate(2024, 1, 1);
    choices.to = QDate(2024, 3, 31);
    return choices;
}

const QString period_2024 =
    QStringLiteral("DATE_D>='2024-01-01' and DATE_D<='2024-03-31'");
const QString paid = QStringLiteral(
    "(ROUND(ID_DOCSTATE * 100) <> 0 AND ROUND(ID_DOCSTATE * 100) >= ROUND(ROUND_SUM * 100))");
const QString partly_paid = QStringLiteral(
    "(ROUND(ID_DOCSTATE * 100) <> 0 AND ROUND(ID_DOCSTATE * 100) < ROUND(ROUND_SUM * 100))");
const QString unpaid = QStringLiteral("(ROUND(ID_DOCSTATE * 100) = 0)");

} // namespace

TEST(ReportParameters, DocumentListJoinsStatesPartnerAndPeriod)
{
    struct Case {
        bool paid, partly_paid, unpaid;
        int partner;
        QString where;
    };
    const Case cases[] = {
        {true, true, true, 0, QStringLiteral("WHERE ") + period_2024},
        {true, false, true, 0,
         QStringLiteral("WHERE (") + paid + QStringLiteral(" OR ") + unpaid +
             QStringLiteral(") AND (") + period_2024 + QStringLiteral(")")},
        {false, false, true, 17,
         QStringLiteral("WHERE (") + unpaid + QStringLiteral(" AND (ID_PARTNER= 17)) AND (") +
             period_2024 + QStringLiteral(")")},
        {true, true, true, 17,
         QStringLiteral("WHERE ((ID_PARTNER= 17)) AND (") + period_2024 + QStringLiteral(")")},
        {true, true, false, 17,
         QStringLiteral("WHERE ((") + paid + QStringLiteral(" OR ") + partly_paid +
             QStringLiteral(") AND (ID_PARTNER= 17)) AND (") + period_2024 + QStringLiteral(")")},
    };
    for (const Case &c : cases) {
        ReportChoices choices = first_quarter_2024();
        choices.paid = c.paid;
        choices.partly_paid = c.partly_paid;
        choices.unpaid = c.unpaid;
        choices.partner = c.partner;
        const ReportParameters result = build_report_parameters(ReportMode::DocumentList, choices);
        EXPECT_EQ(result.where, c.where);
        EXPECT_EQ(result.filter, QString());
        EXPECT_EQ(result.order, QStringLiteral("DATE_D"));
    }
}

TEST(ReportParameters, PartnerDocumentsGiveBareStateAndLocalPeriod)
{
    set_short_date_format(QStringLiteral("d.M.yyyy"));
    ReportChoices choices = first_quarter_2024();
    choices.paid = false;
    const ReportParameters result = build_report_parameters(ReportMode::PartnerDocuments, choices);
    EXPECT_EQ(result.where, partly_paid + QStringLiteral(" OR ") + unpaid);
    EXPECT_EQ(result.filter, QStringLiteral("DATE_D>='1.1.2024' and DATE_D<='31.3.2024'"));
    EXPECT_EQ(result.order, QStringLiteral("DATE_D"));
}

TEST(ReportParameters, ListsOfProductsAndPartnersOrderAsChosen)
{
    ReportChoices catalogue;
    EXPECT_EQ(build_report_parameters(ReportMode::Catalogue, catalogue).where,
              QStringLiteral(" ORDER BY GRP_NAME, PRO_NO"));
    catalogue.product_group = 5;
    catalogue.products_by_name = true;
    EXPECT_EQ(build_report_parameters(ReportMode::Catalogue, catalogue).where,
              QStringLiteral(" WHERE ID_PRO_GRP=5 ORDER BY GRP_NAME, PRO_NAME"));

    ReportChoices sales = first_quarter_2024();
    sales.product_group = 3;
    EXPECT_EQ(build_report_parameters(ReportMode::Sales, sales).where,
              QStringLiteral(" WHERE ") + period_2024 + QStringLiteral(" AND PRO_GRP=3"));

    struct Case {
        int group, type;
        PartnerOrder order;
        QString where;
    };
    const Case partners[] = {
        {0, 0, PartnerOrder::Number, QStringLiteral("   ORDER BY PARTNER_NO")},
        {2, 0, PartnerOrder::Name, QStringLiteral(" WHERE ID_PARTNER_GROUP=2  ORDER BY PARTNER_NAME")},
        {0, 4, PartnerOrder::Group,
         QStringLiteral(" WHERE ID_PARTNER_TYPE=4  ORDER BY GRP_NAME, PARTNER_NAME")},
        {2, 4, PartnerOrder::Type,
         QStringLiteral(" WHERE (ID_PARTNER_GROUP=2) AND (ID_PARTNER_TYPE=4)  ORDER BY "
                        "PARTNER_TYPE, PARTNER_NAME")},
    };
    for (const Case &c : partners) {
        ReportChoices choices;
        choices.partner_group = c.group;
        choices.partner_type = c.type;
        choices.partner_order = c.order;
        EXPECT_EQ(build_report_parameters(ReportMode::PartnerList, choices).where, c.where);
    }
}

TEST(ReportParameters, YearAndCashVouchers)
{
    ReportChoices year;
    year.year = 2026;
    const ReportParameters years = build_report_parameters(ReportMode::Year, year);
    EXPECT_EQ(years.filter, QStringLiteral("2026"));
    EXPECT_EQ(years.order, QStringLiteral("DATE_D;RECID"));
    EXPECT_EQ(years.where, QString());
    EXPECT_EQ(build_report_parameters(ReportMode::Year, ReportChoices()).filter,
              QStringLiteral("0"));

    set_short_date_format(QStringLiteral("d.M.yyyy"));
    ReportChoices vouchers = first_quarter_2024();
    vouchers.income_vouchers = false;
    const ReportParameters expense = build_report_parameters(ReportMode::CashVouchers, vouchers);
    EXPECT_EQ(expense.where,
              QStringLiteral("WHERE (IS_INCOME = 'F') AND (TE_DATE_D>='2024-01-01' and "
                             "TE_DATE_D<='2024-03-31') ORDER BY TE_DATE_D, RECID"));
    EXPECT_EQ(expense.filter, QStringLiteral("1.1.2024 - 31.3.2024"));
    EXPECT_EQ(expense.order, QStringLiteral("0"));
    vouchers.income_vouchers = true;
    EXPECT_EQ(build_report_parameters(ReportMode::CashVouchers, vouchers).order,
              QStringLiteral("1"));
}

TEST(ReportParameters, YearOptionsStandInColumnsOfEight)
{
    EXPECT_EQ(year_option_position(0), QPoint(24, 32));
    EXPECT_EQ(year_option_position(7), QPoint(24, 32 + 7 * 24));
    EXPECT_EQ(year_option_position(8), QPoint(182, 32));
    EXPECT_EQ(year_option_position(19), QPoint(340, 32 + 3 * 24));
}

TEST(ReportParameters, PeriodMustRunForward)
{
    EXPECT_TRUE(period_error(QDate(2024, 1, 1), QDate(2024, 1, 1)).isEmpty());
    EXPECT_FALSE(period_error(QDate(2024, 1, 2), QDate(2024, 1, 1)).isEmpty());
    EXPECT_FALSE(period_error(QDate(), QDate(2024, 1, 1)).isEmpty());
}

class PaymentStateCondition : public DbFixture {};

// 0.10 + 0.20 is not 0.30 in doubles; a document of nothing, never paid, is not "paid".
TEST_F(PaymentStateCondition, ChoosesDocumentsToTheCent)
{
    exec(QStringLiteral(
        "INSERT INTO DOC_HEAD (RECID, ID_DOC_TYPE, DOC_NO, DATE_D, ROUND_SUM) VALUES "
        "(9001, 1, 1, '2024-02-01', 0.3), (9002, 1, 2, '2024-02-01', 0), "
        "(9003, 1, 3, '2024-02-01', 100);"
        "INSERT INTO TE (RECID, DOC_ID, DATE_D, INCOME) VALUES "
        "(9101, 9001, '2024-02-02', 0.1), (9102, 9001, '2024-02-03', 0.2), "
        "(9103, 9003, '2024-02-03', 99.999)"));
    struct Case {
        bool paid, partly_paid, unpaid;
        QString numbers;
    };
    const Case cases[] = {
        {true, false, false, QStringLiteral("1,3")},
        {false, true, false, QString()},
        {false, false, true, QStringLiteral("2")},
    };
    for (const Case &c : cases) {
        ReportChoices choices;
        choices.paid = c.paid;
        choices.partly_paid = c.partly_paid;
        choices.unpaid = c.unpaid;
        EXPECT_EQ(sqlite_shell(QStringLiteral("SELECT group_concat(DOC_NO) FROM (SELECT DOC_NO "
                                              "FROM VIEW_DOC1 WHERE ") +
                               payment_state_condition(choices) +
                               QStringLiteral(" ORDER BY DOC_NO)"))
                      .trimmed(),
                  c.numbers);
    }
}
