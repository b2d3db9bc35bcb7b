#include "data/clock.h"
#include "documents/doc_types.h"
#include "masterdata/ui/code_list_fixture.h"
#include "masterdata/ui/fselector.h"
#include "reports/ui/fsetwhere.h"
#include "reports/ui/report_picker.h"
#include "support/modal_driver.h"
#include "text/format_settings.h"
#include "widgets/date_edit.h"
#include "widgets/dbgrid.h"
#include "widgets/help.h"
#include "widgets/window_host.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

class StatusRecorder : public WindowHost {
public:
    void set_status_hint(const QString &text) override { hints.append(text); }
    QStringList hints;
};

class ReportParameterDialog : public CodeListFixture {
protected:
    void SetUp() override
    {
        CodeListFixture::SetUp();
        set_fixed_today(QDate(2026, 5, 20));
        set_short_date_format(QStringLiteral("d.M.yyyy"));
    }
    void TearDown() override
    {
        set_fixed_today(QDate());
        clear_report_parameters();
        CodeListFixture::TearDown();
    }

    static void tick(QCheckBox *box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
};

} // namespace

TEST_F(ReportParameterDialog, ShowsOnlyThePanelOfItsMode)
{
    struct Case {
        ReportMode mode;
        const char *panel;
        QString caption;
        int help;
    };
    const Case cases[] = {
        {ReportMode::Year, "Panel", QStringLiteral("Vyberte účetní rok pro tisk, nebo graf."),
         1033},
        {ReportMode::DocumentList, "PanelDocs",
         QStringLiteral("Zadejte podmínky pro tisk soupisu dokladů (") + doc_type_name(2) +
             QStringLiteral(")"),
         1034},
        {ReportMode::PartnerDocuments, "PanelDocs",
         QStringLiteral("Zadejte podmínky pro tisk soupisu dokladů za obchodního partnera"), 103},
        {ReportMode::Catalogue, "PanelCat",
         QStringLiteral("Zadejte podmínky pro tisk katalogu produktů"), 1032},
        {ReportMode::Sales, "PanelCat", QStringLiteral("Zadejte podmínky pro tisk prodejů produktů"),
         103},
        {ReportMode::PartnerList, "PanelPar",
         QStringLiteral("Zadejte podmínky pro tisk seznamu partnerů"), 1031},
        {ReportMode::CashVouchers, "PanelCash",
         QStringLiteral("Zadejte podmínky pro tisk pokladních dokladů."), 1033},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.panel);
        TfSetWhere dialog(c.mode, 2);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), c.caption);
        EXPECT_EQ(help_topic(&dialog), c.help);
        for (QWidget *panel :
             {dialog.Panel, dialog.PanelDocs, dialog.PanelCat, dialog.PanelPar, dialog.PanelCash})
            EXPECT_EQ(panel->isVisible(), panel->objectName() == QLatin1String(c.panel));
        EXPECT_EQ(dialog.findChild<QWidget *>(QStringLiteral("PanelDocs"))->height(),
                  TfSetWhere::panel_height);
        EXPECT_EQ(dialog.dt_from_date != nullptr, has_period(c.mode));
        if (dialog.dt_from_date) {
            EXPECT_EQ(dialog.dt_from_date->date(), QDate(2026, 1, 1));
            EXPECT_EQ(dialog.dt_to_date->date(), QDate(2026, 5, 20));
            EXPECT_EQ(dialog.dt_from_date->y(), period_block_top(c.mode) + 22);
        }
    }
    TfSetWhere partner_documents(ReportMode::PartnerDocuments, 0);
    partner_documents.show();
    EXPECT_FALSE(partner_documents.paredit->isVisible());
    TfSetWhere sales(ReportMode::Sales, 0);
    sales.show();
    EXPECT_FALSE(sales.catsortname->isVisible());
    EXPECT_TRUE(sales.catedit->isVisible());
}

TEST_F(ReportParameterDialog, CancelLeavesNothingOfAnEarlierDialog)
{
    report_where = QStringLiteral("WHERE X=1");
    report_filter = QStringLiteral("2025");
    report_order = QStringLiteral("DATE_D");
    ModalDriver::on_next_modal([](QWidget *modal) { ModalDriver::click(modal, "BitBtnCancel"); });
    EXPECT_FALSE(ask_report_parameters(ReportMode::CashVouchers));
    EXPECT_TRUE(report_where.isEmpty());
    EXPECT_TRUE(report_filter.isEmpty());
    EXPECT_TRUE(report_order.isEmpty());
}

TEST_F(ReportParameterDialog, DocumentListFromTheBoxesThePartnerAndThePeriod)
{
    const int partner = insert_partner(17, QStringLiteral("Šťastný Čeněk"));
    StatusRecorder status;
    {
        ScopedWindowHost host(status);
        ModalDriver::on_next_modal([&](QWidget *modal) {
            auto *dialog = static_cast<TfSetWhere *>(modal);
            EXPECT_EQ(status.hints.value(0),
                      QStringLiteral("Parametry tisku (grafu).|OK - zobraz tiskovou sestavu "
                                     "(graf), Storno - zpět."));
            tick(dialog->CheckDocsPay);
            tick(dialog->CheckDocsPartialPay);
            tick(dialog->CheckNoPay);
            EXPECT_FALSE(dialog->BitBtnOK->isEnabled());
            tick(dialog->CheckNoPay);
            EXPECT_TRUE(dialog->BitBtnOK->isEnabled());
            EXPECT_EQ(dialog->paredit->text(), QStringLiteral("*** všichni partneři ***"));
            on_next_selector([&](Tfm_selector &selector) {
                selector.go_to(partner);
                selector.decide(Tfm_selector::Chosen);
            });
            dialog->paredit->drop_down();
            EXPECT_EQ(dialog->paredit->text(), QStringLiteral("Šťastný Čeněk"));
            dialog->dt_from_date->set_date(QDate(2024, 1, 1));
            dialog->dt_to_date->set_date(QDate(2024, 3, 31));
            ModalDriver::click(modal, "BitBtnOK");
        });
        EXPECT_TRUE(ask_report_parameters(ReportMode::DocumentList, 1));
    }
    EXPECT_EQ(report_where,
              QStringLiteral("WHERE ((ROUND(ID_DOCSTATE * 100) = 0) AND (ID_PARTNER= %1)) AND "
                             "(DATE_D>='2024-01-01' and DATE_D<='2024-03-31')")
                  .arg(partner));
    EXPECT_TRUE(report_filter.isEmpty());
    EXPECT_EQ(report_order, QStringLiteral("DATE_D"));
    EXPECT_EQ(status.hints.value(status.hints.size() - 1), QString());
}

TEST_F(ReportParameterDialog, PeriodEndingBeforeItStartsIsRefused)
{
    ModalDriver::on_next_modal([&](QWidget *modal) {
        auto *dialog = static_cast<TfSetWhere *>(modal);
        dialog->dt_from_date->set_date(QDate(2026, 4, 2));
        dialog->dt_to_date->set_date(QDate(2026, 4, 1));
        ModalDriver::click(modal, "BitBtnOK");
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_TRUE(modal->isVisible());
        dialog->dt_to_date->set_date(QDate(2026, 4, 30));
        ModalDriver::click(modal, "BitBtnOK");
    });
    EXPECT_TRUE(ask_report_parameters(ReportMode::CashVouchers));
    EXPECT_EQ(report_filter, QStringLiteral("2.4.2026 - 30.4.2026"));
    EXPECT_EQ(report_order, QStringLiteral("1"));
}

TEST_F(ReportParameterDialog, TwentyYearsStandInThreeColumnsNewestFirst)
{
    QStringList rows;
    for (int year = 2001; year <= 2020; ++year)
        rows << QStringLiteral("(%1, '%2-06-30')").arg(9000 + year).arg(year);
    exec(QStringLiteral("INSERT INTO TE (RECID, DATE_D) VALUES ") + rows.join(QLatin1Char(',')));
    ModalDriver::on_next_modal([&](QWidget *modal) {
        auto *dialog = static_cast<TfSetWhere *>(modal);
        ASSERT_EQ(dialog->year_options.size(), 20);
        EXPECT_EQ(dialog->year_options[0]->text(), QStringLiteral("Rok 2020"));
        EXPECT_TRUE(dialog->year_options[0]->isChecked());
        EXPECT_EQ(dialog->year_options[7]->geometry(), QRect(24, 32 + 7 * 24, 180, 24));
        EXPECT_EQ(dialog->year_options[8]->pos(), QPoint(182, 32));
        EXPECT_EQ(dialog->year_options[16]->pos(), QPoint(340, 32));
        EXPECT_TRUE(dialog->Panel->geometry().contains(dialog->year_options[19]->geometry()
                                                           .translated(dialog->Panel->pos())));
        QTest::mouseClick(dialog->year_options[5], Qt::LeftButton, {}, QPoint(6, 12));
        ModalDriver::click(modal, "BitBtnOK");
    });
    EXPECT_TRUE(ask_report_parameters(ReportMode::Year));
    EXPECT_EQ(report_filter, QStringLiteral("2015"));
    EXPECT_EQ(report_order, QStringLiteral("DATE_D;RECID"));
}

TEST_F(ReportParameterDialog, NoYearsGiveYearZero)
{
    ModalDriver::on_next_modal([](QWidget *modal) { ModalDriver::click(modal, "BitBtnOK"); });
    EXPECT_TRUE(ask_report_parameters(ReportMode::Year));
    EXPECT_EQ(report_filter, QStringLiteral("0"));
}

TEST_F(ReportParameterDialog, PartnerListFromPickersAndOrder)
{
    exec(QStringLiteral("INSERT INTO PAR_GRP (RECID, GRP_NAME) VALUES (9501, 'Velkoodběr')"));
    ModalDriver::on_next_modal([&](QWidget *modal) {
        auto *dialog = static_cast<TfSetWhere *>(modal);
        on_next_selector([](Tfm_selector &selector) {
            selector.go_to(9501);
            selector.decide(Tfm_selector::Chosen);
        });
        dialog->paredit2->drop_down();
        EXPECT_EQ(dialog->paredit2->text(), QStringLiteral("Velkoodběr"));
        on_next_selector([](Tfm_selector &selector) { selector.decide(Tfm_selector::Cancelled); });
        dialog->typedit->drop_down();
        EXPECT_EQ(dialog->typedit->text(), QStringLiteral("*** všechny typy ***"));
        dialog->parsortgrp->click();
        ModalDriver::click(modal, "BitBtnOK");
    });
    EXPECT_TRUE(ask_report_parameters(ReportMode::PartnerList));
    EXPECT_EQ(report_where,
              QStringLiteral(" WHERE ID_PARTNER_GROUP=9501  ORDER BY GRP_NAME, PARTNER_NAME"));
}
