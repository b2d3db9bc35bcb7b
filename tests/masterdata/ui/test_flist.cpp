#include "masterdata/ui/code_list_fixture.h"
#include "masterdata/ui/flist.h"
#include "masterdata/ui/frsearch.h"
#include "support/modal_driver.h"
#include "widgets/dbgrid.h"
#include "widgets/help.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

class CodeListTest : public CodeListFixture {
protected:
    void TearDown() override
    {
        print_table_hook() = {};
        CodeListFixture::TearDown();
    }

    std::unique_ptr<Tfm_list> open_list(const QString &table, const QString &caption)
    {
        auto list = std::make_unique<Tfm_list>(table, QStringLiteral("SELECT * FROM ") + table,
                                               caption, 408);
        list->show();
        list->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(list.get()));
        return list;
    }

    void keep_rows(const QString &table, int rows)
    {
        exec(QStringLiteral("DELETE FROM %1 WHERE RECID NOT IN (SELECT RECID FROM %1 ORDER BY "
                            "RECID LIMIT %2)")
                 .arg(table)
                 .arg(rows));
    }

    static std::vector<bool> enabled(const Tfm_list &list)
    {
        return {list.add_command()->isEnabled(), list.edit_command()->isEnabled(),
                list.delete_command()->isEnabled(), list.print_command()->isEnabled()};
    }
};

} // namespace

TEST_F(CodeListTest, AddEditAndDeleteThroughTheKeys)
{
    auto list = open_list(QStringLiteral("PRO_UNITS"), QStringLiteral("Měrné jednotky"));
    TMemTable *set = list->record_set();
    ASSERT_EQ(set->record_count(), 5);
    const QString unit = QStringLiteral("m'ř Ů");

    QString caption;
    answer_editor([&](Tfm_listedit &e) {
        caption = e.windowTitle();
        type_into(&e, QStringLiteral("UNIT_SHORT"), unit);
        e.ok_button()->click();
    });
    QTest::keyClick(list->grid(), Qt::Key_Insert);
    EXPECT_EQ(caption, QString::fromUtf8("Přidat záznam"));
    EXPECT_EQ(set->record_count(), 6);
    const int id = m_api->current_recid(set);
    EXPECT_EQ(stored(QStringLiteral("SELECT UNIT_SHORT FROM PRO_UNITS WHERE RECID=%1").arg(id)),
              unit);

    answer_editor([&](Tfm_listedit &e) {
        caption = e.windowTitle();
        EXPECT_EQ(e.recid(), id);
        type_into(&e, QStringLiteral("UNIT_SHORT"), QStringLiteral("2"));
        e.ok_button()->click();
    });
    QTest::keyClick(list->grid(), Qt::Key_Return);
    EXPECT_EQ(caption, QString::fromUtf8("Opravit záznam"));
    EXPECT_EQ(stored(QStringLiteral("SELECT UNIT_SHORT FROM PRO_UNITS WHERE RECID=%1").arg(id)),
              unit + u'2');
    EXPECT_EQ(set->field_by_name(QStringLiteral("UNIT_SHORT")).as_string(), unit + u'2');

    m_answer = mrYes;
    QTest::keyClick(list->grid(), Qt::Key_Delete);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, QString::fromUtf8("Opravdu vymazat tento záznam v číselníku?"));
    EXPECT_EQ(set->record_count(), 5);
    EXPECT_EQ(rows_in(QStringLiteral("PRO_UNITS")), 5);
    EXPECT_EQ(stored(QStringLiteral("SELECT COUNT(*) FROM PRO_UNITS WHERE RECID=%1").arg(id)),
              QString::fromUtf8("0"));
}

TEST_F(CodeListTest, CancelledAddLeavesTheListAsItWas)
{
    auto list = open_list(QStringLiteral("PRO_UNITS"), QStringLiteral("Měrné jednotky"));
    TMemTable *set = list->record_set();
    set->set_row_number(3);
    answer_editor([&](Tfm_listedit &e) {
        type_into(&e, QStringLiteral("UNIT_SHORT"), QStringLiteral("t"));
        QTest::mouseClick(e.findChild<QPushButton *>(QStringLiteral("btnCancel")), Qt::LeftButton);
    });
    list->add_command()->trigger();
    EXPECT_EQ(set->record_count(), 5);
    EXPECT_EQ(set->row_number(), 3);
    EXPECT_EQ(set->state(), TMemTable::State::Browse);
    EXPECT_EQ(rows_in(QStringLiteral("PRO_UNITS")), 5);
}

TEST_F(CodeListTest, CommandsFollowTheRowCountAndTheLastRowStays)
{
    struct Case {
        int rows;
        std::vector<bool> add_edit_delete_print;
    };
    // Fewer rows each time: rows are only ever taken away.
    const Case cases[] = {
        {2, {true, true, true, true}},
        {1, {true, true, false, true}},
        {0, {true, false, false, false}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rows);
        m_messages.clear();
        keep_rows(QStringLiteral("PAR_CTYPE"), c.rows);
        auto list = open_list(QStringLiteral("PAR_CTYPE"), QStringLiteral("Typy kontaktů"));
        EXPECT_EQ(enabled(*list), c.add_edit_delete_print);
        QTest::keyClick(list->grid(), Qt::Key_Delete);
        QTest::keyClick(list->grid(), Qt::Key_Space);
        if (c.rows < 2) {
            EXPECT_TRUE(m_messages.empty()) << "Delete must do nothing";
            EXPECT_EQ(rows_in(QStringLiteral("PAR_CTYPE")), c.rows);
        }
    }

    exec(QStringLiteral("INSERT INTO PAR_CTYPE VALUES (1, 'telefon')"));
    auto list = open_list(QStringLiteral("PAR_CTYPE"), QStringLiteral("Typy kontaktů"));
    answer_editor([&](Tfm_listedit &e) {
        type_into(&e, QStringLiteral("CONTACT_TYPE"), QStringLiteral("fax"));
        e.ok_button()->click();
    });
    list->add_command()->trigger();
    EXPECT_TRUE(list->delete_command()->isEnabled()) << "a second row may go again";
}

TEST_F(CodeListTest, RowStillInUseIsNotDeletedAndTheProgramGoesOn)
{
    exec(QStringLiteral("INSERT INTO PAR_GRP (RECID, GRP_NAME) VALUES (1, 'Velkoobchod'), "
                        "(2, 'Maloobchod')"));
    const int partner = insert_partner(1, QStringLiteral("Alfa"));
    exec(QStringLiteral("UPDATE PAR SET ID_PARTNER_GROUP=1 WHERE RECID=%1").arg(partner));
    auto list = open_list(QStringLiteral("PAR_GRP"), QStringLiteral("Skupiny obchodních partnerů"));
    m_answer = mrYes;
    list->delete_command()->trigger();
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[1].title, QString::fromUtf8("Chyba!"));
    EXPECT_EQ(m_messages[1].text,
              QString::fromUtf8("Skupinu partnerů nelze vymazat, patří do ní obchodní partneři."));
    EXPECT_FALSE(m_messages[1].fatal);
    EXPECT_FALSE(program_ending());
    EXPECT_EQ(list->record_set()->record_count(), 2);
    EXPECT_EQ(rows_in(QStringLiteral("PAR_GRP")), 2);
}

// A failed insert ends the program by design; the user still sees what was refused.
TEST_F(CodeListTest, DuplicateCurrencyCodeIsReportedWithTheTypedValues)
{
    auto list = open_list(QStringLiteral("CURR_LIST"), QStringLiteral("Kurzovní lístek"));
    answer_editor([&](Tfm_listedit &e) {
        type_into(&e, QStringLiteral("CURR_NAME"), QStringLiteral("EUR"));
        type_into(&e, QStringLiteral("CURR_TITLE"), QStringLiteral("euro znovu"));
        type_into(&e, QStringLiteral("CURR_AMOUNT"), QStringLiteral("1"));
        type_into(&e, QStringLiteral("CURR_KURS"), QStringLiteral("25,1"));
        e.ok_button()->click();
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].text,
                  QString::fromUtf8("Číslo partnera, produktu, nebo kód měny, musí být originální. "
                                    "To, které jste zadali, je již použito."));
        // The editor's user still has everything typed: the program goes on.
        EXPECT_FALSE(m_messages[0].fatal);
        EXPECT_FALSE(program_ending());
        EXPECT_TRUE(e.isVisible());
        EXPECT_EQ(static_cast<QLineEdit *>(e.control_of(QStringLiteral("CURR_NAME")))->text(),
                  QString::fromUtf8("EUR"));
    });
    list->add_command()->trigger();
    EXPECT_EQ(list->record_set()->record_count(), 2);
    EXPECT_EQ(rows_in(QStringLiteral("CURR_LIST")), 2);
}

TEST_F(CodeListTest, KeysPrintOpenTheMenuSearchAndClose)
{
    std::vector<QStringList> printed;
    print_table_hook() = [&](const QString &caption, const QString &table, const QString &select) {
        printed.push_back({caption, table, select});
    };
    auto list = open_list(QStringLiteral("TE_GRP"), QStringLiteral("Členění daňové evidence"));
    QTest::keyClick(list->grid(), Qt::Key_Space);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0],
              (QStringList{"Členění daňové evidence", "TE_GRP", "SELECT * FROM TE_GRP"}));

    QTest::keyClick(list->grid(), Qt::Key_F8);
    QMenu *menu = list->context_menu();
    EXPECT_TRUE(menu->isVisible());
    QStringList entries;
    for (const QAction *action : menu->actions())
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(entries, (QStringList{"Přidat záznam", "Opravit záznam", "-", "Vymazat záznam", "-",
                                    "Tisk této tabulky"}));
    menu->hide();

    // A letter typed in the grid starts a search; the window's keys then belong to it.
    QTest::keyClicks(list->grid(), QStringLiteral("m"));
    Tfr_search *search = list->search_strip();
    EXPECT_TRUE(search->has_search_focus());
    EXPECT_EQ(search->search_field()->text(), QString::fromUtf8("m"));
    EXPECT_EQ(list->record_set()->field_by_name(QStringLiteral("GRP_NAME")).as_string(),
              QString::fromUtf8("Mzdy"));
    QTest::keyClick(search->search_field(), Qt::Key_Space);
    QTest::keyClick(search->search_field(), Qt::Key_Escape);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(printed.size(), 1u);

    QTest::keyClick(list->grid(), Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
}

TEST_F(CodeListTest, CzechTextThatFitsItsColumnIsStoredWhole)
{
    const struct {
        const char *table;
        const char *field;
        QString typed;
        QString stored;
    } cases[] = {
        {"PRO_UNITS", "UNIT_SHORT", "čtvereční", "čtvereční"},
        {"PAR_TYPE", "PARTNER_TYPE", QString(64, u'ř'), QString(64, u'ř')},
        {"PAR_TYPE", "PARTNER_TYPE", QString(70, u'ž'), QString(64, u'ž')},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.table);
        auto list = open_list(QString::fromUtf8(c.table), QStringLiteral("Číselník"));
        answer_editor([&](Tfm_listedit &e) {
            type_into(&e, QString::fromUtf8(c.field), c.typed);
            e.ok_button()->click();
        });
        QTest::keyClick(list->grid(), Qt::Key_Insert);
        const int id = m_api->current_recid(list->record_set());
        ASSERT_NE(id, 0);
        EXPECT_EQ(stored(QStringLiteral("SELECT %1 FROM %2 WHERE RECID=%3")
                             .arg(QString::fromUtf8(c.field), QString::fromUtf8(c.table))
                             .arg(id)),
                  c.stored);
    }
}
