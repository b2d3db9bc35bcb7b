#include "dm_test_support.h"

#include <QDate>
#include <QDir>

#include <sqlite3.h>

#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

void DmTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_saved_data_home = qgetenv("XDG_DATA_HOME");
    m_had_data_home = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(path("data")));
    dm_set_chooser(nullptr);
}

void DmTest::TearDown()
{
    dm_close_database();
    dm_set_chooser(nullptr);
    if (m_had_data_home)
        qputenv("XDG_DATA_HOME", m_saved_data_home);
    else
        qunsetenv("XDG_DATA_HOME");
}

std::string DmTest::create_and_open(const QString &name)
{
    const std::string file = path(name).toStdString();
    EXPECT_NE(dm_create_database(file.c_str()), 0) << dm_last_error();
    EXPECT_NE(dm_open_database(connection(file).c_str()), 0) << dm_last_error();
    return file;
}

const DmField *SelectedRecord::field(const char *name) const
{
    for (int i = 0; i < record.used; ++i) {
        if (record.fields[i].name && std::strcmp(record.fields[i].name, name) == 0)
            return &record.fields[i];
    }
    return nullptr;
}

std::optional<int32_t> SelectedRecord::int_value(const char *name) const
{
    const DmField *slot = field(name);
    if (!slot || !slot->value)
        return std::nullopt;
    int32_t value;
    std::memcpy(&value, slot->value, sizeof value);
    return value;
}

std::optional<double> SelectedRecord::double_value(const char *name) const
{
    const DmField *slot = field(name);
    if (!slot || !slot->value)
        return std::nullopt;
    double value;
    std::memcpy(&value, slot->value, sizeof value);
    return value;
}

std::optional<std::string> SelectedRecord::text_value(const char *name) const
{
    const DmField *slot = field(name);
    if (!slot || !slot->value)
        return std::nullopt;
    return std::string(static_cast<const char *>(slot->value));
}

PutRecord::PutRecord(const char *table, int32_t id) : m_table(table)
{
    m_record.table = m_table.c_str();
    m_record.id = id;
}

DmField &PutRecord::next_slot(const char *name, DmFieldType type, int32_t size)
{
    m_names.push_back(std::make_unique<std::string>(name));
    DmField &field = m_record.fields[m_record.used++];
    field.type = static_cast<uint8_t>(type);
    field.name = m_names.back()->data();
    field.size = size;
    return field;
}

void *PutRecord::keep(std::vector<char> bytes)
{
    m_values.push_back(std::make_unique<std::vector<char>>(std::move(bytes)));
    return m_values.back()->data();
}

PutRecord &PutRecord::add_int(const char *name, int32_t value)
{
    std::vector<char> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    next_slot(name, dmInt, sizeof value).value = keep(std::move(bytes));
    return *this;
}

PutRecord &PutRecord::add_float(const char *name, double value)
{
    std::vector<char> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    next_slot(name, dmFloat, sizeof value).value = keep(std::move(bytes));
    return *this;
}

PutRecord &PutRecord::add_text(const char *name, const std::string &value)
{
    std::vector<char> bytes(value.begin(), value.end());
    bytes.push_back('\0');
    const auto size = static_cast<int32_t>(bytes.size());
    next_slot(name, dmText, size).value = keep(std::move(bytes));
    return *this;
}

PutRecord &PutRecord::add_date(const char *name, double days)
{
    std::vector<char> bytes(sizeof days);
    std::memcpy(bytes.data(), &days, sizeof days);
    next_slot(name, dmDateTime, sizeof days).value = keep(std::move(bytes));
    return *this;
}

PutRecord &PutRecord::add_null(const char *name, DmFieldType type)
{
    next_slot(name, type, 0);
    return *this;
}

namespace {

std::vector<std::optional<std::string>> &answers()
{
    static std::vector<std::optional<std::string>> list;
    return list;
}

int answer(DmChoice kind, void *, const char *proposal, const char *detail, char *out,
           int out_size)
{
    ScriptedChooser::questions().push_back({kind, proposal ? proposal : "", detail ? detail : ""});
    if (answers().empty())
        return 0;
    const std::optional<std::string> next = answers().front();
    answers().erase(answers().begin());
    if (!next)
        return 0;
    std::strncpy(out, next->c_str(), static_cast<size_t>(out_size) - 1);
    return 1;
}

} // namespace

void ScriptedChooser::install(std::vector<std::optional<std::string>> list)
{
    answers() = std::move(list);
    questions().clear();
    dm_set_chooser(answer);
}

std::vector<ScriptedChooser::Question> &ScriptedChooser::questions()
{
    static std::vector<Question> asked;
    return asked;
}

std::string run_without_root(const std::function<std::string()> &checks, bool *skipped)
{
    *skipped = false;
    if (geteuid() != 0)
        return checks();
    int channel[2];
    if (pipe(channel) != 0)
        return "pipe failed";
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(77);
        const std::string failure = checks();
        if (write(channel[1], failure.data(), failure.size()) < 0)
            _exit(2);
        _exit(failure.empty() ? 0 : 1);
    }
    close(channel[1]);
    std::string failure;
    char buffer[256];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
        failure.append(buffer, static_cast<size_t>(n));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77)
        *skipped = true;
    else if (!WIFEXITED(status) || (WEXITSTATUS(status) != 0 && failure.empty()))
        failure = "the checking child ended abnormally";
    return failure;
}

void run_sqlite(const QString &file, const char *sql)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(file).constData(), &db), SQLITE_OK);
    char *error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

std::string query_text(const QString &file, const char *sql)
{
    sqlite3 *db = nullptr;
    std::string result;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0))
            result = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return result;
}

double days_of(int year, int month, int day, int hours, int minutes, int seconds)
{
    const double whole = static_cast<double>(QDate(year, month, day).toJulianDay() -
                                             QDate(1899, 12, 30).toJulianDay());
    return whole + (hours * 3600 + minutes * 60 + seconds) / 86400.0;
}
