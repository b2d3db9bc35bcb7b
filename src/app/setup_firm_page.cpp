#include "app/setup_firm_page.h"

#include "app/fsetupscr.h"
#include "data/company_records.h"
#include "data/db_api.h"
#include "data/memtable.h"
#include "data/messages.h"
#include "widgets/dbcheckbox.h"
#include "widgets/dbedit.h"
#include "widgets/dbmemo.h"
#include "widgets/window_host.h"
#include "widgets/dialog_parts.h"
#include "widgets/label_helpers.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString table_name = QStringLiteral("CONF_ADDRESS");
const int firm_recid = 1;
const int help_saved = 1045;
const int memo_lines = 4;

// Written in this order after RECID.
const char *const stored_fields[] = {"MYNAME",    "MYID",      "MYVAT",
                                     "MYADDRESS", "FORE_CURR", "INVOICE_TEXT"};

QLabel *field_label(QWidget *control, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setBuddy(control);
    label_from_field(*label);
    return label;
}

} // namespace

TSetupFirmPage::TSetupFirmPage(TMemTable *firm, QWidget *parent) : QWidget(parent), m_firm(firm)
{
    if (m_firm && m_firm->active()) {
        if (m_firm->is_empty()) {
            m_row_stored = false;
            m_firm->append();
            m_firm->field_by_name(QStringLiteral("RECID")).set_as_integer(firm_recid);
        } else {
            m_firm->edit();
        }
    }
    create_controls();
}

void TSetupFirmPage::create_controls()
{
    auto bind_edit = [this](const char *name, auto *control) {
        control->setObjectName(QLatin1String(name));
        control->bind(m_firm, QLatin1String(name));
        return control;
    };
    auto *firm = new QGroupBox(QStringLiteral("Údaje o Vaší firmě, adresa."), this);
    auto *fields = new QFormLayout(firm);
    fields->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (const char *name : {"MYNAME", "MYID", "MYVAT"}) {
        TDBEdit *edit = bind_edit(name, new TDBEdit(firm));
        fields->addRow(field_label(edit, firm), edit);
    }
    TDBMemo *address = bind_edit("MYADDRESS", new TDBMemo(firm));
    address->setFixedHeight(address->fontMetrics().lineSpacing() * memo_lines + 12);
    fields->addRow(field_label(address, firm), address);

    auto *foreign = bind_edit("FORE_CURR", new TDBCheckBox(this));
    foreign->setText(QStringLiteral("budu účtovat i v cizích měnách"));

    auto *footer_label = new QLabel(QStringLiteral("Text v patičce vydané faktury"), this);
    TDBEdit *footer = bind_edit("INVOICE_TEXT", new TDBEdit(this));

    QPushButton *logo =
        command_button(QStringLiteral("Logo a razítko"), QStringLiteral("btnLogoStamp"), this);
    connect(logo, &QPushButton::clicked, this, [] { open_logo_stamp(); });
    m_save = command_button(QStringLiteral("Uložit"), QStringLiteral("btnSaveFirm"), this);
    connect(m_save, &QPushButton::clicked, this, &TSetupFirmPage::save);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(logo);
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(firm);
    layout->addWidget(foreign);
    layout->addSpacing(6);
    layout->addWidget(footer_label);
    layout->addWidget(footer);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

QWidget *TSetupFirmPage::control_of(const QString &field_name) const
{
    return findChild<QWidget *>(field_name);
}

// The row stays in edit until the database has taken it, so a refused write (a read-only
// database) keeps everything the user typed.
bool TSetupFirmPage::save()
{
    if (!dbAPI || !m_firm || !m_firm->active())
        return false;
    QStringList columns;
    for (const char *name : stored_fields)
        columns << QLatin1String(name);
    if (!save_firm_row(*dbAPI, *m_firm, columns, m_row_stored))
        return false;
    m_row_stored = true;
    m_firm->post();
    m_firm->edit();
    // Every window reads the firm when it opens, so nothing waits for a restart.
    window_host().firm_changed();
    show_message(QStringLiteral("Nastavení"), QStringLiteral("Záznam o firmě byl uložen."),
                 mbIconInformation, false, help_saved);
    return true;
}
