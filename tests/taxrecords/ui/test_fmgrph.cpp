#include "reports/report_parameters.h"
#include "support/db_fixture.h"
#include "support/modal_driver.h"
#include "taxrecords/ui/fmgrph.h"
#include "text/format_settings.h"

#include <QChart>
#include <QComboBox>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPieSeries>

class GraphWindow : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        exec(QStringLiteral(
            "INSERT INTO TE_GRP (RECID, GRP_NAME) VALUES (9801, 'Tržby'), (9802, 'Nájem');"
            "INSERT INTO TE (RECID, DATE_D, GRP_ID, INCOME, OUTCOME) VALUES "
            "(9101, '2026-02-10', 9801, 1100, 0), (9102, '2026-02-10', 9801, 50.5, 0), "
            "(9103, '2026-02-11', 9802, 10, 30), (9104, '2025-12-31', 9801, 777, 0)"));
    }
};

TEST_F(GraphWindow, OpensOnTheIncomePieWithAmountsInTheLegend)
{
    {
        Tfgrph window(QStringLiteral("2026"));
        window.show();
        EXPECT_EQ(decimal_separator(), QLatin1Char('.'));
        EXPECT_EQ(window.chart()->title(), QStringLiteral("Rozložení příjmů za rok 2026"));
        ASSERT_EQ(window.chart()->series().size(), 1);
        auto *pie = qobject_cast<QPieSeries *>(window.chart()->series().first());
        ASSERT_NE(pie, nullptr);
        ASSERT_EQ(pie->count(), 2);
        EXPECT_DOUBLE_EQ(pie->slices()[1]->value(), 1150.5);
        const QList<QLegendMarker *> markers = window.chart()->legend()->markers(pie);
        ASSERT_EQ(markers.size(), 2);
        EXPECT_EQ(markers[1]->label(), QStringLiteral("Tržby   1 150.50 Kč"));

        window.build_chart(2);
        EXPECT_EQ(window.chart_list()->currentIndex(), 2);
        auto *line = qobject_cast<QLineSeries *>(window.chart()->series().first());
        ASSERT_NE(line, nullptr);
        ASSERT_EQ(line->count(), 2);
        EXPECT_DOUBLE_EQ(line->at(0).y(), 1150.5);
    }
    EXPECT_EQ(decimal_separator(), QLatin1Char(','));
}

TEST_F(GraphWindow, YearWithoutExpensesSaysTheTableIsEmpty)
{
    Tfgrph window(QStringLiteral("2025"));
    window.build_chart(1);
    EXPECT_EQ(window.chart()->title(),
              QStringLiteral("Rozložení výdajů za rok 2025<br>tabulka daňové evidence je prázdná"));
}

TEST_F(GraphWindow, YearZeroDrawsTheWholeJournal)
{
    ModalDriver::on_next_modal([](QWidget *modal) {
        ModalDriver::on_next_modal([](QWidget *graphs) {
            auto *window = qobject_cast<Tfgrph *>(graphs);
            ASSERT_NE(window, nullptr);
            auto *pie = qobject_cast<QPieSeries *>(window->chart()->series().first());
            EXPECT_DOUBLE_EQ(pie->sum(), 1937.5);
            window->close();
        });
        ModalDriver::click(modal, "BitBtnOK");
    });
    // Entries without a date give no year to choose.
    exec(QStringLiteral("UPDATE TE SET DATE_D = NULL"));
    show_graphs();
    clear_report_parameters();
}
