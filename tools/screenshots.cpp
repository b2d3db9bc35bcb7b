// screenshots OUTDIR
// Renders the main window with a book open, its menus and the message dialog in every
// style to PNG files, on a demo database in a temporary folder.

#include "app/database_chooser.h"
#include "app/fdialog.h"
#include "app/fmain.h"
#include "app/program_icon.h"
#include "data/app_paths.h"
#include "data/clock.h"
#include "data/db_api.h"
#include "data/demo_data.h"
#include "data/format_settings.h"
#include "data/messages.h"
#include "data/settings.h"
#include "data/setup_keys.h"
#include "widgets/dbgrid.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSplitter>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <cstdio>

namespace {

const QSize main_window_size(1280, 800);

struct Message {
    const char *file;
    QString title;
    QString text;
    int style;
    bool fatal;
    int help_topic;
};

const Message messages[] = {
    {"dialog_16_error", "Chyba",
     "Záznam nelze uložit. Datový soubor je na disku, na který nelze zapisovat!", 16, false, 9002},
    {"dialog_36_question", "Výmaz", "Opravdu si přejete vymazat tuto fakturační adresu?", 36, false,
     1041},
    {"dialog_48_warning", "Pozor!", "Zadaná hesla si neodpovídají, zadejte je znovu.", 48, false,
     0},
    {"dialog_64_information", "Nastavení",
     "Nastavení je uloženo. Změny se projeví po uzavření oken.", 64, false, 1045},
    {"dialog_68_information_yes_no", "OK",
     "Záznam o firmě byl uložen.\r\nPro uplatnění změn je nutno program ukončit a znovu "
     "spustit.\r\nMám program nyní ukončit?",
     68, false, 1045},
    {"dialog_308_warning_default_no", "Pozor, čtěte pozorně!",
     "Obnova dat ze zálohy je potenciálně nebezpečná operace. Provádějte ji POUZE V PŘÍPADĚ "
     "POŠKOZENÍ DAT.\r\n\r\nPřed spuštěním zalohovani dat, budou uzavřeny všechny otevřené "
     "tabulky.\r\n\r\nPokračovat?",
     308, false, 0},
    {"dialog_fatal", "Chyba!", "Během obnovení dat došlo k závažné chybě. Program bude ukončen!",
     16, true, 9002},
};

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// Offscreen windows have no frame, so the caption is drawn above the window's picture.
QImage with_caption(QWidget &window)
{
    const QImage content = window.grab().toImage();
    const int caption_height = 26;
    QImage framed(content.width() + 2, content.height() + caption_height + 1,
                  QImage::Format_ARGB32);
    framed.fill(QColor(90, 110, 140));
    QPainter painter(&framed);
    painter.setPen(Qt::white);
    QFont font = window.font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(8, 0, framed.width() - 16, caption_height),
                     Qt::AlignVCenter | Qt::AlignLeft, window.windowTitle());
    painter.drawImage(1, caption_height, content);
    return framed;
}

bool save(const QImage &image, const QDir &out, const QString &name)
{
    const QString path = out.filePath(name + QStringLiteral(".png"));
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool prepare_demo_folder(const QTemporaryDir &temp)
{
    QDir(temp.path()).mkpath(QStringLiteral("app/lib"));
    QDir(temp.path()).mkpath(QStringLiteral("data"));
    set_app_exe_path(temp.filePath(QStringLiteral("app/tallyra")));
    IniFile settings = settings_file();
    settings.write_bool(setup::section, setup::wizard, false);
    settings.write_int(setup::section, setup::auto_run, setup::arNothing);

    const QString database = temp.filePath(QStringLiteral("data/tallyra.db"));
    if (!dm_create_database(database.toUtf8().constData()))
        return false;
    QFile connection(app_file_path(QStringLiteral(".cfg")));
    if (!connection.open(QIODevice::WriteOnly))
        return false;
    connection.write("sqlite:" + database.toUtf8());
    connection.close();

    TdbAPI api;
    DemoSize size;
    size.partners = 60;
    size.products = 40;
    size.documents = 300;
    size.journal_entries = 2000;
    size.years = 3;
    const bool filled = api.open_database() && fill_demo_data(api, size);
    api.close_database();
    return filled;
}

// A plain book window over the journal view, standing in for the tax-records book.
QWidget *journal_window()
{
    auto *window = new QWidget;
    window->setWindowTitle(QStringLiteral("Daňová evidence"));
    auto *grid = new TDBGrid(window);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid);
    TMemTable *set = dbAPI->select_sql(QStringLiteral("VIEW_TE"),
                                       QStringLiteral("SELECT * FROM VIEW_TE ORDER BY DATE_D"));
    grid->set_table(set);
    QObject::connect(window, &QObject::destroyed, [set] {
        if (dbAPI)
            dbAPI->free_set(set);
    });
    return window;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setWindowIcon(program_icon());
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots OUTDIR\n");
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    QTemporaryDir temp;
    set_decimal_separator(u',');
    set_short_date_format(QStringLiteral("d.M.yyyy"));
    set_fixed_today(QDate(2026, 3, 15));
    if (!temp.isValid() || !prepare_demo_folder(temp)) {
        std::fprintf(stderr, "cannot prepare the demo database: %s\n", dm_last_error());
        return 1;
    }
    install_message_dialog();

    bool saved = true;
    {
        Tfm_main window;
        // The offscreen screen is small; on a usual screen the tree gets its widest.
        window.resize(main_window_size);
        window.findChild<QSplitter *>()->setSizes({288, main_window_size.width() - 288});
        window.show();
        QMdiSubWindow *book = window.add_child_window(journal_window());
        book->showMaximized();
        window.main_command(1);
        settle();
        window.set_status_hint(QStringLiteral("Daňová evidence|Ins - nový, Enter - oprava"));
        settle();
        saved &= save(with_caption(window), out, QStringLiteral("main_window"));

        const QList<QAction *> menus = window.main_menu()->actions();
        for (int index = 0; index < menus.size(); ++index) {
            QMenu *menu = menus[index]->menu();
            if (!menu || !menus[index]->isVisible())
                continue;
            menu->popup(QPoint(0, 0));
            // One item shown as under the pointer.
            menu->setActiveAction(menu->actions().value(0));
            settle();
            saved &= save(menu->grab().toImage(), out, QStringLiteral("menu_%1").arg(index + 1));
            menu->hide();
        }
        window.popup_menu()->popup(QPoint(0, 0));
        settle();
        saved &= save(window.popup_menu()->grab().toImage(), out, QStringLiteral("popup_menu"));
        window.popup_menu()->hide();

        for (const Message &message : messages) {
            TfmDialog dialog(&window);
            dialog.set_message(message.title, message.text, message.style, message.fatal,
                               message.help_topic);
            dialog.show();
            settle();
            saved &= save(with_caption(dialog), out, QLatin1String(message.file));
            dialog.close();
        }
        set_program_ending(false);
    }

    TfmNewDatabase question(
        QDir::home().filePath(QStringLiteral(".local/share/tallyra/tallyra.db")));
    question.show();
    settle();
    saved &= save(with_caption(question), out, QStringLiteral("new_database"));
    return saved ? 0 : 1;
}
