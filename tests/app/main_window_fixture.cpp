#include "main_window_fixture.h"

#include "app/app_windows.h"
#include "documents/ui/documents_windows.h"
#include "masterdata/ui/masterdata_windows.h"
#include "taxrecords/ui/taxrecords_windows.h"

#include "data/app_paths.h"
#include "data/inifile.h"
#include "data/setup_keys.h"

#include <QWidget>

void MainWindowFixture::SetUp()
{
    DbFixture::SetUp();
    // The main window creates its own data module.
    m_api.reset();
    m_saved_services = shell_services();
    // The main window's commands open the shell's and the code lists' windows.
    register_app_windows();
    register_masterdata_windows();
    register_taxrecords_windows();
    register_documents_windows();
    m_saved_launcher = set_shell_launcher([this](const ShellLaunch &launch) {
        m_launched.push_back(launch);
        return true;
    });
    write_setup(setup::wizard, 0);
    write_setup(setup::auto_run, setup::arNothing);
}

void MainWindowFixture::TearDown()
{
    m_window.reset();
    for (const QString &key : std::as_const(m_registered))
        register_book_window(key, {});
    dm_set_chooser(nullptr);
    shell_services() = m_saved_services;
    set_shell_launcher(m_saved_launcher);
    DbFixture::TearDown();
}

Tfm_main &MainWindowFixture::open_window()
{
    m_window = std::make_unique<Tfm_main>();
    return *m_window;
}

void MainWindowFixture::write_setup(const char *key, int value)
{
    write_setting(QLatin1String(setup::section), QLatin1String(key), value);
}

void MainWindowFixture::write_setting(const QString &section, const QString &key, int value)
{
    IniFile settings(app_file_path(QStringLiteral(".ini")));
    ASSERT_TRUE(settings.write_int(section, key, value));
}

void MainWindowFixture::register_book(const QString &key)
{
    m_registered << key;
    register_book_window(key, [this, key](int record_id) {
        m_books_created[key].push_back(record_id);
        auto *window = new QWidget;
        window->setWindowTitle(QStringLiteral("Okno ") + key);
        return window;
    });
}
