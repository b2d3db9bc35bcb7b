// The document books read a whole book at once and the payments of one document at every
// row change: neither may walk the journal (TE) or the documents table row by row.

#include "support/db_fixture.h"

#include <QRegularExpression>

namespace {

class BookViews : public DbFixture {
protected:
    QString plan(const QString &select) const
    {
        return sqlite_shell(QStringLiteral("EXPLAIN QUERY PLAN ") + select);
    }

    // What is wrong with the plan of the select; empty when every table is reached through
    // an index and TE only through TE_DOC.
    QString plan_fault(const QString &select) const
    {
        const QString steps = plan(select);
        if (!steps.contains(QLatin1String("QUERY PLAN")))
            return QStringLiteral("no plan: ") + steps;
        static const QRegularExpression full_scan(QStringLiteral(R"(\bSCAN (\w+))"));
        if (const auto scan = full_scan.match(steps); scan.hasMatch())
            return QStringLiteral("full scan of ") + scan.captured(1) + u'\n' + steps;
        static const QRegularExpression journal(
            QStringLiteral(R"(SEARCH T USING (COVERING )?INDEX TE_DOC)"));
        if (!journal.match(steps).hasMatch())
            return QStringLiteral("the journal is not read through TE_DOC\n") + steps;
        return {};
    }

    void expect_indexed_books()
    {
        for (int type = 1; type <= 4; ++type)
            EXPECT_EQ(
                plan_fault(QStringLiteral("SELECT * FROM VIEW_DOC%1 ORDER BY DOC_NO").arg(type)),
                QString());
        EXPECT_EQ(plan_fault(QStringLiteral("SELECT * FROM VIEW_DOC1 WHERE RECID=7")), QString());
        for (const char *column : {"INCOME", "OUTCOME"})
            EXPECT_EQ(plan_fault(QStringLiteral("SELECT RECID, DATE_D, %1, ORIGIN_CURR, MNAME FROM "
                                                "VIEW_PAYMENTS WHERE DOC_ID=7")
                                     .arg(QLatin1String(column))),
                      QString());
    }
};

} // namespace

TEST_F(BookViews, BooksAndPaymentsReadTheJournalThroughItsDocumentIndex)
{
    expect_indexed_books();
}

TEST_F(BookViews, AnOlderDatabaseWithoutTheIndexesGetsThemWhenOpened)
{
    sqlite_shell(QStringLiteral("DROP INDEX TE_DOC; DROP INDEX DOC_HEAD_TYPE_NO;"));
    ASSERT_NE(plan_fault(QStringLiteral("SELECT * FROM VIEW_DOC1 ORDER BY DOC_NO")), QString());
    ASSERT_TRUE(reopen());
    expect_indexed_books();
    EXPECT_TRUE(m_messages.empty());
}
