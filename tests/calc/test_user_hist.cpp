#include "calc/user_hist.h"

#include "calc/history_hash.h"
#include "support/db_fixture.h"

namespace {

class UserHistTest : public DbFixture {
protected:
    QString stored(const QString &select) const { return sqlite_shell(select); }
    QStringList texts_of(const QString &field)
    {
        TMemTable *set = select_history(history_field_key(field));
        EXPECT_NE(set, nullptr);
        QStringList texts;
        for (int row = 0; set && row < set->record_count(); ++row)
            texts.append(set->cell_text(row, set->field_by_name("TXT").index()));
        m_api->free_set(set);
        texts.sort();
        return texts;
    }
};

TEST_F(UserHistTest, KeysAreHashesOfTheUpperCasedFieldAndText)
{
    EXPECT_EQ(history_field_key("DBEdit1paraddr"), history_hash("DBEDIT1PARADDR"));
    EXPECT_EQ(history_text_key("DBEdit1paraddr", "Sídlo firmy"),
              history_hash(QString::fromUtf8("DBEDIT1PARADDR.SíDLO FIRMY")))
        << "only the letters a to z are upper-cased";

    ASSERT_TRUE(store_history("DBEdit1paraddr", "Sídlo firmy"));
    EXPECT_EQ(stored("SELECT RECID || '|' || DATA_FIELD || '|' || TXT FROM USER_HIST"),
              QString("%1|%2|Sídlo firmy")
                  .arg(history_text_key("DBEdit1paraddr", "Sídlo firmy"))
                  .arg(history_field_key("DBEdit1paraddr")));
}

TEST_F(UserHistTest, ATextIsRememberedOncePerField)
{
    ASSERT_TRUE(store_history("DBEdit1paraddr", "Sklad Praha"));
    ASSERT_TRUE(store_history("DBEdit1paraddr", "Sklad Praha"));
    ASSERT_TRUE(store_history("DBEdit1paraddr", "SKLAD PRAHA"));
    ASSERT_TRUE(store_history("DBEdit4paraddr", "Sklad Praha"));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(texts_of("DBEdit1paraddr"), QStringList{"Sklad Praha"});
    EXPECT_EQ(texts_of("dbedit4PARADDR"), QStringList{"Sklad Praha"});
}

TEST_F(UserHistTest, BlankTextsAreNotRemembered)
{
    for (const QString &text : {QString(), QString("   "), QString("\t \n")})
        EXPECT_TRUE(store_history("edit_doc_title", text));
    EXPECT_EQ(m_api->count_rows("USER_HIST"), 0);
}

TEST_F(UserHistTest, TextsComeBackAsTheyWereTyped)
{
    const QString start = QString::fromUtf8("Oprava střechy '%1' \"č. 5\"; ");
    const QString item = start + QString(255 - start.size(), u'ů');
    ASSERT_EQ(item.size(), 255);
    for (const QString &text : {item, QString("O'Brien'); DROP TABLE USER_HIST; --")}) {
        ASSERT_TRUE(store_history("invoice_item_text", text));
        EXPECT_EQ(history_text(history_text_key("invoice_item_text", text)), text);
    }
    EXPECT_EQ(texts_of("invoice_item_text").size(), 2);
}

TEST_F(UserHistTest, TheDropDownSetShowsOnlyTheFieldsTexts)
{
    ASSERT_TRUE(store_history("edit_doc_title", "Faktura za služby"));
    ASSERT_TRUE(store_history("edit_te_text", "Nájem"));
    TMemTable *set = select_history(history_field_key("edit_doc_title"));
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(set->record_count(), 1);
    EXPECT_EQ(set->field_by_name("TXT").as_string(), QString("Faktura za služby"));
    EXPECT_FALSE(set->field_by_name("DATA_FIELD").visible);
    EXPECT_FALSE(set->field_by_name("RECID").visible);
    EXPECT_TRUE(set->field_by_name("TXT").visible);
    m_api->free_set(set);
}

TEST_F(UserHistTest, DeletingOneTextRemovesItsRowFromDatabaseAndSet)
{
    for (const char *text : {"Alfa", "Beta", "Gama"})
        ASSERT_TRUE(store_history("edit_te_text", text));
    TMemTable *set = select_history(history_field_key("edit_te_text"));
    ASSERT_NE(set, nullptr);
    ASSERT_TRUE(set->locate("TXT", QString("Beta")));
    EXPECT_TRUE(delete_history_text(*set));
    EXPECT_EQ(set->record_count(), 2);
    EXPECT_FALSE(set->locate("TXT", QString("Beta")));
    m_api->free_set(set);
    EXPECT_EQ(texts_of("edit_te_text"), (QStringList{"Alfa", "Gama"}));

    TMemTable *empty = select_history(history_field_key("nothing_stored"));
    ASSERT_NE(empty, nullptr);
    EXPECT_FALSE(delete_history_text(*empty));
    m_api->free_set(empty);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(UserHistTest, DeletingTheWholeHistoryOfAFieldLeavesTheOthers)
{
    ASSERT_TRUE(store_history("tedoc_up", "Záloha"));
    ASSERT_TRUE(store_history("tedoc_up", "Doplatek"));
    ASSERT_TRUE(store_history("tedoc_pr", "Jan Novák"));
    EXPECT_TRUE(delete_field_history(history_field_key("tedoc_up")));
    EXPECT_TRUE(texts_of("tedoc_up").isEmpty());
    EXPECT_EQ(texts_of("tedoc_pr"), QStringList{"Jan Novák"});
}

TEST_F(UserHistTest, WritesRefusedByAReadOnlyDatabaseAreReportedAndTheProgramGoesOn)
{
    ASSERT_TRUE(store_history("edit_te_text", "Nájem"));
    if (!reopen_read_only())
        GTEST_SKIP() << "the database file cannot be write-protected here";
    m_messages.clear();
    EXPECT_FALSE(store_history("edit_te_text", "Záloha"));
    TMemTable *set = select_history(history_field_key("edit_te_text"));
    ASSERT_NE(set, nullptr);
    EXPECT_FALSE(delete_history_text(*set));
    EXPECT_EQ(set->record_count(), 1) << "the row stays in the drop-down";
    m_api->free_set(set);
    EXPECT_FALSE(delete_field_history(history_field_key("edit_te_text")));
    ASSERT_EQ(m_messages.size(), 3u);
    for (const RecordedMessage &message : m_messages)
        EXPECT_FALSE(message.fatal) << message.text.toStdString();
    EXPECT_FALSE(program_ending());
    EXPECT_EQ(texts_of("edit_te_text"), QStringList{"Nájem"});
}

} // namespace
