#include "app/command_line.h"

#include "app/app_folder.h"
#include "app/version.h"
#include "data/app_paths.h"
#include "data/db_api.h"
#include "data/demo_data.h"
#include "data/messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

const QString option_version = QStringLiteral("--version");
const QString option_help = QStringLiteral("--help");
const QString option_create = QStringLiteral("--create-database");
const QString option_demo = QStringLiteral("--demo");
const QString option_connect = QStringLiteral("--connect");

// Options that Qt itself reads when the windows start; with them the windows still start.
const QLatin1String qt_options_with_value[] = {
    QLatin1String("-platform"),   QLatin1String("-platformpluginpath"),
    QLatin1String("-platformtheme"), QLatin1String("-plugin"),
    QLatin1String("-qwindowgeometry"), QLatin1String("-qwindowicon"),
    QLatin1String("-qwindowtitle"), QLatin1String("-display"),
    QLatin1String("-geometry"),   QLatin1String("-style"),
    QLatin1String("-stylesheet"), QLatin1String("-session"),
    QLatin1String("-qmljsdebugger")};
const QLatin1String qt_flags[] = {QLatin1String("-reverse"), QLatin1String("-widgetcount"),
                                  QLatin1String("-nograb"), QLatin1String("-dograb")};

const char usage[] =
    "Použití: tallyra [PŘEPÍNAČ]\n"
    "\n"
    "Bez přepínače spustí program s okny.\n"
    "\n"
    "  --version                  vypíše verzi programu a rozhraní databáze\n"
    "  --help                     vypíše tento návod\n"
    "  --create-database CESTA [--demo] [--connect]\n"
    "                             vytvoří novou databázi se základním schématem; s --demo\n"
    "                             ji naplní ukázkovými daty, s --connect zapíše soubor\n"
    "                             připojení, takže ji program při příštím spuštění otevře\n"
    "                             (bez --connect zůstane připojení beze změny)\n"
    "\n"
    "Soubor připojení: %1\n"
    "Proměnná prostředí TALLYRA_APP_DIR určí jinou složku programu (nastavení, připojení,\n"
    "nápověda), například pro přenosnou instalaci.\n";

// Installed, the connection lives in the user's folder, built it lives beside the program:
// the help says which one this run uses.
QString usage_text()
{
    return QString::fromUtf8(usage).arg(
        QDir::toNativeSeparators(app_file_path(QStringLiteral(".cfg"))));
}

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
}

int wrong_arguments(const QString &reason)
{
    print(stderr, reason + QStringLiteral("\n\n") + usage_text());
    return 2;
}

std::optional<QByteArray> read_file(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

bool write_file(const QString &path, const QByteArray &content, QString *error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit())
        return true;
    *error = file.errorString();
    return false;
}

void remove_database(const QString &path)
{
    for (const char *suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
}

// The connection as it was before, put back when the new database cannot be finished.
void restore_connection(const QString &connection, const std::optional<QByteArray> &previous)
{
    QString ignored;
    if (previous)
        write_file(connection, *previous, &ignored);
    else
        QFile::remove(connection);
}

bool fill_with_demo_data()
{
    TdbAPI api;
    if (!api.open_database())
        return false;
    const bool filled = fill_demo_data(api, DemoSize{});
    api.close_database();
    return filled;
}

// Writes the connection file so that the windows open `path` next time; the connection as it
// was is kept in `previous` for putting back.
bool connect_to(const QString &path, const QString &connection,
                std::optional<QByteArray> *previous)
{
    *previous = read_file(connection);
    QString error;
    if (write_file(connection, ("sqlite:" + path).toUtf8(), &error))
        return true;
    print(stderr, QStringLiteral("Soubor připojení %1 nelze zapsat: %2\n").arg(connection, error));
    return false;
}

int create_database(const QString &argument, bool demo, bool connect)
{
    const QString path = QFileInfo(argument).absoluteFilePath();
    if (QFileInfo::exists(path))
        return wrong_arguments(QStringLiteral("Soubor %1 už existuje; databáze se vytváří jen "
                                              "jako nový soubor.")
                                   .arg(path));
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        print(stderr,
              QStringLiteral("Složku %1 nelze vytvořit.\n").arg(QFileInfo(path).absolutePath()));
        return 1;
    }
    if (!dm_create_database(path.toUtf8().constData())) {
        print(stderr, QStringLiteral("Databázi nelze vytvořit: %1\n")
                          .arg(QString::fromUtf8(dm_last_error())));
        return 1;
    }
    // The demo data are written through the program's own data module, which opens the
    // database that the connection file names; without --connect that is for the filling only.
    const QString connection = app_file_path(QStringLiteral(".cfg"));
    std::optional<QByteArray> previous;
    if ((demo || connect) && !connect_to(path, connection, &previous)) {
        remove_database(path);
        return 1;
    }
    if (demo && !fill_with_demo_data()) {
        dm_close_database();
        remove_database(path);
        restore_connection(connection, previous);
        print(stderr, QStringLiteral("Ukázková data se nepodařilo uložit, databáze nebyla "
                                     "vytvořena.\n"));
        return 1;
    }
    print(stdout, QStringLiteral("Databáze vytvořena: %1\n").arg(path));
    if (!connect) {
        if (demo)
            restore_connection(connection, previous);
        return 0;
    }
    print(stdout, QStringLiteral("Soubor připojení: %1\n").arg(connection));
    if (previous && *previous != ("sqlite:" + path).toUtf8())
        print(stdout, QStringLiteral("Předchozí připojení (%1) bylo nahrazeno.\n")
                          .arg(QString::fromUtf8(previous->trimmed())));
    return 0;
}

} // namespace

bool is_command_line(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (std::find(std::begin(qt_options_with_value), std::end(qt_options_with_value),
                      argument) != std::end(qt_options_with_value)) {
            ++i;
            continue;
        }
        if (std::find(std::begin(qt_flags), std::end(qt_flags), argument) == std::end(qt_flags))
            return true;
    }
    return false;
}

int run_command_line(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    choose_app_folder();
    // Nobody is there to answer; every message goes to the error output.
    set_message_handler([](const QString &title, const QString &text, int, bool, int) {
        QString line = title + QStringLiteral(": ") + text;
        line.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        print(stderr, line + u'\n');
        return int(mrCancel);
    });

    const QStringList arguments = application.arguments().mid(1);
    if (arguments == QStringList{option_version}) {
        print(stdout,
              QStringLiteral("Tallyra %1 (db%2)\n").arg(program_version()).arg(dm_version()));
        return 0;
    }
    if (arguments == QStringList{option_help} || arguments == QStringList{QStringLiteral("-h")}) {
        print(stdout, usage_text());
        return 0;
    }
    QStringList rest = arguments;
    const bool demo = rest.removeAll(option_demo) > 0;
    const bool connect = rest.removeAll(option_connect) > 0;
    if (rest.value(0) == option_create) {
        const QString path = rest.value(1);
        if (rest.size() != 2 || path.startsWith(QLatin1String("--")))
            return wrong_arguments(QStringLiteral("Přepínač --create-database potřebuje právě "
                                                  "jednu cestu k nové databázi."));
        return create_database(path, demo, connect);
    }
    if (demo || connect)
        return wrong_arguments(QStringLiteral("Přepínače --demo a --connect patří jen "
                                              "k --create-database."));
    return wrong_arguments(QStringLiteral("Neznámé nebo neúplné přepínače: ") +
                           arguments.join(u' '));
}
