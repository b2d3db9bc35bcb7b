#include "text/format_settings.h"
#include "data/memtable.h"
#include "data/memtable_stream.h"
#include "data/tdatetime.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace {

struct Row {
    int recid;
    QString name;
    double amount;
    QDate date = {};
};

// RECID, NAME, AMOUNT, DATE_D with the given rows; null cells where a value is missing.
std::unique_ptr<TMemTable> make_set(const std::vector<Row> &rows)
{
    auto set = std::make_unique<TMemTable>();
    set->add_field("RECID", FieldType::Integer);
    set->add_field("NAME", FieldType::Text, 65);
    set->add_field("AMOUNT", FieldType::Float);
    set->add_field("DATE_D", FieldType::DateTime);
    set->open();
    for (const Row &row : rows) {
        set->append();
        set->field(0).set_as_integer(row.recid);
        if (!row.name.isNull())
            set->field(1).set_as_string(row.name);
        set->field(2).set_as_float(row.amount);
        if (row.date.isValid())
            set->field(3).set_as_datetime(days_from_date(row.date));
        set->post();
    }
    set->first();
    return set;
}

std::vector<int> recids(TMemTable &set)
{
    std::vector<int> ids;
    for (set.first(); !set.eof(); set.next())
        ids.push_back(set.field_by_name("RECID").as_integer());
    return ids;
}

class MemTableTest : public testing::Test {
protected:
    void SetUp() override
    {
        set_decimal_separator(u',');
        set_short_date_format(QStringLiteral("d.M.yyyy"));
    }
};

} // namespace

TEST_F(MemTableTest, NavigatesAndReportsEndOfRows)
{
    auto set = make_set({{1, "a", 1}, {2, "b", 2}, {3, "c", 3}});
    EXPECT_EQ(set->record_count(), 3);
    EXPECT_EQ(recids(*set), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(set->eof());
    EXPECT_EQ(set->row_number(), 3);
    set->set_row_number(2);
    EXPECT_EQ(set->field_by_name("name").as_string(), "b");

    auto empty = make_set({});
    EXPECT_TRUE(empty->is_empty());
    EXPECT_TRUE(empty->eof());
    EXPECT_EQ(empty->row_number(), 0);
    EXPECT_TRUE(empty->field(1).is_null());
    EXPECT_EQ(empty->field_count(), 4);
}

TEST_F(MemTableTest, EditCancelPostAndInsertHook)
{
    auto set = make_set({{1, "Novák", 10}, {2, "Dvořák", 20}});
    set->after_insert = [](TMemTable &t) { t.field_by_name("RECID").set_as_integer(0); };

    set->edit();
    set->field(1).set_as_string("Svoboda");
    EXPECT_EQ(set->field(1).as_string(), "Svoboda");
    set->cancel();
    EXPECT_EQ(set->field(1).as_string(), "Novák");

    set->edit();
    set->field(2).set_as_string("12,5");
    set->post();
    EXPECT_DOUBLE_EQ(set->field(2).as_float(), 12.5);

    set->next();
    set->insert(); // before the current row
    EXPECT_EQ(set->field(0).as_integer(), 0);
    EXPECT_FALSE(set->field(0).is_null());
    set->field(1).set_as_string("Nový");
    // The rows a grid shows keep their values while the new row is typed.
    EXPECT_EQ(set->cell_text(1, 1), "Dvořák");
    EXPECT_EQ(set->cell_value(1, 0).toInt(), 2);
    EXPECT_FALSE(set->cell_is_null(1, 1));
    set->post();
    EXPECT_EQ(set->row_number(), 2);
    EXPECT_EQ(recids(*set), (std::vector<int>{1, 0, 2}));
}

TEST_F(MemTableTest, TextIsCutToTheColumnLength)
{
    TMemTable set;
    set.add_field("CODE", FieldType::Text, 3);
    set.open();
    set.append();
    set.field(0).set_as_string("ABCDE");
    set.post();
    EXPECT_EQ(set.field(0).as_string(), "ABC");
}

TEST_F(MemTableTest, RemoveKeepsAValidCurrentRow)
{
    auto set = make_set({{1, "a", 1}, {2, "b", 2}, {3, "c", 3}});
    set->last();
    set->remove();
    EXPECT_EQ(set->row_number(), 2);
    EXPECT_EQ(set->field(0).as_integer(), 2);
    set->first();
    set->remove();
    EXPECT_EQ(set->field(0).as_integer(), 2);
    set->remove();
    EXPECT_TRUE(set->is_empty());
    EXPECT_EQ(set->row_number(), 0);
}

TEST_F(MemTableTest, LocateOptions)
{
    auto set = make_set({{1, "Žluťoučký kůň", 1}, {2, "žLUŤ", 2}, {3, "Kůň", 3.5}});
    struct Case {
        const char *field;
        QVariant value;
        int options;
        int found; // RECID, 0 for none
    };
    const Case cases[] = {
        {"NAME", "kůň", TMemTable::loExact, 0},
        {"NAME", "kůň", TMemTable::loCaseInsensitive, 3},
        {"NAME", "žluť", TMemTable::loCaseInsensitive, 2},
        {"NAME", "ŽLUŤ", TMemTable::loCaseInsensitive | TMemTable::loPartialKey, 1},
        {"NAME", "Žluť", TMemTable::loExact | TMemTable::loPartialKey, 1},
        {"RECID", 3, TMemTable::loExact, 3},
        {"AMOUNT", 3.5, TMemTable::loExact, 3},
        {"RECID", 7, TMemTable::loExact, 0},
        {"UNKNOWN", 1, TMemTable::loExact, 0},
    };
    for (const Case &c : cases) {
        set->set_row_number(2);
        const bool found = set->locate(c.field, c.value, c.options);
        EXPECT_EQ(found, c.found != 0) << c.field << " " << qPrintable(c.value.toString());
        if (c.found)
            EXPECT_EQ(set->field(0).as_integer(), c.found);
        else
            EXPECT_EQ(set->row_number(), 2) << "a failed locate must not move";
    }
}

TEST_F(MemTableTest, FiltersWithQuotedValuesDatesAndParentheses)
{
    auto set = make_set({{1, "a", 100, QDate(2025, 12, 31)},
                         {2, "b", 200, QDate(2026, 1, 1)},
                         {3, "c", 300, QDate(2026, 7, 15)},
                         {4, "O'Neil", 400, QDate(2026, 12, 31)},
                         {5, "e", 500, QDate(2027, 1, 1)},
                         {6, "f", 600, {}}});
    struct Case {
        QString filter;
        std::vector<int> rows;
    };
    const Case cases[] = {
        {"DATE_D >= '1.1.2026' and DATE_D <= '31.12.2026'", {2, 3, 4}},
        {"DATE_D >= '1.1.2026' AND DATE_D <= '31.12.2026' AND AMOUNT >= '250'", {3, 4}},
        {"(NAME = 'a') or (NAME = 'O''Neil')", {1, 4}},
        {"(AMOUNT <= '200' or AMOUNT >= '500') and RECID <> '6'", {1, 2, 5}},
        {"amount = '300,0'", {3}},
        {"DATE_D <= '1.1.2030'", {1, 2, 3, 4, 5}},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(set->set_filter_text(c.filter)) << qPrintable(c.filter);
        set->set_filtered(true);
        EXPECT_EQ(recids(*set), c.rows) << qPrintable(c.filter);
    }
    set->set_filtered(false);
    EXPECT_EQ(set->record_count(), 6);
}

TEST_F(MemTableTest, FilterTextThatDoesNotParseIsRefused)
{
    auto set = make_set({{1, "a", 1, QDate(2026, 1, 1)}, {2, "b", 2, QDate(2026, 2, 1)}});
    ASSERT_TRUE(set->set_filter_text("NAME = 'b'"));
    set->set_filtered(true);
    for (const QString &bad : {QString("NAME = b"), QString("NOPE = 'x'"),
                               QString("(NAME = 'a'"), QString("DATE_D >= '31.31.2026'"),
                               QString("NAME 'a'"), QString("NAME = 'a' and"),
                               QString(200, u'('), QString("AMOUNT = 'nan'"),
                               QString("AMOUNT >= 'inf'"), QString("AMOUNT <= '-Infinity'"),
                               QString("AMOUNT = 'abc'")}) {
        EXPECT_FALSE(set->set_filter_text(bad)) << qPrintable(bad);
        EXPECT_EQ(recids(*set), std::vector<int>{2});
    }
}

TEST_F(MemTableTest, LongChainsOfTermsNeedNoDeepStack)
{
    auto set = make_set({{1, "a", 1, QDate(2026, 1, 1)}, {2, "b", 2, QDate(2026, 2, 1)}});
    QStringList terms;
    for (int i = 0; i < 300000; ++i)
        terms << QStringLiteral("AMOUNT >= '1'");
    ASSERT_TRUE(set->set_filter_text(terms.join(" and ") + " and NAME = 'b'"));
    set->set_filtered(true);
    EXPECT_EQ(recids(*set), std::vector<int>{2});
    ASSERT_TRUE(set->set_filter_text("NAME = 'x' or " + terms.join(" or ")));
    EXPECT_EQ(recids(*set), (std::vector<int>{1, 2}));
    set->set_filtered(false);
}

TEST_F(MemTableTest, SortsByFieldListCaseInsensitiveInCzechOrder)
{
    auto set = make_set({{1, "čáp", 1}, {2, "Chata", 1}, {3, "cena", 2}, {4, "Dům", 1},
                         {5, "hrad", 2}, {6, QString(), 3}, {7, "Cena", 1}});
    set->sort_on("NAME;RECID", false);
    // Czech: c < č < d < h < ch; nulls first; equal names by RECID.
    EXPECT_EQ(recids(*set), (std::vector<int>{6, 3, 7, 1, 4, 5, 2}));
    set->sort_on("AMOUNT;RECID", true);
    EXPECT_EQ(recids(*set), (std::vector<int>{6, 5, 3, 7, 4, 2, 1}));
}

TEST_F(MemTableTest, SortsByNumbersWithNullsFirstBothZerosEqualAndTiesInRowOrder)
{
    TMemTable set;
    set.add_field("RECID", FieldType::Integer);
    set.add_field("AMOUNT", FieldType::Float);
    set.add_field("DATE_D", FieldType::DateTime);
    set.open();
    const double d0 = days_from_date(QDate(2023, 12, 31));
    const double d1 = days_from_date(QDate(2024, 1, 2));
    const struct {
        int recid;
        std::optional<double> amount;
        std::optional<double> date;
    } rows[] = {{1, -0.0, d1}, {2, {}, d1},   {3, 0.0, d1},  {4, -3.5, {}},
                {5, 0.0, {}},  {6, 1e9, d0},  {7, -3.5, d0}, {8, -1e-300, d1}};
    for (const auto &row : rows) {
        set.append();
        set.field(0).set_as_integer(row.recid);
        if (row.amount)
            set.field(1).set_as_float(*row.amount);
        if (row.date)
            set.field(2).set_as_datetime(*row.date);
        set.post();
    }
    const struct {
        const char *fields;
        bool descending;
        std::vector<int> recids;
    } cases[] = {
        {"AMOUNT;DATE_D", false, {2, 4, 7, 8, 5, 1, 3, 6}},
        {"AMOUNT;DATE_D", true, {6, 1, 3, 5, 8, 7, 4, 2}},
        // Three keys take another way through the sort; RECID follows the row order here.
        {"AMOUNT;DATE_D;RECID", false, {2, 4, 7, 8, 5, 1, 3, 6}},
        {"AMOUNT;DATE_D;RECID", true, {6, 3, 1, 5, 8, 7, 4, 2}},
        {"DATE_D", true, {1, 2, 3, 8, 6, 7, 4, 5}},
        {"RECID", true, {8, 7, 6, 5, 4, 3, 2, 1}},
    };
    for (const auto &c : cases) {
        set.sort_on(c.fields, c.descending);
        EXPECT_EQ(recids(set), c.recids) << c.fields << (c.descending ? " descending" : "");
    }
}

TEST_F(MemTableTest, SortKeepsTheCurrentRowAndFilterAppliesToTheSortedOrder)
{
    auto set = make_set({{1, "a", 3}, {2, "b", 1}, {3, "c", 2}, {4, "d", 4}});
    set->locate("RECID", 3);
    set->sort_on("AMOUNT", false);
    EXPECT_EQ(set->field(0).as_integer(), 3);
    EXPECT_EQ(set->row_number(), 2);
    set->set_filter_text("AMOUNT >= '2'");
    set->set_filtered(true);
    EXPECT_EQ(recids(*set), (std::vector<int>{3, 1, 4}));
}

TEST_F(MemTableTest, DetailFollowsMasterAndTakesItsKeyOnAppend)
{
    auto master = make_set({{10, "first", 0}, {20, "second", 0}});
    TMemTable detail;
    detail.add_field("RECID", FieldType::Integer);
    detail.add_field("HEADER_ID", FieldType::Integer);
    detail.open();
    for (auto [id, header] : {std::pair{1, 10}, {2, 20}, {3, 10}}) {
        detail.append();
        detail.field(0).set_as_integer(id);
        detail.field(1).set_as_integer(header);
        detail.post();
    }
    detail.set_master(master.get(), "HEADER_ID", "RECID");
    master->first();
    EXPECT_EQ(recids(detail), (std::vector<int>{1, 3}));
    master->next();
    EXPECT_EQ(recids(detail), std::vector<int>{2});

    detail.append();
    EXPECT_EQ(detail.field(1).as_integer(), 20);
    detail.field(0).set_as_integer(4);
    detail.post();
    EXPECT_EQ(recids(detail), (std::vector<int>{2, 4}));

    master.reset();
    EXPECT_EQ(detail.master(), nullptr);
    EXPECT_EQ(detail.record_count(), 4);
}

TEST_F(MemTableTest, DisabledControlsSignalOnceWhenEnabled)
{
    auto set = make_set({{1, "a", 1}, {2, "b", 2}});
    QSignalSpy layout(set.get(), &TMemTable::layout_changed);
    QSignalSpy current(set.get(), &TMemTable::current_changed);
    set->disable_controls();
    for (int i = 0; i < 5; ++i) {
        set->append();
        set->field(0).set_as_integer(10 + i);
        set->post();
    }
    set->first();
    EXPECT_EQ(layout.count(), 0);
    EXPECT_EQ(current.count(), 0);
    set->enable_controls();
    EXPECT_EQ(layout.count(), 1);
    EXPECT_EQ(current.count(), 1);
}

TEST_F(MemTableTest, DisplayTextUsesHookThenFormat)
{
    set_decimal_separator(u',');
    auto set = make_set({{1, "T", 1234.5, QDate(2026, 3, 7)}});
    set->field(2).display_format = "### ##0.00";
    EXPECT_EQ(set->cell_display_text(0, 2), "1 234,50");
    EXPECT_EQ(set->field(3).display_text(), "7.3.2026");
    set->field(1).text_hook = [](const TMemTable &t, int row, const TField &f) {
        return t.cell_text(row, f.index()) == "T" ? QString("ano") : QString("ne");
    };
    EXPECT_EQ(set->cell_display_text(0, 1), "ano");
}

TEST_F(MemTableTest, StreamRoundTripKeepsColumnsRowsAndNulls)
{
    QTemporaryDir dir;
    auto set = make_set({{1, "Příliš žluťoučký", 1.25, QDate(2026, 1, 2)}, {2, QString(), 0, {}}});
    set->name = "repo_TEST";
    const QString path = dir.filePath("set.bin");
    ASSERT_TRUE(save_set_to_file(*set, path));
    auto back = load_set_from_file(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, "repo_TEST");
    ASSERT_EQ(back->field_count(), 4);
    EXPECT_EQ(back->field(1).size(), 65);
    EXPECT_EQ(back->record_count(), 2);
    EXPECT_EQ(back->field(1).as_string(), "Příliš žluťoučký");
    EXPECT_EQ(back->field(3).as_datetime(), days_from_date(QDate(2026, 1, 2)));
    back->next();
    EXPECT_TRUE(back->field(1).is_null());
    EXPECT_TRUE(back->field(3).is_null());

    QFile garbage(dir.filePath("garbage.bin"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a record set");
    garbage.close();
    EXPECT_FALSE(load_set_from_file(garbage.fileName()));
}
