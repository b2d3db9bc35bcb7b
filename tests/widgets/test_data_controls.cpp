#include "data/clock.h"
#include "text/format_settings.h"
#include "data/memtable.h"
#include "data/messages.h"
#include "data/tdatetime.h"
#include "widgets/dbcheckbox.h"
#include "widgets/dbdate_edit.h"
#include "widgets/dbedit.h"
#include "widgets/dblookup_combo.h"
#include "widgets/dbmemo.h"
#include "widgets/dbnumber_edit.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Partner {
    int recid;
    QString name;
    QString vat;
    QDate start;
    std::optional<double> amount;
    int type;
    QString note;
};

std::unique_ptr<TMemTable> make_partners(const std::vector<Partner> &rows)
{
    auto set = std::make_unique<TMemTable>();
    set->add_field("RECID", FieldType::Integer).visible = false;
    set->add_field("NAME", FieldType::Text, 20).display_label = QStringLiteral("Název");
    set->add_field("IS_VAT", FieldType::Text, 1);
    set->add_field("START_D", FieldType::DateTime);
    set->add_field("AMOUNT", FieldType::Float).display_format = QStringLiteral("### ##0.00");
    set->add_field("ID_TYPE", FieldType::Integer);
    set->add_field("NOTE", FieldType::Text, 30);
    set->open();
    for (const Partner &row : rows) {
        set->append();
        set->field(0).set_as_integer(row.recid);
        set->field(1).set_as_string(row.name);
        set->field(2).set_as_string(row.vat);
        if (row.start.isValid())
            set->field(3).set_as_datetime(days_from_date(row.start));
        if (row.amount)
            set->field(4).set_as_float(*row.amount);
        set->field(5).set_as_integer(row.type);
        set->field(6).set_as_string(row.note);
        set->post();
    }
    set->first();
    return set;
}

std::unique_ptr<TMemTable> make_types()
{
    auto set = std::make_unique<TMemTable>();
    set->add_field("RECID", FieldType::Integer);
    set->add_field("TYPE_NAME", FieldType::Text, 40);
    set->open();
    for (const auto &[id, name] : {std::pair{10, "odběratel"}, std::pair{20, "dodavatel"}}) {
        set->append();
        set->field(0).set_as_integer(id);
        set->field(1).set_as_string(QString::fromUtf8(name));
        set->post();
    }
    set->first();
    return set;
}

class ControlsTest : public testing::Test {
protected:
    void SetUp() override
    {
        set_decimal_separator(u',');
        set_short_date_format(QStringLiteral("d.M.yyyy"));
        set_fixed_today(QDate(2026, 3, 15));
        m_previous_handler =
            set_message_handler([this](const QString &title, const QString &text, int, bool, int) {
                m_messages.push_back(title + u'|' + text);
                return mrOk;
            });
        m_set = make_partners(
            {{1, "Alfa", "T", QDate(2026, 3, 15), 1234.5, 10, QStringLiteral("řádek1\r\nřádek2")},
             {2, "Beta", "F", {}, std::nullopt, 20, {}}});
        m_window.setLayout(new QVBoxLayout);
        m_window.resize(360, 320);
    }

    void TearDown() override
    {
        set_message_handler(m_previous_handler);
        set_fixed_today({});
    }

    template <typename Control> Control &add(const char *field)
    {
        auto *control = new Control(&m_window);
        m_window.layout()->addWidget(control);
        control->bind(m_set.get(), QString::fromLatin1(field));
        return *control;
    }

    // Real key presses need a shown, active window with the control focused.
    void focus(QWidget &control)
    {
        if (!m_window.isVisible()) {
            m_window.show();
            QApplication::setActiveWindow(&m_window);
            ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        }
        control.setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(control.hasFocus());
    }

    void leave() { m_sink->setFocus(Qt::TabFocusReason); }

    TField &field(const char *name) { return m_set->field_by_name(QString::fromLatin1(name)); }

    std::unique_ptr<TMemTable> m_set;
    QWidget m_window;
    QLineEdit *m_sink = new QLineEdit(&m_window);
    std::vector<QString> m_messages;
    MessageHandler m_previous_handler;
};

} // namespace

TEST_F(ControlsTest, TypingEditsTheSetAndTheEditFollowsTheSet)
{
    auto &edit = add<TDBEdit>("NAME");
    QSignalSpy edited(&edit, &TDBEdit::edited);
    EXPECT_EQ(edit.text(), "Alfa");
    EXPECT_EQ(edit.maxLength(), 20);

    focus(edit);
    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("Gama"));
    EXPECT_EQ(m_set->state(), TMemTable::State::Edit);
    EXPECT_EQ(field("NAME").as_string(), "Gama");
    EXPECT_EQ(edited.size(), 4);

    m_set->cancel();
    EXPECT_EQ(m_set->state(), TMemTable::State::Browse);
    EXPECT_EQ(edit.text(), "Alfa");

    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("Delta"));
    m_set->next();
    EXPECT_EQ(edit.text(), "Beta");
    m_set->prior();
    EXPECT_EQ(edit.text(), "Delta");

    // A refresh that drops the current row shows the row that became current.
    ASSERT_TRUE(m_set->set_filter_text(QStringLiteral("NAME = 'Beta'")));
    m_set->set_filtered(true);
    EXPECT_EQ(edit.text(), "Beta");

    m_set->append();
    EXPECT_EQ(edit.text(), "");
    QTest::keyClicks(&edit, QStringLiteral("Jmeno delsi nez dvacet znaku"));
    EXPECT_EQ(field("NAME").as_string(), "Jmeno delsi nez dvac");
}

TEST_F(ControlsTest, ControlsShowWhatCodeWritesIntoTheirField)
{
    auto &name = add<TDBEdit>("NAME");
    auto &amount = add<TDBNumberEdit>("AMOUNT");
    m_set->edit();
    field("NAME").set_as_string("Zapsáno kódem");
    field("AMOUNT").set_as_float(1234.5);
    EXPECT_EQ(name.text(), "Zapsáno kódem");
    EXPECT_EQ(amount.text(), "1 234,50");
}

TEST_F(ControlsTest, ReadOnlyOrRowlessControlsLeaveTheSetAlone)
{
    auto &edit = add<TDBEdit>("NAME");
    auto &check = add<TDBCheckBox>("IS_VAT");
    edit.set_read_only(true);
    check.set_read_only(true);
    focus(edit);
    QTest::keyClicks(&edit, QStringLiteral("x"));
    check.click();
    EXPECT_EQ(m_set->state(), TMemTable::State::Browse);
    EXPECT_EQ(edit.text(), "Alfa");
    EXPECT_TRUE(check.isChecked());
    EXPECT_EQ(field("IS_VAT").as_string(), "T");

    auto empty = make_partners({});
    TDBEdit rowless(&m_window);
    rowless.bind(empty.get(), QStringLiteral("NAME"));
    EXPECT_TRUE(rowless.isReadOnly());
    empty->append();
    EXPECT_FALSE(rowless.isReadOnly());
}

TEST_F(ControlsTest, MemoStoresLineBreaksAsCrLfWithinTheFieldSize)
{
    auto &memo = add<TDBMemo>("NOTE");
    EXPECT_EQ(memo.toPlainText(), "řádek1\nřádek2");
    focus(memo);
    memo.moveCursor(QTextCursor::End);
    QTest::keyClick(&memo, Qt::Key_Return);
    QTest::keyClicks(&memo, QStringLiteral("abc"));
    EXPECT_EQ(field("NOTE").as_string(), "řádek1\r\nřádek2\r\nabc");

    // 19 stored characters so far; the field holds 30.
    QTest::keyClicks(&memo, QStringLiteral("0123456789xyz"));
    EXPECT_EQ(field("NOTE").as_string(), "řádek1\r\nřádek2\r\nabc0123456789x");
    EXPECT_EQ(memo.toPlainText(), "řádek1\nřádek2\nabc0123456789x");

    m_set->cancel();
    EXPECT_EQ(memo.toPlainText(), "řádek1\nřádek2");
}

TEST_F(ControlsTest, CheckBoxWritesTOrF)
{
    auto &check = add<TDBCheckBox>("IS_VAT");
    QSignalSpy edited(&check, &TDBCheckBox::edited);
    EXPECT_TRUE(check.isChecked());
    check.click();
    EXPECT_EQ(field("IS_VAT").as_string(), "F");
    EXPECT_EQ(m_set->state(), TMemTable::State::Edit);
    check.click();
    EXPECT_EQ(field("IS_VAT").as_string(), "T");
    EXPECT_EQ(edited.size(), 2);

    m_set->next();
    EXPECT_FALSE(check.isChecked());
    m_set->edit();
    field("IS_VAT").clear();
    check.refresh();
    EXPECT_FALSE(check.isChecked());
}

TEST_F(ControlsTest, DateEditShowsFourDigitYearsAndStoresNullWhenCleared)
{
    set_short_date_format(QStringLiteral("d.M.yy"));
    auto &date = add<TDBDateEdit>("START_D");
    EXPECT_EQ(date.text(), "15.3.2026");
    ASSERT_EQ(date.actions().size(), 1);
    EXPECT_EQ(date.actions().front()->toolTip(), "Kalendář");

    focus(date);
    date.selectAll();
    QTest::keyClick(&date, Qt::Key_Backspace);
    EXPECT_TRUE(field("START_D").is_null());
    EXPECT_EQ(m_set->state(), TMemTable::State::Edit);

    QTest::keyClicks(&date, QStringLiteral("1.4.2026"));
    EXPECT_EQ(date_from_days(field("START_D").as_datetime()), QDate(2026, 4, 1));

    // No date: refused on leaving with a message, the last date shown again, nothing lost.
    date.selectAll();
    QTest::keyClicks(&date, QStringLiteral("31.2.2026"));
    leave();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].startsWith("Chyba|„31.2.2026“ není platné datum."));
    EXPECT_EQ(date.text(), "1.4.2026");
    EXPECT_EQ(date_from_days(field("START_D").as_datetime()), QDate(2026, 4, 1));

    date.show_calendar();
    ASSERT_NE(date.calendar(), nullptr);
    EXPECT_TRUE(date.calendar()->isVisible());
    EXPECT_EQ(date.calendar()->selectedDate(), QDate(2026, 4, 1));
    emit date.calendar()->clicked(QDate(2026, 5, 20));
    EXPECT_FALSE(date.calendar()->isVisible());
    EXPECT_EQ(date.text(), "20.5.2026");
    EXPECT_EQ(date_from_days(field("START_D").as_datetime()), QDate(2026, 5, 20));

    m_set->cancel();
    EXPECT_EQ(date.text(), "15.3.2026");
    m_set->next();
    EXPECT_EQ(date.text(), "");
}

TEST_F(ControlsTest, NumberEditFormatsAtRestAndTakesEitherDecimalMark)
{
    auto &number = add<TDBNumberEdit>("AMOUNT");
    EXPECT_EQ(number.text(), "1 234,50");
    focus(number);
    EXPECT_EQ(number.text(), "1234,5");

    number.selectAll();
    QTest::keyClicks(&number, QStringLiteral("12.5"));
    EXPECT_DOUBLE_EQ(field("AMOUNT").as_float(), 12.5);
    QTest::keyClicks(&number, QStringLiteral("abc"));
    EXPECT_EQ(number.text(), "12.5");
    leave();
    EXPECT_EQ(number.text(), "12,50");

    number.set_display_format(QStringLiteral("### ### ##0.00 Kč"));
    EXPECT_EQ(number.text(), "12,50 Kč");

    focus(number);
    number.selectAll();
    QTest::keyClick(&number, Qt::Key_Delete);
    EXPECT_TRUE(field("AMOUNT").is_null());

    number.show_calculator_button(QStringLiteral("uživatelský kalkulátor"));
    ASSERT_NE(number.calculator_action(), nullptr);
    EXPECT_EQ(number.calculator_action()->toolTip(), "uživatelský kalkulátor");
    QSignalSpy asked(&number, &TDBNumberEdit::calculator_requested);
    number.calculator_action()->trigger();
    EXPECT_EQ(asked.size(), 1);
    number.set_value(99.5);
    EXPECT_DOUBLE_EQ(field("AMOUNT").as_float(), 99.5);

    number.set_read_only(true);
    EXPECT_FALSE(number.calculator_action()->isEnabled());
}

TEST_F(ControlsTest, LookupComboShowsTheNameAndStoresTheRecid)
{
    auto types = make_types();
    auto &combo = add<TDBLookupCombo>("ID_TYPE");
    combo.set_lookup(types.get(), QStringLiteral("TYPE_NAME"));
    QSignalSpy edited(&combo, &TDBLookupCombo::edited);
    EXPECT_EQ(combo.currentText(), "odběratel");

    focus(combo);
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(field("ID_TYPE").as_integer(), 20);
    EXPECT_EQ(m_set->state(), TMemTable::State::Edit);
    EXPECT_EQ(edited.size(), 1);

    m_set->cancel();
    EXPECT_EQ(combo.currentText(), "odběratel");

    m_set->edit();
    field("ID_TYPE").set_as_integer(99);
    combo.refresh();
    EXPECT_EQ(combo.currentIndex(), -1);
    m_set->cancel();

    types->append();
    types->field(0).set_as_integer(30);
    types->field(1).set_as_string(QStringLiteral("nový typ"));
    types->post();
    EXPECT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.currentText(), "odběratel");

    combo.set_read_only(true);
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(field("ID_TYPE").as_integer(), 10);
    EXPECT_EQ(combo.currentText(), "odběratel");
}
