#include "app/setup_bankcash_page.h"

#include "app/setup_list_panel.h"
#include "data/memtable.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const QString table_name = QStringLiteral("CONF_BANKCASH");
const QString shown_field = QStringLiteral("MNAME");
const int page_topic = 1042;

// A new row belongs to the list it was added to, whatever the editor shows.
void mark_new_rows(TMemTable *set, const QString &is_bank)
{
    if (!set)
        return;
    set->after_insert = [previous = set->after_insert, is_bank](TMemTable &rows) {
        if (previous)
            previous(rows);
        if (TField *flag = rows.find_field(QStringLiteral("IS_BANK")))
            flag->set_as_string(is_bank);
    };
}

TSetupListPanel *add_list(QVBoxLayout &layout, const QString &title, const QString &text,
                          TMemTable *set, const SetupListCommands &commands, QWidget *page)
{
    auto *group = new QGroupBox(title, page);
    auto *explanation = new QLabel(text, group);
    explanation->setWordWrap(true);
    auto *list = new TSetupListPanel(set, table_name, shown_field, page_topic, commands, group);
    auto *inside = new QVBoxLayout(group);
    inside->addWidget(explanation);
    inside->addWidget(list, 1);
    layout.addWidget(group, 1);
    return list;
}

} // namespace

TSetupBankCashPage::TSetupBankCashPage(TMemTable *accounts, TMemTable *desks, QWidget *parent)
    : QWidget(parent)
{
    mark_new_rows(accounts, QStringLiteral("T"));
    mark_new_rows(desks, QStringLiteral("F"));
    auto *layout = new QVBoxLayout(this);
    m_accounts = add_list(
        *layout, QStringLiteral("Bankovní účty"),
        QStringLiteral("Jde o Vaše účty, na které budete inkasovat platby a ze kterých budete "
                       "dávat příkazy k úhradě."),
        accounts,
        {QStringLiteral("Nový bankovní účet"), QStringLiteral("Oprava účtu"),
         QStringLiteral("Vymazat účet"),
         QStringLiteral("Opravdu si přejete vymazat tento bankovní účet?"), "btnNewAccount",
         "btnEditAccount", "btnDeleteAccount"},
        this);
    m_desks = add_list(
        *layout, QStringLiteral("Pokladny"),
        QStringLiteral("Jde o Vaše pokladny, do kterých budete inkasovat hotovost a ze kterých "
                       "budete hotově platit."),
        desks,
        {QStringLiteral("Přidat pokladnu"), QStringLiteral("Opravit pokladnu"),
         QStringLiteral("Vymazat pokladnu"),
         QStringLiteral("Opravdu si přejete vymazat tuto pokladnu?"), "btnNewDesk", "btnEditDesk",
         "btnDeleteDesk"},
        this);
}
