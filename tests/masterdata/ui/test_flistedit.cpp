#include "masterdata/ui/code_list_fixture.h"
#include "masterdata/ui/flistedit.h"
#include "widgets/dbcheckbox.h"
#include "widgets/dbedit.h"
#include "widgets/dbmemo.h"
#include "widgets/dbnumber_edit.h"
#include "widgets/field_data_link.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// Every kind of control the editor builds: text, flag, hidden key, float, long text,
// integer.
class ListEditTest : public CodeListFixture {
protected:
    void SetUp() override
    {
        CodeListFixture::SetUp();
        exec(QStringLiteral("CREATE TABLE KINDS (RECID INTEGER NOT NULL PRIMARY KEY, "
                            "NAME VARCHAR(40), IS_ACTIVE VARCHAR(1), ID_OWNER INTEGER, "
                            "RATE FLOAT, NOTE VARCHAR(300), COUNT_NO INTEGER)"));
        exec(QStringLiteral("INSERT INTO KINDS VALUES (1, 'Alfa', NULL, 5, 1.5, NULL, 3)"));
        m_set = m_api->select_sql(QStringLiteral("KINDS"), QStringLiteral("SELECT * FROM KINDS"));
        ASSERT_NE(m_set, nullptr);
    }

    // Fills the hidden owner behind its control, as a caller's hook does.
    static bool set_owner(QObject *object)
    {
        if (TField *field = bound_field(qobject_cast<QWidget *>(object));
            field && field->name() == QString::fromUtf8("ID_OWNER"))
            field->set_as_integer(7);
        return true;
    }

    TMemTable *m_set = nullptr;
};

struct ExpectedControl {
    const char *field;
    const char *kind;
    QRect geometry;
    bool visible;
};

} // namespace

TEST_F(ListEditTest, BuildsOneControlPerFieldAtItsPlace)
{
    Tfm_listedit editor(Tfm_listedit::Edit, m_set, QStringLiteral("KINDS"), {}, 408,
                        QStringLiteral("Opravit záznam"));
    const ExpectedControl expected[] = {
        {"NAME", "TDBEdit", QRect(138, 32, 208, 22), true},
        {"IS_ACTIVE", "TDBCheckBox", QRect(138, 56, 208, 22), true},
        {"ID_OWNER", "TDBEdit", QRect(138, 80, 108, 22), false},
        {"RATE", "TDBNumberEdit", QRect(138, 104, 108, 22), true},
        {"NOTE", "TDBMemo", QRect(138, 128, 208, 88), true},
        {"COUNT_NO", "TDBEdit", QRect(138, 220, 108, 22), true},
    };
    ASSERT_EQ(editor.shown_fields().size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].field);
        EXPECT_EQ(editor.shown_fields()[i]->name(), QString::fromUtf8(expected[i].field));
        QWidget *control = editor.control_of(QString::fromUtf8(expected[i].field));
        ASSERT_NE(control, nullptr);
        EXPECT_STREQ(control->metaObject()->className(), expected[i].kind);
        EXPECT_EQ(control->geometry(), expected[i].geometry);
        EXPECT_EQ(!control->isHidden(), expected[i].visible);
        EXPECT_EQ(bound_field(control)->name(), QString::fromUtf8(expected[i].field));

        QLabel *label = nullptr;
        for (QLabel *candidate : editor.findChildren<QLabel *>())
            if (candidate->buddy() == control)
                label = candidate;
        if (qobject_cast<TDBCheckBox *>(control)) {
            EXPECT_EQ(label, nullptr);
            EXPECT_EQ(static_cast<TDBCheckBox *>(control)->text(), QString::fromUtf8("IS_ACTIVE"));
            continue;
        }
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(expected[i].field));
        EXPECT_EQ(label->geometry(), QRect(8, expected[i].geometry.y(), 120, 22));
        EXPECT_TRUE(label->alignment() & Qt::AlignRight);
        EXPECT_EQ(!label->isHidden(), expected[i].visible);
    }
    EXPECT_GE(editor.ok_button()->y(), 220 + 22);
    EXPECT_LE(editor.ok_button()->geometry().bottom(), editor.height());
    EXPECT_EQ(editor.recid(), 1);
    // The null flag is shown unticked and already holds "F".
    EXPECT_FALSE(
        static_cast<TDBCheckBox *>(editor.control_of(QStringLiteral("IS_ACTIVE")))->isChecked());
    EXPECT_EQ(m_set->field_by_name(QStringLiteral("IS_ACTIVE")).as_string(),
              QString::fromUtf8("F"));
    editor.reject();
}

TEST_F(ListEditTest, NewRowNeedsEveryOneLineEditAndSavesHiddenAndFlagFields)
{
    const QString name = QStringLiteral("Žluťoučký kůň's 'úl'");
    const int id = edit_with(0, m_set, QStringLiteral("KINDS"), set_owner, [&](Tfm_listedit &e) {
        QPushButton *ok = e.ok_button();
        EXPECT_FALSE(ok->isEnabled());
        type_into(&e, QStringLiteral("NAME"), name);
        type_into(&e, QStringLiteral("RATE"), QStringLiteral("2,5"));
        EXPECT_FALSE(ok->isEnabled()) << "COUNT_NO is still empty";
        type_into(&e, QStringLiteral("COUNT_NO"), QStringLiteral("  "));
        EXPECT_FALSE(ok->isEnabled()) << "blanks are no value";
        type_into(&e, QStringLiteral("COUNT_NO"), QStringLiteral("4"));
        EXPECT_TRUE(ok->isEnabled()) << "the memo and the check box may stay empty";
        ok->click();
    });
    ASSERT_NE(id, 0);
    EXPECT_EQ(m_set->record_count(), 2);
    EXPECT_EQ(m_api->current_recid(m_set), id);
    EXPECT_EQ(m_set->state(), TMemTable::State::Browse);
    EXPECT_EQ(stored(QStringLiteral("SELECT NAME, IS_ACTIVE, ID_OWNER, RATE, COUNT_NO FROM KINDS "
                                    "WHERE RECID=%1")
                         .arg(id)),
              name + QStringLiteral("|F|7|2.5|4"));
}

TEST_F(ListEditTest, EditedRowIsWrittenWithEveryField)
{
    const int id = edit_with(1, m_set, QStringLiteral("KINDS"), {}, [&](Tfm_listedit &e) {
        EXPECT_TRUE(e.ok_button()->isEnabled());
        static_cast<QCheckBox *>(e.control_of(QStringLiteral("IS_ACTIVE")))->click();
        type_into(&e, QStringLiteral("NOTE"), QStringLiteral("řádek"));
        type_into(&e, QStringLiteral("NAME"), QStringLiteral("'"));
        e.ok_button()->click();
    });
    EXPECT_EQ(id, 1);
    EXPECT_EQ(stored(QStringLiteral("SELECT NAME, IS_ACTIVE, ID_OWNER, RATE, NOTE, COUNT_NO FROM "
                                    "KINDS")),
              QStringLiteral("Alfa'|T|5|1.5|řádek|3"));
}

namespace {

// The field just before the buttons, where the user's Enter means "done".
QWidget *last_field(Tfm_listedit &e)
{
    QWidget *control = e.findChild<QPushButton *>(QStringLiteral("btnHelp"));
    do
        control = control->previousInFocusChain();
    while ((control->focusPolicy() & Qt::TabFocus) == 0 || !control->isVisible() ||
           qobject_cast<QPushButton *>(control));
    return control;
}

} // namespace

TEST_F(ListEditTest, EnterInTheLastFieldConfirmsOnlyWhenOkIsEnabled)
{
    bool stayed_open = false;
    EXPECT_EQ(edit_with(0, m_set, QStringLiteral("KINDS"), set_owner,
                        [&](Tfm_listedit &e) {
                            e.activateWindow();
                            ASSERT_TRUE(QTest::qWaitForWindowActive(&e));
                            QWidget *field = last_field(e);
                            field->setFocus();
                            QTest::keyClick(field, Qt::Key_Return);
                            stayed_open = e.isVisible();
                            e.reject();
                        }),
              0);
    EXPECT_TRUE(stayed_open) << "a new row without its required values is not confirmed";

    const int id = edit_with(1, m_set, QStringLiteral("KINDS"), {}, [&](Tfm_listedit &e) {
        type_into(&e, QStringLiteral("NAME"), QStringLiteral("Beta"));
        e.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&e));
        QWidget *field = last_field(e);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
        if (e.isVisible())
            e.reject();
    });
    EXPECT_EQ(id, 1);
    EXPECT_EQ(stored(QStringLiteral("SELECT NAME FROM KINDS")), QStringLiteral("AlfaBeta"));
}

TEST_F(ListEditTest, StornoLeavesTheSetAndTheTableAsTheyWere)
{
    for (int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        const int id =
            edit_with(mode, m_set, QStringLiteral("KINDS"), set_owner, [&](Tfm_listedit &e) {
                type_into(&e, QStringLiteral("NAME"), QStringLiteral("X"));
                QTest::keyClick(&e, Qt::Key_Escape);
            });
        EXPECT_EQ(id, 0);
        EXPECT_EQ(m_set->state(), TMemTable::State::Browse);
        EXPECT_EQ(m_set->record_count(), 1);
        EXPECT_EQ(m_set->field_by_name(QStringLiteral("NAME")).as_string(),
                  QString::fromUtf8("Alfa"));
        EXPECT_EQ(stored(QStringLiteral("SELECT COUNT(*), NAME FROM KINDS")),
                  QStringLiteral("1|Alfa"));
    }
}

TEST_F(ListEditTest, HookAnsweringNoKeepsTheEditorOpenAndSavesNothing)
{
    bool allow = false;
    std::vector<QString> asked;
    const list_edit_hook hook = [&](QObject *object) {
        if (object == m_set)
            return allow;
        if (TField *field = bound_field(qobject_cast<QWidget *>(object)))
            asked.push_back(field->name());
        return false;
    };
    const int id = edit_with(1, m_set, QStringLiteral("KINDS"), hook, [&](Tfm_listedit &e) {
        type_into(&e, QStringLiteral("NAME"), QStringLiteral("2"));
        e.ok_button()->click();
        EXPECT_TRUE(e.isVisible());
        EXPECT_EQ(stored(QStringLiteral("SELECT NAME FROM KINDS")), QString::fromUtf8("Alfa"));
        allow = true;
        e.ok_button()->click();
    });
    EXPECT_EQ(id, 1);
    EXPECT_EQ(asked,
              (std::vector<QString>{"NAME", "IS_ACTIVE", "ID_OWNER", "RATE", "NOTE", "COUNT_NO"}));
    EXPECT_EQ(stored(QStringLiteral("SELECT NAME FROM KINDS")), QString::fromUtf8("Alfa2"));
}

TEST_F(ListEditTest, ReadOnlyDatabaseKeepsWhatTheUserTyped)
{
    m_api->read_only = true;
    const int id = edit_with(1, m_set, QStringLiteral("KINDS"), {}, [&](Tfm_listedit &e) {
        type_into(&e, QStringLiteral("NAME"), QStringLiteral(" Beta"));
        e.ok_button()->click();
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].text,
                  QStringLiteral("Záznam nelze uložit. Datový soubor je na disku, na který nelze "
                                 "zapisovat!"));
        EXPECT_FALSE(m_messages[0].fatal);
        EXPECT_TRUE(e.isVisible());
        EXPECT_EQ(static_cast<QLineEdit *>(e.control_of(QStringLiteral("NAME")))->text(),
                  QStringLiteral("Alfa Beta"));
        EXPECT_EQ(m_set->state(), TMemTable::State::Edit);
    });
    EXPECT_EQ(id, 0);
    EXPECT_EQ(stored(QStringLiteral("SELECT NAME FROM KINDS")), QString::fromUtf8("Alfa"));
}

TEST_F(ListEditTest, DeleteAsksWithWarningAndDefaultNo)
{
    m_answer = mrNo;
    EXPECT_EQ(delete_list_record(m_set, QStringLiteral("KINDS"), QStringLiteral("Opravdu?")), 0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, QString::fromUtf8("Pozor!"));
    EXPECT_EQ(m_messages[0].text, QString::fromUtf8("Opravdu?"));
    EXPECT_EQ(m_messages[0].style, 308);
    EXPECT_EQ(m_messages[0].help_topic, 410);
    EXPECT_EQ(rows_in(QStringLiteral("KINDS")), 1);

    m_answer = mrYes;
    EXPECT_EQ(delete_list_record(m_set, QStringLiteral("KINDS"), QStringLiteral("Opravdu?")), 1);
    EXPECT_EQ(m_set->record_count(), 0);
    EXPECT_EQ(rows_in(QStringLiteral("KINDS")), 0);

    m_messages.clear();
    EXPECT_EQ(delete_list_record(m_set, QStringLiteral("KINDS"), QStringLiteral("Opravdu?")), 0)
        << "no current row, nothing to ask";
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ListEditTest, AddingOnAReallyReadOnlyDatabaseIsRefusedPolitely)
{
    m_api->free_set(m_set);
    if (!reopen_read_only())
        GTEST_SKIP() << "the database file cannot be write-protected here";
    m_set = m_api->select_sql(QStringLiteral("KINDS"), QStringLiteral("SELECT * FROM KINDS"));
    ASSERT_NE(m_set, nullptr);
    const QString counter = stored(QStringLiteral("SELECT LAST_ID FROM DM_GEN"));
    const int id = edit_with(0, m_set, QStringLiteral("KINDS"), set_owner, [&](Tfm_listedit &e) {
        type_into(&e, QStringLiteral("NAME"), QStringLiteral("Gama"));
        type_into(&e, QStringLiteral("RATE"), QStringLiteral("1"));
        type_into(&e, QStringLiteral("COUNT_NO"), QStringLiteral("1"));
        ASSERT_TRUE(e.ok_button()->isEnabled());
        e.ok_button()->click();
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].text,
                  QStringLiteral("Záznam nelze uložit. Datový soubor je na disku, na který nelze "
                                 "zapisovat!"));
        EXPECT_FALSE(m_messages[0].fatal);
        EXPECT_FALSE(program_ending());
        EXPECT_TRUE(e.isVisible());
        EXPECT_EQ(static_cast<QLineEdit *>(e.control_of(QStringLiteral("NAME")))->text(),
                  QStringLiteral("Gama"));
    });
    EXPECT_EQ(id, 0);
    EXPECT_EQ(stored(QStringLiteral("SELECT COUNT(*) FROM KINDS")), QStringLiteral("1"));
    EXPECT_EQ(stored(QStringLiteral("SELECT LAST_ID FROM DM_GEN")), counter);
}
