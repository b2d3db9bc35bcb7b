#include "engine/template_loader.h"
#include "reports/page_texts.h"
#include "reports/preview_layout.h"
#include "reports/preview_report.h"
#include "reports/preview_zoom.h"
#include "reports/report_state.h"

#include "support/db_fixture.h"

#include <QStringList>

namespace {

class ReportData : public DbFixture {};

// Partners with their contacts, the detail band linked to the master's current row.
const QByteArray partners_with_contacts = R"({
    "version": 1,
    "pages": [{"width": 744, "height": 1052,
        "bands": [
            {"kind": "master_data", "name": "master_data", "source": "frrepo_PAR", "height": 16,
             "objects": [{"type": "text", "x": 0, "y": 0, "width": 300, "height": 16,
                          "text": ["[dbAPI.repo_PAR.\"partner_name\"]"]}]},
            {"kind": "detail_data", "source": "frrepo_CONTACT", "height": 16,
             "objects": [{"type": "text", "x": 20, "y": 0, "width": 300, "height": 16,
                          "text": ["- [dbAPI.repo_CONTACT.\"CONTACT\"]"]}]},
            {"kind": "page_footer", "height": 16,
             "objects": [{"type": "text", "x": 0, "y": 0, "width": 300, "height": 16,
                          "text": ["[dbAPI.repo_CONF.\"MYNAME\"]"]}]}
        ]}]
})";

TEST_F(ReportData, RecordSetsPrintInTheirOwnOrderWithLinkedDetailsAndTheFirmsAddress)
{
    exec(QStringLiteral("UPDATE CONF_ADDRESS SET MYNAME = 'Účetní s.r.o.' WHERE RECID = 1"));
    const int novak = insert_partner(1, QStringLiteral("Novák"));
    const int dvorak = insert_partner(2, QStringLiteral("Dvořák"));
    exec(QStringLiteral("INSERT INTO PAR_CONTACT (RECID, ID_PARTNER, CONTACT) VALUES "
                        "(9001, %1, 'novak@firma.cz'), (9002, %2, 'dvorak@firma.cz'), "
                        "(9003, %1, '+420 777 111 222')")
             .arg(novak)
             .arg(dvorak));

    PreviewReport preview;
    preview.report().set_template(parse_template(partners_with_contacts, QString()));
    TMemTable *partners = m_api->select_sql(QStringLiteral("repo_PAR"),
                                            QStringLiteral("SELECT RECID, PARTNER_NAME FROM PAR"));
    TMemTable *contacts = m_api->select_sql(
        QStringLiteral("repo_CONTACT"),
        QStringLiteral("SELECT ID_PARTNER, CONTACT FROM PAR_CONTACT ORDER BY RECID"));
    ASSERT_TRUE(partners && contacts);
    preview.take_set(partners);
    preview.take_set(contacts);
    m_api->sort_set(partners, QStringLiteral("PARTNER_NAME"), false);
    m_api->link_master_detail(partners, contacts, QStringLiteral("ID_PARTNER"),
                              QStringLiteral("RECID"));
    preview.open_conf_address();
    preview.register_conf_address();
    preview.register_set(partners);
    preview.register_set(contacts);

    EXPECT_EQ(page_texts(preview.prepare()),
              QStringList({"Dvořák", "- dvorak@firma.cz", "Novák", "- novak@firma.cz",
                           "- +420 777 111 222", "Účetní s.r.o."}));
}

TEST_F(ReportData, ASetThatFailedToOpenLeavesItsBandEmpty)
{
    PreviewReport preview;
    preview.report().set_template(parse_template(partners_with_contacts, QString()));
    preview.register_set(nullptr);
    EXPECT_NO_THROW(preview.prepare());
}

TEST(PreviewZoom, StepsByTenAndStopsOncePastTheLimits)
{
    struct Case {
        double from;
        double in;
        double out;
    };
    for (const Case &c : {Case{100, 110, 90}, Case{195, 205, 185}, Case{205, 205, 195},
                          Case{200, 200, 190}, Case{15, 25, 5}, Case{5, 15, 5}, Case{10, 20, 10}})
    {
        EXPECT_DOUBLE_EQ(zoom_in(c.from), c.in) << c.from;
        EXPECT_DOUBLE_EQ(zoom_out(c.from), c.out) << c.from;
    }
}

TEST(PreviewZoom, FittingModesUseTheRoomLeftForThePage)
{
    EXPECT_DOUBLE_EQ(whole_page_zoom(QSizeF(800, 1000), QSizeF(400, 800)), 50.0);
    EXPECT_DOUBLE_EQ(whole_page_zoom(QSizeF(800, 1000), QSizeF(1600, 500)), 50.0);
    EXPECT_DOUBLE_EQ(page_width_zoom(800, 1200), 150.0);
    EXPECT_DOUBLE_EQ(whole_page_zoom(QSizeF(), QSizeF(400, 800)), 100.0);
    EXPECT_DOUBLE_EQ(page_width_zoom(800, 0), 100.0);
}

TEST(PreviewLayout, OnlyThePagesReachingIntoTheRowsOnScreenAreFound)
{
    // Pages of 100 rows at one pixel per unit, with gaps of 10: tops at 10, 120, 230, ...
    const std::vector<QSizeF> pages(250, QSizeF(80, 100));
    const PreviewLayout layout(pages, 1.0, 10.0);
    EXPECT_DOUBLE_EQ(layout.size().height(), 250 * 110 + 10);
    EXPECT_DOUBLE_EQ(layout.page_rect(1).top(), 120);

    struct Case {
        double top;
        double bottom;
        int first;
        int last;
    };
    for (const Case &c : {Case{0, 50, 0, 0}, Case{0, 115, 0, 0}, Case{105, 125, 0, 1}, Case{112, 125, 1, 1},
                          Case{110, 120, 0, -1}, Case{100, 240, 0, 2},
                          Case{27000, 28000, 245, 249}})
    {
        const PageRange range = layout.pages_between(c.top, c.bottom);
        if (c.last < c.first) {
            EXPECT_TRUE(range.empty()) << c.top << "-" << c.bottom;
            continue;
        }
        EXPECT_EQ(range.first, c.first) << c.top << "-" << c.bottom;
        EXPECT_EQ(range.last, c.last) << c.top << "-" << c.bottom;
    }
    EXPECT_EQ(layout.page_at(-5), 0);
    EXPECT_EQ(layout.page_at(125), 1);
    EXPECT_EQ(layout.page_at(1e9), 249);
    EXPECT_TRUE(PreviewLayout({}, 1.0, 10.0).pages_between(0, 100).empty());
}

TEST(ReportState, OnePdfExportConsumesTheProtectionSetForIt)
{
    pdf_password = QStringLiteral(" tajné ");
    pdf_permission = 0;
    const PdfExportOptions first = pdf_options_provider();
    EXPECT_EQ(first.password, QStringLiteral(" tajné "));
    EXPECT_EQ(first.permission, 0u);
    const PdfExportOptions next = pdf_options_provider();
    EXPECT_TRUE(next.password.isEmpty());
    EXPECT_EQ(next.permission, 20u);
}

} // namespace
