#include "app/flangselect.h"

#include "widgets/help.h"
#include "widgets/localize.h"
#include "data/db_api.h"
#include "data/settings.h"
#include "widgets/owner_window.h"
#include "widgets/appearance.h"
#include "widgets/dialog_parts.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString home_language = QStringLiteral("CZECH");
const QString language_section = QStringLiteral("LANGUAGE");
const int window_topic = 9010;
const int entry_height = 25;

} // namespace

TfmLangSelect::TfmLangSelect(QWidget *parent) : QDialog(parent, fixed_dialog_flags)
{
    setObjectName(QStringLiteral("fmLangSelect"));
    setWindowTitle(QStringLiteral("Vydaná faktura - výběr jazyka"));
    set_help_topic(this, window_topic);

    auto *group = new QGroupBox(QStringLiteral("Zvolte jazyk pro vydanou fakturu"), this);
    group->setObjectName(QStringLiteral("rgLanguage"));
    group->setMinimumWidth(300);
    auto *entries = new QVBoxLayout(group);
    entries->setSpacing(0);
    m_choices = new QButtonGroup(this);
    const IniFile settings = settings_file();
    m_codes = settings.keys(language_section);
    for (int index = 0; index < m_codes.size(); ++index) {
        const QString name = settings.read_string(language_section, m_codes[index]);
        auto *entry = new QRadioButton(name.isEmpty() ? m_codes[index] : name, group);
        entry->setFixedHeight(entry_height);
        m_choices->addButton(entry, index);
        entries->addWidget(entry);
    }
    if (QAbstractButton *first = m_choices->button(0))
        first->setChecked(true);

    QPushButton *help = command_button(QStringLiteral("Nápověda"), QStringLiteral("btnHelp"), this);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    QPushButton *cancel =
        command_button(QStringLiteral("Storno"), QStringLiteral("btnCancel"), this);
    connect(help, &QPushButton::clicked, this, [this] { show_help(this); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    localize_component(this);
    apply_dialog_color(*this);
    install_help_key(this);
}

QString TfmLangSelect::chosen_code() const
{
    const int selected = m_choices->checkedId();
    return selected >= 0 ? m_codes.value(selected) : home_language;
}

bool choose_invoice_language(QString &code)
{
    code.clear();
    if (!dbAPI || !dbAPI->foreign_currency) {
        code = home_language;
        return true;
    }
    TfmLangSelect window(owner_window());
    if (window.exec() != QDialog::Accepted)
        return false;
    code = window.chosen_code();
    return true;
}
