#include "app/application.h"

#include "app/app_folder.h"
#include "app/app_server.h"
#include "app/database_chooser.h"
#include "app/fdialog.h"
#include "app/fmain.h"
#include "app/program_icon.h"
#include "app/qt_czech_texts.h"
#include "data/app_paths.h"
#include "data/messages.h"

#include <QApplication>
#include <cstdio>

int run_application(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallyra"));
    QApplication::setWindowIcon(program_icon());
    install_czech_qt_texts();
    choose_app_folder();

    const QString server_name = app_server_name(app_dir());
    if (hand_over_to_running(server_name)) {
        std::fputs("Tallyra už běží, její okno bylo přeneseno do popředí.\n", stdout);
        return 0;
    }
    TAppServer server(server_name);
    if (server.listen())
        qputenv("TALLYRA_SERVER", server_name.toUtf8());

    install_message_dialog();
    install_database_chooser();

    Tfm_main window;
    if (program_ending())
        return 1;
    server.set_raise_handler([&window] { window.bring_to_front(); });
    server.set_data_handler(
        [&window](int code, const QString &text) { return window.data_command(code, text); });
    window.show_as_configured();
    const int result = QApplication::exec();
    return program_ending() ? 1 : result;
}
