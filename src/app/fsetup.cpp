#include "app/fsetup.h"

#include "app/setup_appearance_page.h"
#include "app/setup_bankcash_page.h"
#include "app/setup_firm_page.h"
#include "app/setup_help_page.h"
#include "app/setup_invoice_page.h"
#include "app/setup_list_panel.h"
#include "app/setup_series_page.h"
#include "data/db_api.h"
#include "data/memtable.h"
#include "widgets/appearance.h"
#include "widgets/command_registry.h"
#include "widgets/dbgrid.h"
#include "widgets/dialog_parts.h"
#include "widgets/enter_as_tab.h"
#include "widgets/help.h"
#include "widgets/localize.h"
#include "widgets/owner_window.h"
#include "widgets/window_host.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// How the window announces itself to the main window's list of open windows.
const QString editor_caption = QStringLiteral("Nastavení parametrů");
const int window_topic = 104;
const QSize page_area(660, 430);

struct PageTexts {
    const char *tab;
    const char *caption;
    const char *hint;
    int help_topic;
    bool help_button;
};

const PageTexts page_texts[Tfm_setup::page_count] = {
    {"Obecné", "Nastavení základních údajů o mé firmě.",
     "Obecné nastavení.|Uložit - uloží nastavení, Zavřít - konec.", 105, true},
    {"Fakturační adresy", "Moje fakturační adresy, pobočky mojí firmy.",
     "Fakturační adresy.|Klikněte na tlačítko (nová, opravit, vymazat), Zavřít - konec.", 1041,
     true},
    {"Bank.účty a pokladny", "Moje bankovní účty a pokladny.",
     "Bankovní účty a pokladny.|Klikněte na tlačítko (nový, přidat, opravit, vymazat), Zavřít - "
     "konec.",
     1042, true},
    {"Číselné řady", "Číselné řady dokladů a seznamů.",
     "Nastavení číselných řad.|Uložit - uloží nastavení, Zavřít - konec.", 1043, true},
    {"Další nastavení", "Nastavení barev a chování programu.",
     "Nastavení vzhledu.|Uložit - uloží nastavení, Zavřít - konec.", 1044, true},
    {"Typ nápovědy", "Výběr druhu kontextové nápovědy.",
     "Typ nápovědy.|Uložit - uloží nastavení, Zavřít - konec.", window_topic, false},
};

TMemTable *select_set(const QString &name, const QString &select)
{
    return dbAPI ? dbAPI->select_sql(name, select) : nullptr;
}

void hide_field(TMemTable *set, const QString &name)
{
    if (TField *field = set ? set->find_field(name) : nullptr)
        field->visible = false;
}

} // namespace

Tfm_setup::Tfm_setup(int page, QWidget *parent) : QDialog(parent, fixed_dialog_flags)
{
    setObjectName(QStringLiteral("fm_setup"));
    setWindowTitle(QStringLiteral("Nastavení údajů MÉ firmy"));
    m_hint = QStringLiteral("Nastavení parametrů|Vyberte požadovanou záložku. Zavřít - konec.");
    set_help_topic(this, window_topic);
    select_sets();
    create_pages();
    localize_component(this);
    apply_dialog_color(*this);
    install_help_key(this);
    enter_as_tab(*this);
    window_host().set_foreground_editor(this);

    const int first = qBound(0, page, page_count - 1);
    if (m_pages->currentIndex() == first)
        page_shown(first);
    else
        m_pages->setCurrentIndex(first);
}

Tfm_setup::~Tfm_setup()
{
    free_sets();
    if (window_host().foreground_editor() == this)
        window_host().set_foreground_editor(nullptr);
}

void Tfm_setup::select_sets()
{
    m_firm_set = select_set(QStringLiteral("CONF_ADDRESS"),
                            QStringLiteral("SELECT * FROM CONF_ADDRESS WHERE RECID=1"));
    m_invoice_set =
        select_set(QStringLiteral("CONF_INVOICE"), QStringLiteral("SELECT * FROM CONF_INVOICE"));
    m_account_set = select_set(QStringLiteral("CONF_BANKCASH"),
                               QStringLiteral("SELECT * FROM CONF_BANKCASH WHERE IS_BANK='T'"));
    m_desk_set = select_set(
        QStringLiteral("CONF_BANKCASH"),
        QStringLiteral("SELECT RECID, IS_BANK, MNAME FROM CONF_BANKCASH WHERE IS_BANK='F'"));
    hide_field(m_account_set, QStringLiteral("IS_BANK"));
    hide_field(m_desk_set, QStringLiteral("IS_BANK"));
}

void Tfm_setup::create_pages()
{
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->setMinimumSize(page_area);
    // Every page's tab stays in sight.
    m_pages->setUsesScrollButtons(false);
    m_firm = new TSetupFirmPage(m_firm_set, m_pages);
    m_invoice = new TSetupInvoicePage(m_invoice_set, m_pages);
    m_bank_cash = new TSetupBankCashPage(m_account_set, m_desk_set, m_pages);
    m_series = new TSetupSeriesPage(m_pages);
    m_appearance = new TSetupAppearancePage(m_pages);
    m_help_type = new TSetupHelpPage(m_pages);
    QWidget *const pages[page_count] = {m_firm,   m_invoice,    m_bank_cash,
                                        m_series, m_appearance, m_help_type};
    for (int index = 0; index < page_count; ++index)
        m_pages->addTab(pages[index], QString::fromUtf8(page_texts[index].tab));
    connect(m_pages, &QTabWidget::currentChanged, this, &Tfm_setup::page_shown);
    connect(m_appearance, &TSetupAppearancePage::saved, this, &QDialog::accept);

    m_help = command_button(QStringLiteral("Nápověda"), "btnHelp", this);
    m_close = command_button(QStringLiteral("Zavřít"), "btnClose", this);
    connect(m_help, &QPushButton::clicked, this, [this] { show_help(this); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_help);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    // One size for all pages: the window does not jump as the user goes through them.
    setFixedSize(sizeHint());
}

int Tfm_setup::current_page() const
{
    return m_pages->currentIndex();
}

void Tfm_setup::page_shown(int index)
{
    if (index < 0 || index >= page_count)
        return;
    const PageTexts &texts = page_texts[index];
    setWindowTitle(QString::fromUtf8(texts.caption));
    m_hint = QString::fromUtf8(texts.hint);
    set_help_topic(this, texts.help_topic);
    m_help->setVisible(texts.help_button);
    window_activated();
}

int Tfm_setup::run()
{
    WindowHost &host = window_host();
    host.editor_opened(editor_caption);
    const int result = exec();
    free_sets();
    host.set_foreground_editor(nullptr);
    host.editor_closed(editor_caption);
    host.set_status_hint({});
    return result;
}

void Tfm_setup::window_activated()
{
    window_host().set_status_hint(m_hint);
}

bool Tfm_setup::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        window_activated();
    return handled;
}

// The program ends the way "Konec" ends it, once the settings window is gone; a book still
// holding unsaved work may stop it.
void Tfm_setup::free_sets()
{
    for (TSetupListPanel *list : {m_invoice->list(), m_bank_cash->accounts(), m_bank_cash->desks()})
        list->grid()->set_table(nullptr);
    for (TMemTable **set : {&m_firm_set, &m_invoice_set, &m_account_set, &m_desk_set}) {
        if (*set && dbAPI)
            dbAPI->free_set(*set);
        *set = nullptr;
    }
}

int open_settings(int page)
{
    Tfm_setup window(page, owner_window());
    return window.run();
}
