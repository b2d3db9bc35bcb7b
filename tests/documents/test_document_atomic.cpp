// A document is saved whole or not at all, also when the program is killed in the middle.

#include "support/db_fixture.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

namespace {

class DocumentAtomicity : public DbFixture {
protected:
    QString value(const QString &select)
    {
        ScopedSet row = m_api->select_scoped(QStringLiteral("X"), select);
        return row && !row->is_empty() ? row->field(0).as_string() : QString();
    }
};

TEST_F(DocumentAtomicity, KilledSaveLeavesTheWholeDocumentOrNone)
{
    const int partner = insert_partner(1, QStringLiteral("Novák"));
    exec(QString("INSERT INTO PAR_ADDR (RECID, ID_PARTNER, IS_INVOICE, ADDRESS_TITLE) VALUES "
                 "(5001, %1, 'T', 'sídlo')").arg(partner));
    // Reproducible moments; the seed shows in a failure's trace.
    const quint32 seed = 20260314;
    QRandomGenerator random(seed);
    SCOPED_TRACE(seed);
    int stored = 0;
    for (int run = 0; run < 100; ++run) {
        SCOPED_TRACE(run);
        exec("UPDATE GENER_NO SET LAST_WRITE='2008-01-01' WHERE RECID=1");
        QProcess child;
        child.start(QStringLiteral(DOCUMENT_SAVE_CHILD),
                    {path(QStringLiteral("app/tallyra")), QStringLiteral("5001")});
        ASSERT_TRUE(child.waitForStarted());
        while (!child.canReadLine() && child.state() == QProcess::Running)
            child.waitForReadyRead(1000);
        QThread::usleep(random.bounded(15000));
        child.kill();
        child.waitForFinished();

        ASSERT_TRUE(reopen());
        EXPECT_EQ(value("PRAGMA integrity_check"), "ok");
        const int documents = value("SELECT count(*) FROM DOC_HEAD").toInt();
        EXPECT_TRUE(documents == stored || documents == stored + 1) << documents;
        EXPECT_EQ(value("SELECT count(*) FROM DOC_HEAD H WHERE "
                        "(SELECT count(*) FROM DOC_ITEMS I WHERE I.HEADER_ID=H.RECID) <> 50 "
                        "OR NOT EXISTS (SELECT 1 FROM DOC_DRS1 D WHERE D.RECID=H.RECID)"),
                  "0");
        EXPECT_EQ(value("SELECT (SELECT count(*) FROM DOC_ITEMS WHERE HEADER_ID NOT IN "
                        "(SELECT RECID FROM DOC_HEAD)) + (SELECT count(*) FROM DOC_DRS1 WHERE "
                        "RECID NOT IN (SELECT RECID FROM DOC_HEAD))"),
                  "0");
        const bool stamped =
            value("SELECT LAST_WRITE FROM GENER_NO WHERE RECID=1") != "2008-01-01";
        EXPECT_EQ(stamped, documents == stored + 1);
        stored = documents;
    }
}

} // namespace
