#include "engine/font_book.h"
#include "engine/memory_data_source.h"
#include "engine/report.h"
#include "engine/report_error.h"

#include "golden.h"
#include "report_fixture.h"
#include "text/format_settings.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

// The detail rows of the master's current row, as the reports layer links record sets.
class LinkedDetailSource : public ReportDataSource {
public:
    LinkedDetailSource(const MemoryDataSource &master, int master_key, MemoryDataSource &rows,
                       int detail_key)
        : m_master(master), m_master_key(master_key), m_rows(rows), m_detail_key(detail_key)
    {
    }

    void first() override
    {
        m_rows.first();
        skip_others();
    }
    void next() override
    {
        m_rows.next();
        skip_others();
    }
    bool eof() const override { return m_rows.eof(); }
    int column_index(const QString &name) const override { return m_rows.column_index(name); }
    QVariant value(int column) const override { return m_rows.value(column); }

private:
    void skip_others()
    {
        while (!m_rows.eof() && m_rows.value(m_detail_key) != m_master.value(m_master_key))
            m_rows.next();
    }

    const MemoryDataSource &m_master;
    int m_master_key;
    MemoryDataSource &m_rows;
    int m_detail_key;
};

std::vector<QString> texts_of(const PreparedPage &page, BandKind band)
{
    std::vector<QString> texts;
    for (const DisplayItem &item : page.items)
        if (const auto *text = std::get_if<DisplayText>(&item.content); text && item.band == band)
            for (const TextLine &line : text->lines)
                texts.push_back(line.text);
    return texts;
}

std::vector<QString> all_texts(const PreparedReport &report)
{
    std::vector<QString> texts;
    for (const PreparedPage &page : report.pages)
        for (const DisplayItem &item : page.items)
            if (const auto *text = std::get_if<DisplayText>(&item.content))
                for (const TextLine &line : text->lines)
                    texts.push_back(line.text);
    return texts;
}

MemoryDataSource journal_rows()
{
    MemoryDataSource rows({"GRP", "DATE_D", "TEXT", "AMOUNT"});
    rows.add_row({1, QDate(2026, 1, 5), "Nájem", 1500.0});
    rows.add_row({1, QDate(2026, 1, 9), "Elektřina", QVariant()});
    rows.add_row({1, QDate(2026, 2, 1), "Nájem", 1500.5});
    rows.add_row({2, QDate(2026, 2, 3), "Zboží", 200.0});
    rows.add_row({2, QDate(2026, 2, 7), "Zboží", -50.25});
    rows.add_row({3, QDate(2026, 3, 1), "Služby", 10.0});
    return rows;
}

// Small pages, so that six rows with their groups need more than one.
const char *const grouped_template = R"json({"version": 1, "pages": [{
    "width": 400, "height": 200, "margins": {"left": 10, "top": 10, "right": 10, "bottom": 10},
    "bands": [
      {"kind": "report_title", "height": 20, "objects": [
        {"type": "text", "width": 380, "height": 20, "text": ["Deník ke dni [DATE]"],
         "font": {"size": 10, "bold": true}}]},
      {"kind": "page_header", "height": 14, "on_first_page": false, "objects": [
        {"type": "text", "width": 380, "height": 14, "text": ["Deník – pokračování"]}]},
      {"kind": "group_header", "height": 16, "group": "[dbAPI.repo_TE.\"GRP\"]", "objects": [
        {"type": "text", "width": 380, "height": 16, "text": ["Skupina [dbAPI.repo_TE.\"GRP\"]"],
         "font": {"size": 8, "bold": true}}]},
      {"kind": "master_data", "source": "frrepo_TE", "height": 16, "objects": [
        {"type": "text", "width": 30, "height": 16, "text": ["[LINE#]"]},
        {"type": "text", "x": 30, "width": 80, "height": 16,
         "text": ["[dbAPI.repo_TE.\"DATE_D\"]"]},
        {"type": "text", "x": 110, "width": 170, "height": 16,
         "text": ["[dbAPI.repo_TE.\"TEXT\"]"]},
        {"type": "text", "x": 280, "width": 100, "height": 16, "align": "right",
         "format": "### ##0.00", "frame": {"sides": 2},
         "text": ["[dbAPI.repo_TE.\"AMOUNT\"]"]}]},
      {"kind": "group_footer", "height": 16, "objects": [
        {"type": "text", "width": 280, "height": 16,
         "text": ["Celkem [dbAPI.repo_TE.\"TEXT\"] ([COUNT([dbAPI.repo_TE.\"AMOUNT\"])])"]},
        {"type": "text", "x": 280, "width": 100, "height": 16, "align": "right",
         "format": "### ##0.00", "text": ["[SUM([dbAPI.repo_TE.\"AMOUNT\"])]"]}]},
      {"kind": "report_summary", "height": 16, "objects": [
        {"type": "text", "x": 280, "width": 100, "height": 16, "align": "right",
         "format": "### ##0.00", "text": ["[SUM([dbAPI.repo_TE.\"AMOUNT\"])]"]}]},
      {"kind": "page_footer", "height": 14, "objects": [
        {"type": "text", "width": 380, "height": 14, "align": "right",
         "text": ["strana [PAGE#] z [TOTALPAGES]"]}]}]}]})json";

PreparedReport prepare_grouped(MemoryDataSource &rows)
{
    Report report;
    report.set_template(template_from_json(grouped_template));
    report.register_source(QStringLiteral("frrepo_TE"), &rows);
    return report.prepare(fixed_day());
}

TEST(Preparer, GroupedJournalMatchesGolden)
{
    CzechFormats formats;
    MemoryDataSource rows = journal_rows();
    const PreparedReport prepared = prepare_grouped(rows);
    EXPECT_EQ(compare_with_golden(QStringLiteral("grouped_journal"), prepared), QString());
}

TEST(Preparer, GroupFootersSumTheirGroupAndShowItsLastRow)
{
    CzechFormats formats;
    MemoryDataSource rows = journal_rows();
    const std::vector<QString> footers = [&] {
        std::vector<QString> texts;
        for (const PreparedPage &page : prepare_grouped(rows).pages)
            for (const QString &text : texts_of(page, BandKind::GroupFooter))
                texts.push_back(text);
        return texts;
    }();
    // COUNT of a column counts its values, so the empty amount of "Elektřina" is not one.
    EXPECT_EQ(footers, (std::vector<QString>{"Celkem Nájem (2)", "3 000,50", "Celkem Zboží (2)",
                                             "149,75", "Celkem Služby (1)", "10,00"}));
}

TEST(Preparer, PageNumbersAreFilledInAfterTheLastPage)
{
    CzechFormats formats;
    MemoryDataSource rows = journal_rows();
    const PreparedReport prepared = prepare_grouped(rows);
    ASSERT_GE(prepared.pages.size(), 2u);
    for (size_t page = 0; page < prepared.pages.size(); ++page) {
        const auto footer = texts_of(prepared.pages[page], BandKind::PageFooter);
        EXPECT_EQ(footer,
                  std::vector<QString>{
                      QStringLiteral("strana %1 z %2").arg(page + 1).arg(prepared.pages.size())});
    }
    // The page header is left off the first page, as the template asks.
    EXPECT_TRUE(texts_of(prepared.pages[0], BandKind::PageHeader).empty());
    EXPECT_EQ(texts_of(prepared.pages[1], BandKind::PageHeader).size(), 1u);
}

TEST(Preparer, RightAlignedPageNumberEndsAtTheObjectsEdge)
{
    CzechFormats formats;
    MemoryDataSource rows = journal_rows();
    const PreparedReport prepared = prepare_grouped(rows);
    FontBook fonts;
    for (const PreparedPage &page : prepared.pages)
        for (const DisplayItem &item : page.items)
            if (item.band == BandKind::PageFooter) {
                const auto &text = std::get<DisplayText>(item.content);
                const TextLine &line = text.lines.at(0);
                const double width =
                    fonts.width(fonts.font(prepared.fonts[text.font].style), line.text);
                EXPECT_NEAR(line.position.x() + width, item.rect.right(), 0.01);
            }
}

TEST(Preparer, AggregatesOverAGroup)
{
    CzechFormats formats;
    struct Case {
        const char *expression;
        const char *first_group;
    };
    const Case cases[] = {
        {"[SUM([dbAPI.repo_TE.\"AMOUNT\"])]", "3000.5"},
        {"[COUNT([dbAPI.repo_TE.\"TEXT\"])]", "3"},
        {"[MIN([dbAPI.repo_TE.\"AMOUNT\"])]", "1500"},
        {"[MAX([dbAPI.repo_TE.\"AMOUNT\"])]", "1500.5"},
        {"[AVG([dbAPI.repo_TE.\"AMOUNT\"])]", "1500.25"},
        {"[sum(dbAPI.repo_TE.\"AMOUNT\")]", "3000.5"},
    };
    for (const Case &c : cases) {
        const QByteArray json = QByteArray(R"json({"version": 1, "pages": [{"bands": [
            {"kind": "group_header", "height": 10, "group": "[dbAPI.repo_TE.\"GRP\"]"},
            {"kind": "master_data", "source": "frrepo_TE", "height": 10},
            {"kind": "group_footer", "height": 10, "objects": [
              {"type": "text", "width": 100, "height": 10, "format": "0.##", "text": [")json") +
                                QByteArray(c.expression).replace("\"", "\\\"") +
                                R"json("]}]}]}]})json";
        Report report;
        report.set_template(template_from_json(json));
        MemoryDataSource rows = journal_rows();
        report.register_source(QStringLiteral("frrepo_TE"), &rows);
        set_decimal_separator(u'.');
        const auto footers =
            texts_of(report.prepare(fixed_day()).pages.at(0), BandKind::GroupFooter);
        ASSERT_EQ(footers.size(), 3u) << c.expression;
        EXPECT_EQ(footers[0], QLatin1String(c.first_group)) << c.expression;
    }
}

TEST(Preparer, PageFooterSumsTheRowsOfItsPage)
{
    CzechFormats formats;
    Report report;
    report.set_template(template_from_json(R"json({"version": 1, "pages": [{
        "width": 300, "height": 60, "bands": [
        {"kind": "master_data", "source": "frrepo_TE", "height": 15},
        {"kind": "page_footer", "height": 15, "objects": [
          {"type": "text", "width": 100, "height": 15, "format": "0.00",
           "text": ["[SUM([dbAPI.repo_TE.\"AMOUNT\"])]"]}]}]}]})json"));
    MemoryDataSource rows = journal_rows();
    report.register_source(QStringLiteral("frrepo_TE"), &rows);
    std::vector<QString> sums;
    for (const PreparedPage &page : report.prepare(fixed_day()).pages)
        for (const QString &text : texts_of(page, BandKind::PageFooter))
            sums.push_back(text);
    // Three rows a page; the row that opens a page counts on that page.
    EXPECT_EQ(sums, (std::vector<QString>{"3000,50", "159,75"}));
}

TEST(Preparer, DetailRowsFollowTheirMasterWithTheirOwnLineNumbers)
{
    CzechFormats formats;
    MemoryDataSource partners({"RECID", "PARTNER_NAME"});
    partners.add_row({10, "Novák s.r.o."});
    partners.add_row({11, "Dvořák a syn"});
    partners.add_row({12, "Bez adresy, a.s."});
    MemoryDataSource addresses({"ID_PARTNER", "CITY"});
    addresses.add_row({10, "Praha"});
    addresses.add_row({11, "Brno"});
    addresses.add_row({10, "Plzeň"});
    addresses.add_row({11, "Ostrava"});
    LinkedDetailSource linked(partners, 0, addresses, 0);
    Report report;
    report.set_template(template_from_json(R"json({"version": 1, "pages": [{"bands": [
        {"kind": "master_data", "source": "frrepo_PAR", "height": 14, "objects": [
          {"type": "text", "width": 200, "height": 14, "font": {"bold": true},
           "text": ["[dbAPI.repo_PAR.\"PARTNER_NAME\"]"]}]},
        {"kind": "detail_data", "source": "frrepo_ADDR", "height": 12, "objects": [
          {"type": "text", "x": 20, "width": 200, "height": 12,
           "text": ["[LINE#]. [dbAPI.repo_ADDR.\"CITY\"]"]}]}]}]})json"));
    report.register_source(QStringLiteral("frrepo_PAR"), &partners);
    report.register_source(QStringLiteral("frrepo_ADDR"), &linked);
    const PreparedReport prepared = report.prepare(fixed_day());
    EXPECT_EQ(all_texts(prepared),
              (std::vector<QString>{"Novák s.r.o.", "1. Praha", "2. Plzeň", "Dvořák a syn",
                                    "1. Brno", "2. Ostrava", "Bez adresy, a.s."}));
    EXPECT_EQ(compare_with_golden(QStringLiteral("master_detail"), prepared), QString());
}

TEST(Preparer, StretchingBandGrowsWithWrappedText)
{
    CzechFormats formats;
    Report report;
    report.set_template(template_from_json(R"json({"version": 1, "pages": [{"bands": [
        {"kind": "master_data", "height": 14, "stretch": true, "objects": [
          {"type": "text", "width": 60, "height": 14, "stretch": true,
           "text": ["jedna dva tři čtyři pět šest sedm osm devět deset"]},
          {"type": "text", "x": 60, "width": 60, "height": 14, "stretch": true,
           "frame": {"sides": 15}, "text": ["krátký"]},
          {"type": "text", "x": 120, "width": 60, "height": 14, "text": ["pevný"]}]},
        {"kind": "report_summary", "height": 10, "objects": [
          {"type": "text", "width": 60, "height": 10, "text": ["konec"]}]}]}]})json"));
    const PreparedReport prepared = report.prepare(fixed_day());
    const auto &items = prepared.pages.at(0).items;
    ASSERT_EQ(items.size(), 4u);
    const auto &wrapped = std::get<DisplayText>(items[0].content);
    ASSERT_GT(wrapped.lines.size(), 2u);
    const double line_height = prepared.fonts[wrapped.font].height;
    EXPECT_NEAR(items[0].rect.height(), line_height * wrapped.lines.size(), 0.01);
    // Its neighbour stretches to the band's bottom, the object without "stretch" does not.
    EXPECT_DOUBLE_EQ(items[1].rect.bottom(), items[0].rect.bottom());
    EXPECT_DOUBLE_EQ(items[2].rect.height(), 14);
    // The next band starts below the grown one.
    EXPECT_DOUBLE_EQ(items[3].rect.top(), items[0].rect.bottom());
    for (size_t i = 1; i < wrapped.lines.size(); ++i)
        EXPECT_NEAR(wrapped.lines[i].position.y() - wrapped.lines[i - 1].position.y(), line_height,
                    1e-9);
}

TEST(Preparer, GroupHeaderKeptTogetherNeverEndsAPage)
{
    CzechFormats formats;
    // Room for four bands of 20 a page: the second group's header would be the fourth.
    Report report;
    report.set_template(template_from_json(R"json({"version": 1, "pages": [{
        "width": 200, "height": 80, "bands": [
        {"kind": "group_header", "height": 20, "keep_together": true,
         "group": "[dbAPI.repo_TE.\"GRP\"]", "objects": [
          {"type": "text", "width": 100, "height": 20, "text": ["G[dbAPI.repo_TE.\"GRP\"]"]}]},
        {"kind": "master_data", "source": "frrepo_TE", "height": 20, "objects": [
          {"type": "text", "width": 100, "height": 20, "text": ["[dbAPI.repo_TE.\"TEXT\"]"]}]}
        ]}]})json"));
    MemoryDataSource rows({"GRP", "TEXT"});
    rows.add_row({1, "a"});
    rows.add_row({1, "b"});
    rows.add_row({2, "c"});
    report.register_source(QStringLiteral("frrepo_TE"), &rows);
    const PreparedReport prepared = report.prepare(fixed_day());
    ASSERT_EQ(prepared.pages.size(), 2u);
    EXPECT_EQ(all_texts({prepared.fonts, {prepared.pages[0]}}),
              (std::vector<QString>{"G1", "a", "b"}));
    EXPECT_EQ(all_texts({prepared.fonts, {prepared.pages[1]}}), (std::vector<QString>{"G2", "c"}));
}

TEST(Preparer, MasterKeptTogetherMovesWithItsDetails)
{
    CzechFormats formats;
    MemoryDataSource masters({"ID"});
    masters.add_row({1});
    masters.add_row({2});
    MemoryDataSource details({"ID", "TEXT"});
    for (const char *text : {"a", "b"})
        details.add_row({1, text});
    for (const char *text : {"c", "d", "e"})
        details.add_row({2, text});
    LinkedDetailSource linked(masters, 0, details, 0);
    Report report;
    report.set_template(template_from_json(R"json({"version": 1, "pages": [{
        "width": 200, "height": 100, "bands": [
        {"kind": "master_data", "source": "frM", "height": 20, "keep_together": true,
         "objects": [{"type": "text", "width": 100, "height": 20, "text": ["M[frM.\"ID\"]"]}]},
        {"kind": "detail_data", "source": "frD", "height": 20, "objects": [
          {"type": "text", "width": 100, "height": 20, "text": ["[frD.\"TEXT\"]"]}]}]}]})json"));
    report.register_source(QStringLiteral("frM"), &masters);
    report.register_source(QStringLiteral("frD"), &linked);
    const PreparedReport prepared = report.prepare(fixed_day());
    ASSERT_EQ(prepared.pages.size(), 2u);
    EXPECT_EQ(all_texts({prepared.fonts, {prepared.pages[1]}}),
              (std::vector<QString>{"M2", "c", "d", "e"}));
}

// A band taller than a page must never make the preparer add pages for ever.
TEST(Preparer, BandTallerThanAPageIsClippedOrSplit)
{
    CzechFormats formats;
    QStringList lines;
    for (int i = 1; i <= 30; ++i)
        lines << QStringLiteral("řádek %1").arg(i);
    for (const bool split : {false, true}) {
        Report report;
        report.set_template(template_from_json(QByteArray(R"json({"version": 1, "pages": [{
            "width": 300, "height": 150, "margins": {"top": 10, "bottom": 10},
            "bands": [
            {"kind": "page_footer", "height": 10},
            {"kind": "master_data", "name": "tall", "source": "frrepo_TE", "height": 10,
             "stretch": true, "split": )json") +
                                               (split ? "true" : "false") + R"json(, "objects": [
              {"type": "text", "name": "tall_text", "width": 200, "height": 10,
               "stretch": true, "frame": {"sides": 15}}]}]}]})json"));
        report.find_object(QStringLiteral("tall_text"))->set_text(lines);
        MemoryDataSource rows({"X"});
        rows.add_row({1});
        rows.add_row({2});
        report.register_source(QStringLiteral("frrepo_TE"), &rows);
        const PreparedReport prepared = report.prepare(fixed_day());
        std::vector<QString> printed = all_texts(prepared);
        for (const PreparedPage &page : prepared.pages)
            for (const DisplayItem &item : page.items)
                EXPECT_LE(item.rect.bottom(), 150 - 10 - 10 + 0.01) << "split " << split;
        if (split) {
            // Every line once, in order, over as many pages as they need.
            std::vector<QString> expected;
            for (int row = 0; row < 2; ++row)
                for (const QString &line : lines)
                    expected.push_back(line);
            EXPECT_EQ(printed, expected);
            EXPECT_GE(prepared.pages.size(), 6u);
        } else {
            // One page for each row, holding the lines that fit.
            EXPECT_EQ(prepared.pages.size(), 2u);
            EXPECT_EQ(printed.front(), QStringLiteral("řádek 1"));
            EXPECT_LT(printed.size(), 2u * lines.size());
        }
    }
}

TEST(Preparer, PageHeaderTallerThanThePageEndsTheReport)
{
    Report report;
    report.set_template(template_from_json(R"json({"version": 1, "pages": [{
        "width": 300, "height": 100, "bands": [
        {"kind": "page_header", "height": 150, "objects": [
          {"type": "text", "width": 100, "height": 150, "text": ["záhlaví"]}]},
        {"kind": "master_data", "source": "frrepo_TE", "height": 10, "objects": [
          {"type": "text", "width": 100, "height": 10, "text": ["řádek"]}]}]}]})json"));
    MemoryDataSource rows({"X"});
    for (int i = 0; i < 1000; ++i)
        rows.add_row({i});
    report.register_source(QStringLiteral("frrepo_TE"), &rows);
    const PreparedReport prepared = report.prepare(fixed_day());
    EXPECT_EQ(prepared.pages.size(), 1u);
    EXPECT_EQ(all_texts(prepared), std::vector<QString>{QStringLiteral("záhlaví")});
}

TEST(Preparer, ColumnHeaderRepeatsOnEveryPageOfItsData)
{
    Report report;
    report.set_template(template_from_json(R"json({"version": 1, "pages": [{
        "width": 300, "height": 60, "bands": [
        {"kind": "column_header", "height": 20, "objects": [
          {"type": "text", "width": 100, "height": 20, "text": ["Sloupec"]}]},
        {"kind": "master_data", "source": "frrepo_TE", "height": 20, "objects": [
          {"type": "text", "width": 100, "height": 20, "text": ["[frrepo_TE.\"X\"]"]}]},
        {"kind": "report_summary", "height": 20, "objects": [
          {"type": "text", "width": 100, "height": 20, "text": ["konec"]}]}]}]})json"));
    MemoryDataSource rows({"X"});
    for (int i = 1; i <= 4; ++i)
        rows.add_row({i});
    report.register_source(QStringLiteral("frrepo_TE"), &rows);
    const PreparedReport prepared = report.prepare(fixed_day());
    EXPECT_EQ(all_texts(prepared),
              (std::vector<QString>{"Sloupec", "1", "2", "Sloupec", "3", "4", "konec"}));
}

TEST(Preparer, UnknownColumnNamesTheObject)
{
    Report report;
    report.set_template(template_from_json(R"json({"version": 1, "pages": [{"bands": [
        {"kind": "master_data", "name": "rows", "source": "frrepo_TE", "height": 10,
         "objects": [{"type": "text", "name": "Memo7",
                      "text": ["[dbAPI.repo_TE.\"NO_SUCH\"]"]}]}]}]})json"));
    MemoryDataSource rows({"X"});
    report.register_source(QStringLiteral("frrepo_TE"), &rows);
    try {
        report.prepare(fixed_day());
        FAIL() << "prepared with an unknown column";
    } catch (const ReportError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("Datový zdroj „frrepo_TE“ nemá sloupec "
                                                  "„NO_SUCH“ (objekt „Memo7“, pás „rows“)."));
    }
}

TEST(Preparer, MissingSourcePrintsNothingOfItsBand)
{
    Report report;
    report.set_template(template_from_json(R"json({"version": 1, "pages": [{"bands": [
        {"kind": "report_title", "height": 10, "objects": [
          {"type": "text", "width": 200, "height": 10,
           "text": ["Firma: [frCONF.\"NAME\"]|"]}]},
        {"kind": "master_data", "source": "frrepo_TE", "height": 10, "objects": [
          {"type": "text", "width": 100, "height": 10, "text": ["řádek"]}]},
        {"kind": "master_data", "height": 10, "objects": [
          {"type": "text", "width": 100, "height": 10, "text": ["jednou"]}]}]}]})json"));
    const PreparedReport prepared = report.prepare(fixed_day());
    EXPECT_EQ(all_texts(prepared), (std::vector<QString>{"Firma: |", "jednou"}));
}

TEST(Preparer, SummaryShowsTheLastRowAndSourcesWithoutBandsAsTheyStand)
{
    Report report;
    report.set_template(template_from_json(R"json({"version": 1, "pages": [{"bands": [
        {"kind": "master_data", "source": "frrepo_ITEMS", "height": 10},
        {"kind": "report_summary", "height": 10, "objects": [
          {"type": "text", "width": 300, "height": 10,
           "text": ["[frrepo_ITEMS.\"NAME\"] / [dbAPI.repo_HEADER.\"VS\"]"]}]}]}]})json"));
    MemoryDataSource items({"NAME"});
    items.add_row({"první"});
    items.add_row({"poslední"});
    MemoryDataSource header({"VS"});
    header.add_row({"2026000123"});
    report.register_source(QStringLiteral("frrepo_ITEMS"), &items);
    report.register_source(QStringLiteral("frrepo_HEADER"), &header);
    EXPECT_EQ(all_texts(report.prepare(fixed_day())),
              std::vector<QString>{QStringLiteral("poslední / 2026000123")});
}

TEST(Preparer, ValuesFollowTheProcessFormats)
{
    Report report;
    report.set_template(template_from_json(R"json({"version": 1, "pages": [{"bands": [
        {"kind": "master_data", "source": "frrepo_TE", "height": 10, "objects": [
          {"type": "text", "width": 600, "height": 30, "format": "### ##0.00",
           "text": ["[DATE] [frrepo_TE.\"D\"] [frrepo_TE.\"N\"] [frrepo_TE.\"I\"]",
                    "[frrepo_TE.\"T\"] [Kč] [NEZNÁMÉ]"], "wrap": false}]}]}]})json"));
    MemoryDataSource rows({"D", "N", "I", "T"});
    rows.add_row({QDate(2026, 1, 2), 1234567.891, 42, "text"});
    report.register_source(QStringLiteral("frrepo_TE"), &rows);
    CzechFormats formats;
    EXPECT_EQ(
        all_texts(report.prepare(fixed_day())),
        (std::vector<QString>{"14.3.2026 2.1.2026 1 234 567,89 42,00", "text [Kč] [NEZNÁMÉ]"}));
    set_decimal_separator(u'.');
    EXPECT_EQ(
        all_texts(report.prepare(fixed_day())),
        (std::vector<QString>{"14.3.2026 2.1.2026 1 234 567.89 42.00", "text [Kč] [NEZNÁMÉ]"}));
}

} // namespace
