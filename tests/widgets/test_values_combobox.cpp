#include "text/format_settings.h"
#include "support/db_fixture.h"
#include "widgets/values_combobox.h"

namespace {

class ValuesComboTest : public DbFixture {
protected:
    int insert_address(int partner, const QString &title, const QString &city)
    {
        const int id = m_api->new_recid();
        exec(QStringLiteral("INSERT INTO PAR_ADDR (RECID, ID_PARTNER, ADDRESS_TITLE, CITY) "
                            "VALUES (%1, %2, %3, %4)")
                 .arg(id)
                 .arg(partner)
                 .arg(sql_quote(title), sql_quote(city)));
        return id;
    }

    static QStringList texts(const TValuesComboBox &combo)
    {
        QStringList all;
        for (int item = 0; item < combo.count(); ++item)
            all << combo.itemText(item);
        return all;
    }

    TValuesComboBox m_combo;
};

} // namespace

TEST_F(ValuesComboTest, FillValuesDescribesEachRowAndSelectsTheFirst)
{
    const int novak = insert_partner(1, QStringLiteral("Novák"));
    const int dvorak = insert_partner(2, QStringLiteral("Dvořák"));
    const int praha = insert_address(novak, QStringLiteral("Novák"), QStringLiteral("Praha"));
    const int brno = insert_address(dvorak, QStringLiteral("Dvořák"), QString());

    m_combo.fill_values(QStringLiteral("SELECT RECID, ADDRESS_TITLE, CITY FROM PAR_ADDR ORDER BY "
                                       "RECID"));
    EXPECT_EQ(texts(m_combo), QStringList({"Novák: Praha", "Dvořák"}));
    EXPECT_EQ(m_combo.currentIndex(), 0);
    EXPECT_EQ(m_combo.selected_value(), praha);

    m_combo.select_value(brno);
    EXPECT_EQ(m_combo.currentText(), "Dvořák");
    EXPECT_EQ(m_combo.selected_value(), brno);

    m_combo.select_value(987654);
    EXPECT_EQ(m_combo.currentIndex(), 0);

    // Refilling replaces what was there.
    m_combo.fill_values(
        QStringLiteral("SELECT RECID, PARTNER_NAME FROM PAR WHERE RECID=%1").arg(dvorak));
    EXPECT_EQ(texts(m_combo), QStringList({"Dvořák"}));
    EXPECT_EQ(m_combo.selected_value(), dvorak);
}

TEST_F(ValuesComboTest, SelectByLookupTakesTheReferencedId)
{
    const int novak = insert_partner(1, QStringLiteral("Novák"));
    const int dvorak = insert_partner(2, QStringLiteral("Dvořák"));
    const int address = insert_address(dvorak, QStringLiteral("sídlo"), QStringLiteral("Brno"));
    m_combo.fill_values(QStringLiteral("SELECT RECID, PARTNER_NAME FROM PAR ORDER BY PARTNER_NO"));
    ASSERT_EQ(m_combo.selected_value(), novak);

    m_combo.select_by_lookup(address, QStringLiteral("PAR_ADDR"), QStringLiteral("ID_PARTNER"));
    EXPECT_EQ(m_combo.selected_value(), dvorak);

    // No such row selects the value 0, which no entry has: the first entry.
    m_combo.select_by_lookup(address + 1000, QStringLiteral("PAR_ADDR"),
                             QStringLiteral("ID_PARTNER"));
    EXPECT_EQ(m_combo.selected_value(), novak);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ValuesComboTest, NothingSelectedOrNoNumberGivesMinusOne)
{
    EXPECT_EQ(m_combo.selected_value(), -1);
    m_combo.select_value(5);
    EXPECT_EQ(m_combo.currentIndex(), -1);

    m_combo.add_value(QStringLiteral("Kč"), QStringLiteral("Kč"));
    m_combo.add_value(QStringLiteral("sedm"), QStringLiteral("7"));
    m_combo.select_value(QStringLiteral("Kč"));
    EXPECT_EQ(m_combo.selected_value(), -1);
    m_combo.select_value(7);
    EXPECT_EQ(m_combo.selected_value(), 7);
}

TEST_F(ValuesComboTest, ARefusedSelectLeavesAnEmptyListAndOneMessage)
{
    insert_partner(1, QStringLiteral("Novák"));
    m_combo.fill_values(QStringLiteral("SELECT RECID, PARTNER_NAME FROM PAR"));
    ASSERT_EQ(m_combo.count(), 1);

    m_combo.fill_values(QStringLiteral("SELECT RECID FROM NO_SUCH_TABLE"));
    EXPECT_EQ(m_combo.count(), 0);
    EXPECT_EQ(m_combo.selected_value(), -1);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].title, "Chyba!");
}
