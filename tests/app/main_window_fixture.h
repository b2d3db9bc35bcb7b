#pragma once
// A fresh application folder and database on which each test creates its own main window.
// Start-up runs quietly (no start command, no guide) unless a test writes other settings;
// the shell records what it would have started, and book windows are stand-ins that note
// the record they were asked to show.

#include "widgets/command_registry.h"
#include "app/fmain.h"
#include "platform/shell/shell.h"
#include "support/db_fixture.h"

#include <QStringList>
#include <map>
#include <memory>

class MainWindowFixture : public DbFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    Tfm_main &open_window();
    void write_setup(const char *key, int value);
    void write_setting(const QString &section, const QString &key, int value);

    // A stand-in window for the book of the key; its creations are counted.
    void register_book(const QString &key);

    std::unique_ptr<Tfm_main> m_window;
    std::vector<ShellLaunch> m_launched;
    std::map<QString, std::vector<int>> m_books_created; // key -> record ids asked for

private:
    ShellServices m_saved_services;
    ShellLauncher m_saved_launcher;
    QStringList m_registered;
};
