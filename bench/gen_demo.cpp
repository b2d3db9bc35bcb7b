// gen_demo PATH [partners products documents journal_entries years]
// Writes a new demo database; the connection file goes beside PATH.

#include "bench_database.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: gen_demo PATH [partners products documents entries years]\n");
        return 2;
    }
    DemoSize size;
    int *fields[] = {&size.partners, &size.products, &size.documents, &size.journal_entries,
                     &size.years};
    for (qsizetype i = 1; i < args.size() && i <= 5; ++i)
        *fields[i - 1] = args[i].toInt();
    TdbAPI api;
    const QString path = QFileInfo(args[0]).absoluteFilePath();
    if (!create_demo_database(path, QFileInfo(path).absolutePath() + "/tallyra", api, size))
        return 1;
    std::printf("%s: %d journal rows\n", qUtf8Printable(path), api.count_rows("TE"));
    api.close_database();
    return 0;
}
