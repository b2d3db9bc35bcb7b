#pragma once
// A fresh application folder and database for each test, a data module opened on it, and
// a responder that records every message instead of showing it.

#include "data/db_api.h"
#include "data/messages.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

struct RecordedMessage {
    QString title;
    QString text;
    int style;
    bool fatal;
    int help_topic;
};

class DbFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Closes the data module's database and opens it again through the connection file.
    bool reopen();
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString database_path() const { return path(QStringLiteral("data/tallyra.db")); }
    // Runs SQL through the sqlite3 shell on the database file, as an outside peer.
    QString sqlite_shell(const QString &sql) const;
    // A write of the test's own set-up (one statement or several) that must work.
    void exec(const QString &sql);
    int insert_partner(int number, const QString &name);
    // Makes the database file one that cannot be written, as on a write-protected disk (for
    // root through the immutable attribute), and opens it again.  False when this machine
    // cannot protect the file.
    bool reopen_read_only();

    QTemporaryDir m_dir;
    std::unique_ptr<TdbAPI> m_api;
    std::vector<RecordedMessage> m_messages;
    int m_answer = mrOk;

private:
    void set_immutable(bool on);

    QByteArray m_saved_data_home;
    bool m_immutable = false;
};
