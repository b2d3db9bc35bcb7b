// The main window's commands, its main menu and pop-up menu, the add-on commands and the
// menu tree that mirrors the main menu.

#include "app/fmain.h"

#include "widgets/command_registry.h"
#include "app/commands.h"
#include "widgets/help.h"
#include "widgets/image_list16.h"
#include "app/menu_tree.h"
#include "data/app_paths.h"
#include "data/db_api.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace {

const int tag_books = 200;
const int image_credit_notes = 19;
const QString settings_hint = QStringLiteral("Údaje o Vaší firmě, bankovní účty, pokladny...");

void set_tag(QAction *action, int tag)
{
    action->setProperty("tag", tag);
}

void set_image(QAction *action, int image)
{
    action->setProperty("image", image);
    action->setIcon(ImageList16::icon(image));
}

} // namespace

void Tfm_main::create_commands()
{
    for (const CommandDefinition &definition : command_definitions()) {
        auto *command = new QAction(definition.caption, this);
        command->setObjectName(definition.name);
        command->setStatusTip(definition.hint);
        command->setToolTip(definition.hint);
        if (definition.image >= 0)
            set_image(command, definition.image);
        connect(command, &QAction::triggered, this,
                [this, &definition, command] { execute(definition, command); });
        m_commands.insert(definition.name, command);
    }
}

QAction *Tfm_main::add_item(QMenu *menu, const QString &caption, const QString &hint, int image,
                            int tag)
{
    auto *item = new QAction(caption, menu);
    item->setStatusTip(hint);
    if (image >= 0)
        set_image(item, image);
    set_tag(item, tag);
    menu->addAction(item);
    return item;
}

QAction *Tfm_main::add_command_item(QMenu *menu, const QString &name, int tag,
                                    const QString &caption, const QString &hint)
{
    QAction *command = m_commands.value(name);
    Q_ASSERT(command);
    QAction *item = add_item(
        menu, caption.isEmpty() ? command->text() : caption,
        hint.isEmpty() ? command->statusTip() : hint,
        command->property("image").isValid() ? command->property("image").toInt() : -1, tag);
    connect(item, &QAction::triggered, command, &QAction::trigger);
    return item;
}

QMenu *Tfm_main::add_sub_menu(QMenu *parent, const QString &caption, const QString &hint, int image,
                              int tag)
{
    auto *menu = parent ? new QMenu(caption, parent) : new QMenu(caption, m_main_menu);
    QAction *item = menu->menuAction();
    item->setStatusTip(hint);
    if (image >= 0)
        set_image(item, image);
    set_tag(item, tag);
    if (parent)
        parent->addMenu(menu);
    else
        m_main_menu->addMenu(menu);
    return menu;
}

QAction *Tfm_main::add_settings_item(QMenu *menu, const QString &caption, const QString &hint,
                                     int image, int tag, int page)
{
    QAction *item = add_item(menu, caption, hint, image, tag);
    connect(item, &QAction::triggered, this, [this, page] { open_settings(page); });
    return item;
}

void Tfm_main::create_main_menu()
{
    m_main_menu = new QMenuBar(this);
    m_main_menu->setObjectName(QStringLiteral("mm"));
    setMenuBar(m_main_menu);

    QMenu *file = add_sub_menu(nullptr, QStringLiteral("Soubor"), {}, -1, 0);
    QMenu *settings = add_sub_menu(file, QStringLiteral("Nastavení"), settings_hint, 20, 0);
    add_settings_item(settings, QStringLiteral("Údaje o Vaší firmě"),
                      QStringLiteral("Vaše adresa IČO, atd..."), 21, 1, 0);
    add_settings_item(settings, QStringLiteral("Vaše fakturační adresy"),
                      QStringLiteral("Vaše sídlo a případné pobočky."), 15, 2, 1);
    add_settings_item(settings, QStringLiteral("Vaše bankovní účty a pokladny"),
                      QStringLiteral("Pro Vaše příjmy a platby."), 24, 3, 2);
    add_settings_item(settings, QStringLiteral("Číselné řady Vašich dokladů"),
                      QStringLiteral("Pro faktury, ostatní doklady a seznamy."), -1, 4, 3);
    settings->addSeparator();
    add_settings_item(settings, QStringLiteral("Vzhled"),
                      QStringLiteral("Barvy a chování programu."), -1, 5, 4);
    add_settings_item(settings, QStringLiteral("Typ nápovědy"),
                      QStringLiteral("Zvolí způsob kontextové nápovědy."), 27, 6, 5);
    settings->addSeparator();
    add_command_item(settings, QStringLiteral("actLogoStamp"), 0, {},
                     QStringLiteral("pro Vaše vydané faktury."));
    file->addSeparator();
    add_command_item(file, QStringLiteral("actBackup"), 0);
    add_command_item(file, QStringLiteral("actRestore"), 0);
    file->addSeparator();
    QAction *quit =
        add_item(file, QStringLiteral("Konec"), QStringLiteral("Ukončení programu."), -1, 0);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu *lists = add_sub_menu(nullptr, QStringLiteral("Seznamy"), {}, -1, 1);
    add_command_item(lists, QStringLiteral("actPar"), 1);
    add_command_item(lists, QStringLiteral("actPro"), 1);

    QMenu *records = add_sub_menu(nullptr, QStringLiteral("Účetní záznamy"), {}, -1, 1);
    add_command_item(records, QStringLiteral("actTe"), tag_books);
    records->addSeparator();
    QMenu *issued = add_sub_menu(records, QStringLiteral("Faktury vydané"),
                                 QStringLiteral("Vkládání a úhrady vydaných faktur."), 25, 1);
    add_command_item(issued, QStringLiteral("actDoc1"), tag_books);
    issued->addSeparator();
    add_command_item(issued, QStringLiteral("actDoc1new_novat"), 1,
                     QStringLiteral("Nová vydaná faktura"));
    m_foreign_items << add_command_item(issued, QStringLiteral("actDoc1new_fnovat"), 1,
                                        QStringLiteral("Nová vydaná faktura zahraniční"));
    QMenu *received = add_sub_menu(records, QStringLiteral("Faktury došlé"),
                                   QStringLiteral("Vkládání a úhrady došlých faktur."), 26, 1);
    add_command_item(received, QStringLiteral("actDoc2"), tag_books);
    received->addSeparator();
    add_command_item(received, QStringLiteral("actDoc2new_novat"), 1,
                     QStringLiteral("Nová došlá faktura"));
    m_foreign_items << add_command_item(received, QStringLiteral("actDoc2new_fnovat"), 1,
                                        QStringLiteral("Nová došlá faktura ze zahraničí"));
    QMenu *issued_notes =
        add_sub_menu(records, QStringLiteral("Dobropisy vydané"),
                     QStringLiteral("Vkládání a úhrady vydaných dobropisů."), -1, 1);
    add_command_item(issued_notes, QStringLiteral("actDoc3"), tag_books);
    add_command_item(issued_notes, QStringLiteral("actDoc3new"), 1);
    QMenu *received_notes =
        add_sub_menu(records, QStringLiteral("Dobropisy došlé"),
                     QStringLiteral("Vkládání a úhrady došlých dobropisů."), -1, 1);
    add_command_item(received_notes, QStringLiteral("actDoc4"), tag_books);
    add_command_item(received_notes, QStringLiteral("actDoc4new"), 1);
    records->addSeparator();
    add_command_item(records, QStringLiteral("actSummary"), tag_books);

    QMenu *code_lists = add_sub_menu(nullptr, QStringLiteral("Číselníky"), {}, -1, 1);
    add_command_item(code_lists, QStringLiteral("actTeGrp"), 1);
    code_lists->addSeparator();
    add_command_item(code_lists, QStringLiteral("actCurrList"), 1);
    code_lists->addSeparator();
    add_command_item(code_lists, QStringLiteral("actGrpPar"), 1);
    add_command_item(code_lists, QStringLiteral("actParTypes"), 1);
    add_command_item(code_lists, QStringLiteral("actConTypes"), 1);
    code_lists->addSeparator();
    add_command_item(code_lists, QStringLiteral("actGrpPro"), 1);
    add_command_item(code_lists, QStringLiteral("actUnits"), 1);
    code_lists->addSeparator();
    add_command_item(code_lists, QStringLiteral("actUserCalc"), 1);
    code_lists->addSeparator();
    add_settings_item(code_lists, QStringLiteral("Nastavení parametrů"), {}, 20, 1, 0);

    m_module_items = add_sub_menu(nullptr, QStringLiteral("Přídavné moduly"), {}, -1, 1);
    m_module_items->setObjectName(QStringLiteral("module_items"));

    QMenu *help = add_sub_menu(nullptr, QStringLiteral("Pomoc"), {}, -1, 0);
    QAction *contents = add_item(help, QStringLiteral("Nápověda"),
                                 QStringLiteral("Tematická uživatelská příručka."), 27, 0);
    connect(contents, &QAction::triggered, this, [this] { show_help(this); });
    QAction *guide = add_item(help, QStringLiteral("Zobrazit průvodce"),
                              QStringLiteral("Pomocník pro začátek práce s programem."), 28, 0);
    connect(guide, &QAction::triggered, this, &Tfm_main::show_guide);
    QAction *about = add_item(help, QStringLiteral("O programu..."),
                              QStringLiteral("Informace o verzi programu."), 0, 0);
    connect(about, &QAction::triggered, this, [] {
        if (shell_services().show_about)
            shell_services().show_about();
    });

    m_drawn_menus = {file, lists, records, code_lists, m_module_items, help};

    auto *menu_key = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menu_key, &QShortcut::activated, this, [this] {
        m_main_menu->setFocus(Qt::MenuBarFocusReason);
        m_main_menu->setActiveAction(m_main_menu->actions().value(0));
    });
}

void Tfm_main::create_popup_menu()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("MainPopup"));
    add_command_item(m_popup, QStringLiteral("actPar"), 0);
    add_command_item(m_popup, QStringLiteral("actPro"), 0);
    m_popup->addSeparator();
    add_command_item(m_popup, QStringLiteral("actTe"), 0);
    m_popup->addSeparator();
    for (const char *name : {"actDoc1", "actDoc2", "actDoc3", "actDoc4"})
        add_command_item(m_popup, QLatin1String(name), 0);
    m_popup->addSeparator();
    add_command_item(m_popup, QStringLiteral("actSummary"), 0);
    m_popup->addSeparator();
    add_settings_item(m_popup, QStringLiteral("Nastavení parametrů"), settings_hint, 20, 0, 0);
    m_drawn_menus << m_popup;
}

void Tfm_main::collect_plugins()
{
    m_plugins = ::collect_plugins(app_dir());
    for (int index = 0; index < int(m_plugins.size()); ++index) {
        const Tplugin_item &plugin = m_plugins[size_t(index)];
        if (!plugin.valid())
            continue;
        auto *command = new QAction(plugin.caption, this);
        command->setObjectName(QStringLiteral("plugin%1").arg(index));
        command->setStatusTip(plugin.hint);
        set_tag(command, index);
        connect(command, &QAction::triggered, this, [this, index] { run_plugin_command(index); });
        QAction *item = add_item(m_module_items, plugin.caption, plugin.hint, -1, 1);
        connect(item, &QAction::triggered, command, &QAction::trigger);
    }
}

// The foreign-invoice items follow the firm's setting and the tree mirrors what is shown.
// The add-on menu is hidden only after the tree is built, so its node always stays.
void Tfm_main::show_foreign_items()
{
    const bool foreign = m_database_open && m_api->foreign_currency;
    for (QAction *item : std::as_const(m_foreign_items))
        item->setVisible(foreign);
    m_module_items->menuAction()->setVisible(true);
    build_tree();
    m_module_items->menuAction()->setVisible(!m_module_items->actions().isEmpty());
}

void Tfm_main::build_tree()
{
    m_tree->build_from_menu(m_main_menu->actions());
    m_tree->expandAll();
    for (QTreeWidgetItem *notes :
         {m_tree->issued_credit_notes(), m_tree->received_credit_notes()}) {
        if (!notes)
            continue;
        notes->setExpanded(false);
        notes->setIcon(0, ImageList16::icon(image_credit_notes));
    }
}
