#include "calc/user_calc.h"

#include "calc/user_calculator.h"
#include "support/db_fixture.h"

namespace {

using UserCalcTest = DbFixture;

TEST_F(UserCalcTest, ANewCalculatorStartsFromTheTemplateWhichComputesNothing)
{
    EXPECT_EQ(new_calculator_template(),
              QString::fromUtf8(";nový uživatelský kalkulátor\r\ntitle:  ;vložte titulek "
                                "kalkulátoru\r\n\r\nvar\r\n;seznam hodnot, např. x: \"zadej "
                                "číslo\"\r\n\r\nformula\r\n;zde napište vzorec\r\n"));
    UserCalculator calculator(0, u',');
    calculator.load(new_calculator_template());
    EXPECT_EQ(calculator.title(), QString(""));
    EXPECT_TRUE(calculator.variables().empty());
    EXPECT_FALSE(calculator.can_compute());
}

TEST_F(UserCalcTest, SavingNeedsANameAndAScript)
{
    EXPECT_TRUE(calculator_can_be_saved(" ", new_calculator_template()));
    EXPECT_FALSE(calculator_can_be_saved("", new_calculator_template()));
    EXPECT_FALSE(calculator_can_be_saved("Plocha", ""));
}

TEST_F(UserCalcTest, SavesNewCalculatorsAndChangesStoredOnes)
{
    const QString script =
        QStringLiteral("title: 'Plocha'\r\nvar\r\na: strana a\r\nformula\r\na*a");
    const int recid = save_calculator({0, "Čtverec 'A'", script, true});
    ASSERT_GT(recid, 0);
    EXPECT_EQ(m_api->lookup_text(recid, "USER_CALC", "CALC_NAME"), QString("Čtverec 'A'"));
    EXPECT_EQ(m_api->lookup_text(recid, "USER_CALC", "FORMULA"), script);
    EXPECT_EQ(m_api->lookup_text(recid, "USER_CALC", "IS_CALC_PUBLIC"), QString("T"));

    EXPECT_EQ(save_calculator({recid, "Čtverec", "formula\n1", false}), recid);
    EXPECT_EQ(m_api->count_rows("USER_CALC"), 1);
    EXPECT_EQ(m_api->lookup_text(recid, "USER_CALC", "CALC_NAME"), QString("Čtverec"));
    EXPECT_EQ(m_api->lookup_text(recid, "USER_CALC", "FORMULA"), QString("formula\n1"));
    EXPECT_EQ(m_api->lookup_text(recid, "USER_CALC", "IS_CALC_PUBLIC"), QString("F"));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(UserCalcTest, ACalculatorDeletedWhileEditedIsStoredAgain)
{
    const int recid = save_calculator({0, "Plocha", "formula\n1", true});
    exec(QString("DELETE FROM USER_CALC WHERE RECID=%1").arg(recid));
    EXPECT_EQ(save_calculator({recid, "Plocha", "formula\n2", true}), recid);
    EXPECT_EQ(m_api->lookup_text(recid, "USER_CALC", "FORMULA"), QString("formula\n2"));
}

TEST_F(UserCalcTest, NumberFieldsOfferOnlyPublicCalculatorsInStoredOrder)
{
    save_calculator({0, "Plocha", "formula\n1", true});
    save_calculator({0, "Soukromý", "formula\n2", false});
    save_calculator({0, "DPH", "formula\n3", true});
    const std::vector<CalcChoice> choices = public_calculators();
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[0].name, QString("Plocha"));
    EXPECT_EQ(choices[0].script, QString("formula\n1"));
    EXPECT_EQ(choices[1].name, QString("DPH"));
}

TEST_F(UserCalcTest, DeletingAsksFirst)
{
    const int kept = save_calculator({0, "Plocha", "formula\n1", true});
    const int deleted = save_calculator({0, "DPH", "formula\n2", true});
    TMemTable *set = select_calculators();
    ASSERT_NE(set, nullptr);
    ASSERT_TRUE(set->locate("RECID", deleted));

    m_answer = mrNo;
    EXPECT_EQ(delete_calculator(set), 0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, QString("Pozor!"));
    EXPECT_EQ(m_messages[0].text, QString("Opravdu chcete vymazat vybraný kalkulátor?"));
    EXPECT_EQ(m_messages[0].style, 308);
    EXPECT_EQ(m_messages[0].help_topic, 410);
    EXPECT_EQ(m_api->count_rows("USER_CALC"), 2);
    EXPECT_EQ(set->record_count(), 2);

    m_answer = mrYes;
    EXPECT_EQ(delete_calculator(set), deleted);
    EXPECT_EQ(m_api->count_rows("USER_CALC"), 1);
    ASSERT_EQ(set->record_count(), 1);
    EXPECT_EQ(m_api->current_recid(set), kept);
    m_api->free_set(set);
}

TEST_F(UserCalcTest, AnEmptyListHasNothingToDelete)
{
    TMemTable *set = select_calculators();
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(delete_calculator(set), 0);
    EXPECT_EQ(delete_calculator(nullptr), 0);
    EXPECT_TRUE(m_messages.empty()) << "no question without a calculator";
    m_api->free_set(set);
}

TEST_F(UserCalcTest, ARefusedSaveIsReportedAndTheProgramGoesOn)
{
    const int recid = save_calculator({0, "Plocha", "formula\n1", true});
    if (!reopen_read_only())
        GTEST_SKIP() << "the database file cannot be write-protected here";
    m_messages.clear();
    EXPECT_EQ(save_calculator({0, "Nový", "formula\n2", true}), 0);
    EXPECT_EQ(save_calculator({recid, "Plocha", "formula\n3", true}), 0);
    ASSERT_EQ(m_messages.size(), 2u);
    for (const RecordedMessage &message : m_messages)
        EXPECT_FALSE(message.fatal) << message.text.toStdString();
    EXPECT_FALSE(program_ending());
    EXPECT_EQ(m_api->lookup_text(recid, "USER_CALC", "FORMULA"), QString("formula\n1"));
}

} // namespace
