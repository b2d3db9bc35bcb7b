#include "reports/ui/preview_fixture.h"

#include "engine/template_loader.h"
#include "reports/report_state.h"
#include "reports/ui/fpreview.h"

#include <QTest>

QByteArray journal_template()
{
    return R"({
    "version": 1,
    "pages": [{"width": 744, "height": 1052,
        "margins": {"left": 36, "top": 36, "right": 36, "bottom": 36},
        "bands": [
            {"kind": "page_header", "height": 30,
             "objects": [{"type": "text", "name": "report_title", "x": 0, "y": 0, "width": 672,
                          "height": 24, "text": ["Peněžní deník – příjmy a výdaje"],
                          "font": {"size": 14, "bold": true}}]},
            {"kind": "master_data", "name": "master_data", "source": "frrepo_TE", "height": 22,
             "objects": [
                {"type": "text", "x": 0, "y": 0, "width": 400, "height": 22,
                 "frame": {"sides": 2}, "text": ["[dbAPI.repo_TE.\"TEXT\"]"]},
                {"type": "text", "x": 400, "y": 0, "width": 272, "height": 22, "align": "right",
                 "frame": {"sides": 2}, "format": "### ##0.00",
                 "text": ["[dbAPI.repo_TE.\"AMOUNT\"]"]}]},
            {"kind": "page_footer", "height": 20,
             "objects": [{"type": "text", "x": 0, "y": 0, "width": 672, "height": 16,
                          "align": "center", "text": ["strana [PAGE#] z [TOTALPAGES]"]}]}
        ]}]
})";
}

void PreviewFixture::TearDown()
{
    send_on_open = false;
    pdf_password.clear();
    pdf_permission = default_pdf_permission;
    DbFixture::TearDown();
}

std::unique_ptr<Tfpreview> PreviewFixture::open_preview(int rows, QSize size)
{
    m_rows = std::make_unique<MemoryDataSource>(QStringList{"TEXT", "AMOUNT"});
    for (int i = 1; i <= rows; ++i)
        m_rows->add_row({QStringLiteral("Úhrada faktury č. %1, žluťoučký kůň").arg(i),
                         1234.5 * i});
    auto preview = std::make_unique<Tfpreview>();
    preview->setWindowTitle(QStringLiteral("   Peněžní deník"));
    preview->report().report().set_template(parse_template(journal_template(), QString()));
    preview->report().report().register_source(QStringLiteral("frrepo_TE"), m_rows.get());
    EXPECT_TRUE(preview->prepare_report());
    preview->resize(size);
    preview->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(preview.get()));
    return preview;
}
