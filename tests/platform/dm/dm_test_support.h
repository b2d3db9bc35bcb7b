#pragma once

#include "platform/dm/dm.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Every test works in its own folder, which also stands in for the user's data folder, and
// leaves the library closed, with no chooser.
class DmTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    // A new database with the base schema, opened.
    std::string create_and_open(const QString &name = "tallyra.db");
    static std::string connection(const std::string &path) { return "sqlite:" + path; }

    QTemporaryDir m_dir;

private:
    QByteArray m_saved_data_home;
    bool m_had_data_home = false;
};

// A record the library fills; freed through the library whatever the test does.
struct SelectedRecord {
    DmRecord record{};
    ~SelectedRecord() { dm_free_record(&record); }
    const DmField *field(const char *name) const;
    std::optional<int32_t> int_value(const char *name) const;
    std::optional<double> double_value(const char *name) const;
    std::optional<std::string> text_value(const char *name) const;
};

// A record the test builds, as the program does: it owns every name and value itself.
class PutRecord {
public:
    explicit PutRecord(const char *table, int32_t id = 0);
    PutRecord &add_int(const char *name, int32_t value);
    PutRecord &add_float(const char *name, double value);
    PutRecord &add_text(const char *name, const std::string &value);
    PutRecord &add_date(const char *name, double days);
    PutRecord &add_null(const char *name, DmFieldType type);
    DmRecord *get() { return &m_record; }

private:
    DmField &next_slot(const char *name, DmFieldType type, int32_t size);
    void *keep(std::vector<char> bytes);

    std::string m_table;
    DmRecord m_record{};
    std::vector<std::unique_ptr<std::string>> m_names;
    std::vector<std::unique_ptr<std::vector<char>>> m_values;
};

// Answers the library's questions from a list and records what it was asked.
struct ScriptedChooser {
    struct Question {
        DmChoice kind;
        std::string proposal;
        std::string detail;
    };
    static void install(std::vector<std::optional<std::string>> answers);
    static std::vector<Question> &questions();
};

// Root passes every permission check; the checks then run in a child process that gave
// root up (the test folder must let others in).  The result is empty when every check held,
// otherwise the first one that failed; `skipped` tells that root could not be given up.
std::string run_without_root(const std::function<std::string()> &checks, bool *skipped);

// Runs SQL on a file without the library: foreign files and checks of what was stored.
void run_sqlite(const QString &file, const char *sql);
std::string query_text(const QString &file, const char *sql);

// 1899-12-30 + days, as the program's date type counts.
double days_of(int year, int month, int day, int hours = 0, int minutes = 0, int seconds = 0);
