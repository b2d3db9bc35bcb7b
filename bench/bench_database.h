#pragma once
// A demo database made once per benchmark run in a temporary folder, opened by a data
// module whose messages go to standard error.

#include "data/db_api.h"
#include "data/demo_data.h"

#include <QString>
#include <memory>
#include <vector>

class BenchDatabase {
public:
    // Makes the database at `path` and opens it; an existing database there is opened as
    // it is.
    BenchDatabase(const QString &path, const DemoSize &size);
    ~BenchDatabase();

    TdbAPI &api() { return *m_api; }
    const QString &path() const { return m_path; }
    bool ok() const { return m_ok; }

private:
    QString m_path;
    std::unique_ptr<TdbAPI> m_api;
    bool m_ok = false;
};

// Creates a database with the base schema at `path`, opens it through a connection file
// beside `app_exe` and fills it; false with a reason on standard error otherwise.
bool create_demo_database(const QString &path, const QString &app_exe, TdbAPI &api,
                          const DemoSize &size);

// The middle one of a few timings of one run.
double median(std::vector<double> values);
