#include "taxrecords/ui/fpretedoc.h"

#include "calc/ui/user_calc_history.h"
#include "data/db_api.h"
#include "taxrecords/cash_voucher.h"
#include "text/format_settings.h"
#include "text/number_format.h"
#include "widgets/appearance.h"
#include "widgets/dialog_parts.h"
#include "widgets/enter_as_tab.h"
#include "widgets/help.h"
#include "widgets/localize.h"
#include "widgets/owner_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const int help_voucher = 308;
const int text_length = 64;
const int text_width = 300;

QLabel *caption_of(const QString &text, QWidget *control, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(control);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    return label;
}

} // namespace

TfPreTeDoc::TfPreTeDoc(const VoucherEntry &entry, bool income, QWidget *parent)
    : QDialog(parent, fixed_dialog_flags)
{
    setObjectName(QStringLiteral("fPreTeDoc"));
    set_help_topic(this, help_voucher);
    const VoucherDetails &details = voucher_details();

    m_number = new QSpinBox(this);
    m_number->setObjectName(QStringLiteral("seNumber"));
    m_number->setRange(0, 999999999);
    m_number->setValue(entry.proposed_number);
    m_number->setFixedWidth(110);
    m_purpose = text_input("tedoc_up", details.purpose);
    m_heading = new QLabel(
        income ? QStringLiteral("Přijato OD:") : QStringLiteral("Vyplaceno komu:"), this);
    m_heading->setObjectName(QStringLiteral("lbHeading"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_name = text_input("tedoc_pr", details.name);
    m_address = text_input("tedoc_pr2", details.address);
    m_entry = new QLabel(format_short_date(entry.date) + QStringLiteral("\nDoklad: ") +
                             entry.doc_no + u'\n' + entry.grp_name,
                         this);
    m_entry->setObjectName(QStringLiteral("lbEntry"));
    m_amount = new QLabel(format_number(entry.amount, QStringLiteral("### ### ##0.00")) + u' ' +
                              entry.currency,
                          this);
    m_amount->setObjectName(QStringLiteral("lbAmount"));
    m_amount->setFont(bold);

    auto *fields = new QGridLayout;
    fields->addWidget(caption_of(QStringLiteral("Číslo:"), m_number, this), 0, 0);
    fields->addWidget(m_number, 0, 1, Qt::AlignLeft);
    fields->addWidget(caption_of(QStringLiteral("Účel platby"), m_purpose, this), 1, 0);
    fields->addWidget(m_purpose, 1, 1);
    fields->addWidget(m_heading, 2, 0, 1, 2);
    fields->addWidget(caption_of(QStringLiteral("Jméno / název:"), m_name, this), 3, 0);
    fields->addWidget(m_name, 3, 1);
    fields->addWidget(caption_of(QStringLiteral("Adresa:"), m_address, this), 4, 0);
    fields->addWidget(m_address, 4, 1);
    fields->addWidget(caption_of(QStringLiteral("Záznam v daňové evidenci:"), m_entry, this), 5, 0);
    fields->addWidget(m_entry, 5, 1);
    fields->addWidget(caption_of(QStringLiteral("Částka:"), m_amount, this), 6, 0);
    fields->addWidget(m_amount, 6, 1);

    auto *help = command_button(QStringLiteral("Nápověda"), QStringLiteral("btnHelp"), this);
    m_ok = command_button(QStringLiteral("OK"), QStringLiteral("btnOk"), this);
    auto *cancel = command_button(QStringLiteral("Storno"), QStringLiteral("btnCancel"), this);
    m_ok->setDefault(true);
    connect(help, &QPushButton::clicked, this, [this] { show_help(this); });
    connect(m_ok, &QPushButton::clicked, this, &TfPreTeDoc::accept);
    connect(cancel, &QPushButton::clicked, this, &TfPreTeDoc::reject);
    // A voucher without a number could be neither printed with one nor stored.
    const auto number_ok = [this] { m_ok->setEnabled(m_number->value() >= 1); };
    connect(m_number, &QSpinBox::valueChanged, this, number_ok);
    number_ok();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    localize_component(this);
    // The caption keeps its leading spaces, which the texts' hook would trim.
    setWindowTitle(
        income ? QStringLiteral("  Pokladní doklad PŘÍJMOVÝ -  doplňující informace před tiskem.")
               : QStringLiteral("  Pokladní doklad VÝDAJOVÝ -  doplňující informace před tiskem."));
    apply_dialog_color(*this);
    install_help_key(this);
    enter_as_tab(*this);
}

QLineEdit *TfPreTeDoc::text_input(const char *history_key, const QString &text)
{
    auto *edit = new QLineEdit(text, this);
    edit->setObjectName(QLatin1String(history_key));
    edit->setMaxLength(text_length);
    edit->setFixedWidth(text_width);
    TUserCalcHistory *history = attach_text_history(edit);
    history->button()->setToolTip(QStringLiteral("uspořádat historii textů"));
    m_histories.push_back(history);
    return edit;
}

void TfPreTeDoc::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QWidget *host = parentWidget() ? parentWidget()->window() : nullptr)
        move(host->geometry().center() - rect().center());
    m_number->setFocus();
}

void TfPreTeDoc::accept()
{
    if (!m_ok->isEnabled())
        return;
    VoucherDetails &details = voucher_details();
    details.number = QString::number(m_number->value());
    details.purpose = m_purpose->text();
    details.name = m_name->text();
    details.address = m_address->text();
    for (TUserCalcHistory *history : m_histories)
        history->store_history();
    QDialog::accept();
}

bool voucher_dialog(int entry_id, bool income)
{
    if (!dbAPI)
        return false;
    const std::optional<VoucherEntry> entry = prepare_voucher(*dbAPI, entry_id, income);
    if (!entry)
        return false;
    TfPreTeDoc dialog(*entry, income, owner_window());
    return dialog.exec() == QDialog::Accepted;
}
