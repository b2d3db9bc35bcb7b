#include "data/inifile.h"
#include "support/db_fixture.h"
#include "text/format_settings.h"
#include "widgets/appearance.h"
#include "widgets/dbgrid.h"
#include "widgets/grid_columns.h"
#include "widgets/popup_menu.h"

#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <set>

namespace {

class GridTest : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        reload_appearance();
    }

    void write_label(const QString &section, const QString &key, const QString &value)
    {
        IniFile labels(path(QStringLiteral("app/tallyra.lng")));
        ASSERT_TRUE(labels.write_string(section, key, value));
    }

    void insert_entry(const QString &iso_date, const QString &text, double income)
    {
        exec(QStringLiteral("INSERT INTO TE (RECID, DATE_D, TE_TEXT, INCOME) VALUES (%1, '%2', "
                            "%3, %4)")
                 .arg(m_api->new_recid())
                 .arg(iso_date, sql_quote(text), sql_number(income)));
    }

    TMemTable *select_partners()
    {
        return m_api->select_sql(QStringLiteral("VIEW_PAR"),
                                 QStringLiteral("SELECT * FROM VIEW_PAR ORDER BY PARTNER_NO"));
    }

    static QStringList column_names(const TDBGrid &grid)
    {
        QStringList names;
        for (int column = 0; column < grid.table_model().columnCount(); ++column)
            names << grid.column_field(column)->name();
        return names;
    }

    static QStringList column_texts(const TDBGrid &grid, int column)
    {
        QStringList texts;
        for (int row = 0; row < grid.table_model().rowCount(); ++row)
            texts << grid.table_model().index(row, column).data().toString();
        return texts;
    }

    static void click_title(TDBGrid &grid, int column)
    {
        QHeaderView *titles = grid.horizontalHeader();
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                          QPoint(titles->sectionViewportPosition(column) + 4, 4));
    }
};

} // namespace

TEST_F(GridTest, ShowsVisibleColumnsWithLabelsAndFlagsAsAnoNe)
{
    write_label(QStringLiteral("VIEW_PAR"), QStringLiteral("PARTNER_NAME"),
                QStringLiteral("Název"));
    insert_partner(2, QStringLiteral("Beta"));
    insert_partner(1, QStringLiteral("Alfa"));
    exec(QStringLiteral("UPDATE PAR SET IS_VAT='T' WHERE PARTNER_NO=1"));
    TDBGrid grid;
    grid.set_table(select_partners());

    EXPECT_EQ(column_names(grid), QStringList({"PARTNER_NO", "PARTNER_NAME", "ICO", "DIC", "IS_VAT",
                                               "PARTNER_TYPE", "GRP_NAME", "PARTNER_MEMO"}));
    const TMemTableModel &model = grid.table_model();
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Název");
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Číslo")
        << "a key the label file lacks takes the shipped caption";
    EXPECT_EQ(column_texts(grid, 4), QStringList({"ano", "ne"}));
    EXPECT_EQ(column_texts(grid, 1), QStringList({"Alfa", "Beta"}));
    EXPECT_EQ(model.index(0, 0).data(Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(model.index(0, 1).data(Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignLeft | Qt::AlignVCenter));
}

TEST_F(GridTest, CellsUseDisplayFormatsAndTheShortDateFormat)
{
    write_label(QStringLiteral("FLOAT"), QStringLiteral("INCOME"), QStringLiteral("### ##0.00"));
    insert_entry(QStringLiteral("2026-01-05"), QStringLiteral("nájem"), 1234.5);
    TDBGrid grid;
    grid.set_table(
        m_api->select_sql(QStringLiteral("TE"),
                          QStringLiteral("SELECT RECID, DATE_D, TE_TEXT, INCOME, GRP_ID FROM TE")));

    ASSERT_EQ(column_names(grid), QStringList({"DATE_D", "TE_TEXT", "INCOME"}));
    EXPECT_EQ(column_texts(grid, 0), QStringList({"5.1.2026"}));
    EXPECT_EQ(column_texts(grid, 2), QStringList({"1 234,50"}));
}

TEST_F(GridTest, TitleClickSortsAndDateColumnsDescend)
{
    insert_entry(QStringLiteral("2026-01-05"), QStringLiteral("b"), 1);
    insert_entry(QStringLiteral("2025-12-31"), QStringLiteral("c"), 2);
    insert_entry(QStringLiteral("2026-02-01"), QStringLiteral("a"), 3);
    TDBGrid grid;
    grid.set_table(m_api->select_sql(QStringLiteral("TE"),
                                     QStringLiteral("SELECT RECID, DATE_D, TE_TEXT FROM TE")));
    grid.show();

    click_title(grid, 1);
    EXPECT_EQ(column_texts(grid, 1), QStringList({"a", "b", "c"}));
    click_title(grid, 0);
    EXPECT_EQ(column_texts(grid, 0), QStringList({"1.2.2026", "5.1.2026", "31.12.2025"}));

    std::vector<QString> clicked;
    grid.set_title_click([&clicked](const TField &field) { clicked.push_back(field.name()); });
    click_title(grid, 1);
    EXPECT_EQ(clicked, std::vector<QString>{"TE_TEXT"});
    EXPECT_EQ(column_texts(grid, 0), QStringList({"1.2.2026", "5.1.2026", "31.12.2025"}));

    grid.set_title_click({});
    click_title(grid, 1);
    EXPECT_EQ(column_texts(grid, 0), QStringList({"1.2.2026", "5.1.2026", "31.12.2025"}));
}

TEST_F(GridTest, CurrentRowFollowsBothWaysAndScrollsIntoView)
{
    for (int number = 1; number <= 120; ++number)
        insert_partner(number, QStringLiteral("Partner %1").arg(number));
    TMemTable *set = select_partners();
    TDBGrid grid;
    grid.resize(400, 200);
    grid.set_table(set);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                      grid.visualRect(grid.table_model().index(2, 1)).center());
    EXPECT_EQ(set->current_index(), 2);

    ASSERT_TRUE(set->locate(QStringLiteral("PARTNER_NO"), 100));
    const QModelIndex located = grid.currentIndex();
    EXPECT_EQ(located.row(), 99);
    EXPECT_TRUE(grid.viewport()->rect().contains(grid.visualRect(located).center()));

    // A sort rebuilds the rows; the view stays on the same record.
    m_api->sort_set(set, QStringLiteral("PARTNER_NAME"), true);
    EXPECT_EQ(grid.table_model().index(grid.currentIndex().row(), 1).data().toString(),
              "Partner 100");
    EXPECT_EQ(grid.currentIndex().row(), set->current_index());

    set->first();
    EXPECT_EQ(grid.currentIndex().row(), 0);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(set->current_index(), 1);
}

TEST_F(GridTest, RowsAlternateColoursAndAHookColoursTheText)
{
    IniFile settings(path(QStringLiteral("app/tallyra.ini")));
    settings.write_int(QStringLiteral("SETUP"), QStringLiteral("RULER_COLOR"), 0x00FF00);
    settings.write_int(QStringLiteral("SETUP"), QStringLiteral("GRID_COLOR"), 0xFF0000);
    reload_appearance();
    for (int number = 1; number <= 3; ++number)
        insert_partner(number, QStringLiteral("P%1").arg(number));
    TDBGrid grid;
    grid.set_table(select_partners());
    TMemTableModel &model = grid.table_model();
    model.set_row_text_color([](const TMemTable &set, int row) {
        return set.cell_text(row, set.field_by_name("PARTNER_NO").index()) == "2" ? QColor(Qt::red)
                                                                                  : QColor();
    });

    auto background = [&model](int row) {
        return model.index(row, 1).data(Qt::BackgroundRole).value<QBrush>().color();
    };
    EXPECT_EQ(background(0), QColor(0, 255, 0));
    EXPECT_EQ(background(1), QColor(0, 0, 255));
    EXPECT_EQ(background(2), QColor(0, 255, 0));
    EXPECT_FALSE(model.index(0, 1).data(Qt::ForegroundRole).isValid());
    EXPECT_EQ(model.index(1, 1).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
}

TEST_F(GridTest, APostedRowRepaintsAloneAndAFilterResetsTheRows)
{
    for (int number = 1; number <= 3; ++number)
        insert_partner(number, QStringLiteral("P%1").arg(number));
    TMemTable *set = select_partners();
    TDBGrid grid;
    grid.set_table(set);
    QSignalSpy changed(&grid.table_model(), &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&grid.table_model(), &QAbstractItemModel::modelReset);

    set->set_row_number(2);
    set->edit();
    set->field_by_name("PARTNER_NAME").set_as_string(QStringLiteral("Nový"));
    set->post();
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex().row(), 1);
    EXPECT_EQ(changed[0][1].toModelIndex().row(), 1);
    EXPECT_EQ(grid.table_model().index(1, 1).data().toString(), "Nový");
    EXPECT_EQ(reset.size(), 0);

    ASSERT_TRUE(set->set_filter_text(QStringLiteral("PARTNER_NO >= '2'")));
    set->set_filtered(true);
    EXPECT_GE(reset.size(), 1);
    EXPECT_EQ(grid.table_model().rowCount(), 2);
    EXPECT_EQ(grid.currentIndex().row(), set->current_index());
}

TEST_F(GridTest, TheCurrentColumnStaysWhenTheRowsAreLaidOutAgain)
{
    for (int number = 1; number <= 3; ++number)
        insert_partner(number, QStringLiteral("P%1").arg(number));
    TMemTable *set = select_partners();
    TDBGrid grid;
    grid.set_table(set);
    grid.setCurrentIndex(grid.table_model().index(0, 1));
    ASSERT_TRUE(set->set_filter_text(QStringLiteral("PARTNER_NO >= '2'")));
    set->set_filtered(true);
    EXPECT_EQ(grid.currentIndex().column(), 1);
    set->append();
    set->field_by_name("PARTNER_NAME").set_as_string(QStringLiteral("Nový"));
    set->post();
    EXPECT_EQ(grid.currentIndex().column(), 1);
}

TEST_F(GridTest, AFreedSetLeavesAnEmptyGrid)
{
    insert_partner(1, QStringLiteral("Alfa"));
    TMemTable *set = select_partners();
    TDBGrid grid;
    grid.resize(300, 150);
    grid.set_table(set);
    grid.show();
    m_api->free_set(set);
    EXPECT_EQ(grid.table(), nullptr);
    EXPECT_EQ(grid.table_model().rowCount(), 0);
    EXPECT_EQ(grid.table_model().columnCount(), 0);
    grid.viewport()->repaint();
}

TEST_F(GridTest, ColumnHelpersFindColumnsByFieldName)
{
    insert_partner(1, QStringLiteral("Alfa"));
    TDBGrid grid;
    grid.set_table(select_partners(), {"PARTNER_NAME", "PARTNER_NO", "partner_name", "NO_SUCH"});
    ASSERT_EQ(grid.table_model().columnCount(), 3);

    EXPECT_EQ(find_column(grid, QStringLiteral("Partner_Name")), 2);
    EXPECT_EQ(find_column(grid, QStringLiteral("PARTNER_NO")), 1);
    EXPECT_EQ(find_column(grid, QStringLiteral("ICO")), -1);

    set_column_title(grid, QStringLiteral("partner_no"), QStringLiteral("Číslo"));
    EXPECT_EQ(grid.table_model().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              "Číslo");

    grid.setColumnWidth(0, 500);
    grid.setColumnWidth(1, 100);
    limit_column_widths(grid);
    EXPECT_EQ(grid.columnWidth(0), 208);
    EXPECT_EQ(grid.columnWidth(1), 100);

    hide_column(grid, QStringLiteral("partner_NAME"));
    EXPECT_TRUE(grid.isColumnHidden(0));
    EXPECT_FALSE(grid.isColumnHidden(1));
    EXPECT_TRUE(grid.isColumnHidden(2));
    // Hidden columns stay hidden when the set refreshes its rows.
    m_api->sort_set(grid.table(), QStringLiteral("PARTNER_NAME"), false);
    EXPECT_TRUE(grid.isColumnHidden(0));
    EXPECT_EQ(grid.columnWidth(1), 100);
}

TEST_F(GridTest, EnterDoubleClickAndTypingAreAnnounced)
{
    insert_partner(1, QStringLiteral("Alfa"));
    TDBGrid grid;
    grid.resize(300, 150);
    grid.set_table(select_partners());
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy enter(&grid, &TDBGrid::enter_pressed);
    QSignalSpy double_click(&grid, &TDBGrid::record_double_clicked);
    QSignalSpy typed(&grid, &TDBGrid::text_typed);

    QTest::keyClick(&grid, Qt::Key_Return);
    QTest::keyClick(&grid, Qt::Key_Enter, Qt::KeypadModifier);
    const QPoint cell = grid.visualRect(grid.table_model().index(0, 1)).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell);
    QTest::keyClicks(&grid, QStringLiteral("k"));

    EXPECT_EQ(enter.size(), 2);
    EXPECT_EQ(double_click.size(), 1);
    ASSERT_EQ(typed.size(), 1);
    EXPECT_EQ(typed[0][0].toString(), "k");
}

// A detail grid reloaded at every move of its master keeps the widths measured on rows; an
// empty first set, measured on its titles alone, does not fix them.
TEST_F(GridTest, ADetailGridKeepsTheWidthsMeasuredOnRows)
{
    const auto journal = [this](const QString &condition) {
        return m_api->select_sql(QStringLiteral("TE"),
                                 QStringLiteral("SELECT DATE_D, TE_TEXT FROM TE WHERE ") +
                                     condition);
    };
    insert_entry(QStringLiteral("2026-03-01"), QStringLiteral("Dlouhý text úhrady faktury"), 1);
    insert_entry(QStringLiteral("2026-03-02"), QStringLiteral("krátký"), 2);
    TDBGrid grid;
    grid.set_keep_column_widths(true);
    TMemTable *empty = journal(QStringLiteral("0"));
    grid.set_table(empty);
    const int title_width = grid.columnWidth(1);
    TMemTable *wide = journal(QStringLiteral("INCOME = 1"));
    grid.set_table(wide);
    m_api->free_set(empty);
    const int measured = grid.columnWidth(1);
    EXPECT_GT(measured, title_width) << "measured on the first set with rows";
    TMemTable *narrow = journal(QStringLiteral("INCOME = 2"));
    grid.set_table(narrow);
    m_api->free_set(wide);
    EXPECT_EQ(grid.columnWidth(1), measured);
    grid.set_table(nullptr);
    m_api->free_set(narrow);
}

TEST(PopupAt, OpensBelowTheWindowsTopLeftCorner)
{
    QWidget window;
    window.setGeometry(60, 50, 300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QMenu menu;
    menu.addAction(QStringLiteral("Přidat záznam"));
    popup_at(window, menu);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos(), window.frameGeometry().topLeft() + QPoint(32, 80));
    menu.close();
}

TEST(GridOfManyRows, FormatsOnlyTheRowsInView)
{
    constexpr int rows = 200000;
    TMemTable set;
    set.add_field("RECID", FieldType::Integer).visible = false;
    set.add_field("NO", FieldType::Integer);
    TField &name = set.add_field("NAME", FieldType::Text, 40);
    set.open();
    set.disable_controls();
    for (int row = 0; row < rows; ++row) {
        set.append();
        set.field(0).set_as_integer(row + 1);
        set.field(1).set_as_integer(row + 1);
        name.set_as_string(QStringLiteral("Řádek %1").arg(row + 1));
        set.post();
    }
    set.enable_controls();
    set.first();

    std::set<int> formatted;
    name.text_hook = [&formatted](const TMemTable &table, int row, const TField &field) {
        formatted.insert(row);
        return table.cell_text(row, field.index());
    };

    TDBGrid grid;
    grid.resize(320, 240);
    grid.set_table(&set);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    grid.viewport()->repaint();
    EXPECT_LE(formatted.size(), 100u) << "opening the grid must not visit every row";

    auto expect_only_visible_rows = [&] {
        const int top = grid.rowAt(0);
        const int bottom = grid.rowAt(grid.viewport()->height() - 1);
        ASSERT_GE(top, 0);
        ASSERT_GE(bottom, top);
        EXPECT_FALSE(formatted.empty());
        for (int row : formatted)
            EXPECT_TRUE(row >= top && row <= bottom) << row << " outside " << top << ".." << bottom;
    };

    formatted.clear();
    grid.scrollTo(grid.table_model().index(150000, 1), QAbstractItemView::PositionAtTop);
    grid.viewport()->repaint();
    expect_only_visible_rows();

    formatted.clear();
    ASSERT_TRUE(set.locate(QStringLiteral("NO"), 199990));
    EXPECT_EQ(grid.currentIndex().row(), 199989);
    grid.viewport()->repaint();
    expect_only_visible_rows();
}

// Read again with as many rows, the rows are painted again in place; with another count the
// view learns the new rows.  Either way the grid shows the new values and the set's row.
TEST_F(GridTest, ASetReadAgainShowsItsNewRowsWhateverTheirCount)
{
    for (int number = 1; number <= 3; ++number)
        insert_partner(number, QStringLiteral("P%1").arg(number));
    TMemTable *set = select_partners();
    TDBGrid grid;
    grid.set_table(set);
    const int name = find_column(grid, QStringLiteral("PARTNER_NAME"));
    ASSERT_GE(name, 0);
    const struct {
        const char *select;
        QStringList names;
    } reads[] = {
        {"SELECT * FROM VIEW_PAR ORDER BY PARTNER_NO DESC", {"P3", "P2", "P1"}},
        {"SELECT * FROM VIEW_PAR WHERE PARTNER_NO <> '2' ORDER BY PARTNER_NO", {"P1", "P3"}},
        {"SELECT * FROM VIEW_PAR ORDER BY PARTNER_NO", {"P1", "P2", "P3"}},
    };
    for (const auto &read : reads) {
        SCOPED_TRACE(read.select);
        set->set_row_number(2);
        ASSERT_TRUE(m_api->reselect_sql(set, QLatin1String(read.select)));
        EXPECT_EQ(grid.table_model().rowCount(), read.names.size());
        EXPECT_EQ(column_texts(grid, name), read.names);
        EXPECT_EQ(grid.currentIndex().row(), set->current_index());
    }
}
