#include "documents/ui/fdoctypeselect.h"

#include "data/db_api.h"
#include "documents/doc_types.h"
#include "widgets/appearance.h"
#include "widgets/dialog_parts.h"
#include "widgets/enter_as_tab.h"
#include "widgets/help.h"
#include "widgets/localize.h"
#include "widgets/owner_window.h"
#include "widgets/values_combobox.h"
#include "widgets/window_host.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QVBoxLayout>
#include <vector>

namespace {

const int window_topic = 3062;
const int list_width = 300;

struct Kind {
    const char *caption;
    bool foreign;
};

// The kinds of the two invoice types; credit notes have none.
std::vector<Kind> kinds_of(int type)
{
    switch (type) {
    case dtIssuedInvoice:
        return {{"Nová vydaná faktura", false}, {"Nová vydaná faktura do zahraničí", true}};
    case dtReceivedInvoice:
        return {{"Nová došlá faktura", false}, {"Nová došlá faktura ze zahraničí", true}};
    default:
        return {};
    }
}

} // namespace

QString doctypeselect_caption(int type)
{
    const bool feminine = type == dtIssuedInvoice || type == dtReceivedInvoice;
    return (feminine ? QStringLiteral("NOVÁ ") : QStringLiteral("NOVÝ ")) + doc_type_name(type) +
           QStringLiteral(" - vyberte typ");
}

Tfm_doctypeselect::Tfm_doctypeselect(int type, int preset, QWidget *parent)
    : QDialog(parent, fixed_dialog_flags)
{
    setObjectName(QStringLiteral("fm_doctypeselect"));
    setWindowTitle(doctypeselect_caption(type));
    set_help_topic(this, window_topic);

    auto *group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("rgKind"));
    auto *entries = new QVBoxLayout(group);
    m_kinds = new QButtonGroup(this);
    const std::vector<Kind> kinds = kinds_of(type);
    for (int index = 0; index < int(kinds.size()); ++index) {
        auto *entry = new QRadioButton(QString::fromUtf8(kinds[size_t(index)].caption), group);
        entry->setObjectName(QStringLiteral("rbKind%1").arg(index));
        entry->setProperty("foreign", kinds[size_t(index)].foreign);
        m_kinds->addButton(entry, index);
        entries->addWidget(entry);
    }
    group->setVisible(!kinds.empty());

    auto *currency_caption = new QLabel(QStringLiteral("Doklad v měně:"), this);
    m_currencies = new TValuesComboBox(this);
    m_currencies->setObjectName(QStringLiteral("cbCurrency"));
    m_currencies->setMinimumWidth(list_width);
    currency_caption->setBuddy(m_currencies);
    m_home_offered = preset < 0;
    if (m_home_offered)
        m_currencies->add_value(QStringLiteral("Kč"), QStringLiteral("0"));
    if (dbAPI) {
        const ScopedSet rates =
            dbAPI->select_scoped(QStringLiteral("X"), QStringLiteral("SELECT * FROM CURR_LIST"));
        if (rates) {
            for (rates->first(); !rates->eof(); rates->next())
                m_currencies->add_value(
                    rates->field_by_name(QStringLiteral("CURR_NAME")).as_string() +
                        QStringLiteral(" - ") +
                        rates->field_by_name(QStringLiteral("CURR_TITLE")).as_string(),
                    rates->field_by_name(QStringLiteral("RECID")).as_string());
        }
    }
    m_currencies->setCurrentIndex(m_currencies->count() > 0 ? 0 : -1);

    QPushButton *help = command_button(QStringLiteral("Nápověda"), QStringLiteral("btnHelp"), this);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("btnOk"));
    m_ok->setDefault(true);
    QPushButton *cancel =
        command_button(QStringLiteral("Storno"), QStringLiteral("btnCancel"), this);
    connect(help, &QPushButton::clicked, this, [this] { show_help(this); });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *currency_row = new QHBoxLayout;
    currency_row->addWidget(currency_caption);
    currency_row->addWidget(m_currencies, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(currency_row);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    if (preset >= 0) {
        for (QAbstractButton *entry : m_kinds->buttons())
            entry->setEnabled(m_kinds->id(entry) == preset);
    }
    const int first_kind = preset >= 0 ? preset : 0;
    if (QAbstractButton *entry = m_kinds->button(first_kind)) {
        entry->setChecked(true);
        m_currencies->setEnabled(entry->property("foreign").toBool());
    }
    connect(m_kinds, &QButtonGroup::idClicked, this, &Tfm_doctypeselect::kind_chosen);
    connect(m_currencies, &QComboBox::currentIndexChanged, this, &Tfm_doctypeselect::update_ok);
    update_ok();

    localize_component(this);
    apply_dialog_color(*this);
    enter_as_tab(*this);
    install_help_key(this);
}

void Tfm_doctypeselect::kind_chosen(int kind)
{
    const QAbstractButton *entry = m_kinds->button(kind);
    m_currencies->setEnabled(entry && entry->property("foreign").toBool());
    m_currencies->setCurrentIndex(m_currencies->count() > 0 ? 0 : -1);
}

// A foreign invoice needs a currency: with an empty rate list there is nothing to choose.
void Tfm_doctypeselect::update_ok()
{
    m_ok->setEnabled(m_currencies->currentIndex() >= 0);
}

int Tfm_doctypeselect::chosen_value() const
{
    return m_currencies->selected_value();
}

int choose_new_document(int type, int preset)
{
    if (!dbAPI || !dbAPI->foreign_currency)
        return 0;
    Tfm_doctypeselect window(type, preset, owner_window());
    const QString caption = window.windowTitle();
    WindowHost &host = window_host();
    host.set_status_hint(caption + QStringLiteral("|OK - vybrat a pokračovat, Storno - zpět."));
    host.editor_opened(caption);
    const auto closed = qScopeGuard([&host, &caption] { host.editor_closed(caption); });
    if (window.exec() != QDialog::Accepted)
        return -1;
    return window.chosen_value();
}
