#include "masterdata/ui/fcnbrates.h"

#include "data/db_api.h"
#include "data/memtable.h"
#include "data/messages.h"
#include "masterdata/cnb_download.h"
#include "text/number_format.h"
#include "widgets/appearance.h"
#include "widgets/dbgrid.h"
#include "widgets/dialog_parts.h"
#include "widgets/help.h"
#include "widgets/localize.h"
#include "widgets/system_dialogs.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString caption = QStringLiteral("Načíst kurzy ČNB");
const QString rate_format = QStringLiteral("### ##0.000");
const int help_currency_list = 402;

TMemTable *new_result_set(QObject *owner)
{
    auto *set = new TMemTable(owner);
    set->add_field(QStringLiteral("CURR_NAME"), FieldType::Text, 10).display_label =
        QStringLiteral("Měna");
    set->add_field(QStringLiteral("OLD_RATE"), FieldType::Text, 32).display_label =
        QStringLiteral("Původní kurz");
    set->add_field(QStringLiteral("NEW_RATE"), FieldType::Text, 32).display_label =
        QStringLiteral("Nový kurz");
    set->add_field(QStringLiteral("REMARK"), FieldType::Text, 64).display_label =
        QStringLiteral("Poznámka");
    set->open();
    return set;
}

// "14,120 za 100" for a rate quoted for more units than one.
QString rate_text(double rate, double amount)
{
    QString text = format_number(rate, rate_format).trimmed();
    if (amount != 1.0)
        text += QStringLiteral(" za ") + format_number(amount, QStringLiteral("0"));
    return text;
}

QString remark(const RateChange &change)
{
    if (change.added)
        return QStringLiteral("měna přidána");
    if (change.old_rate == change.new_rate && change.old_amount == change.new_amount)
        return QStringLiteral("beze změny");
    return {};
}

} // namespace

Tfm_cnbrates::Tfm_cnbrates(const QUrl &address, QWidget *parent)
    : QDialog(parent, fixed_dialog_flags), m_address(address)
{
    setObjectName(QStringLiteral("fm_cnbrates"));
    setWindowTitle(caption);
    set_help_topic(this, help_currency_list);

    m_download = command_button(QStringLiteral("Stáhnout dnešní kurzy z ČNB"),
                                QStringLiteral("btnDownload"), this);
    m_file =
        command_button(QStringLiteral("Načíst ze souboru..."), QStringLiteral("btnFile"), this);
    connect(m_download, &QPushButton::clicked, this, &Tfm_cnbrates::download);
    connect(m_file, &QPushButton::clicked, this, &Tfm_cnbrates::read_file);
    m_date = new QLabel(QStringLiteral("Kurzy ČNB zatím nebyly načteny."), this);
    m_date->setObjectName(QStringLiteral("lbDate"));
    QFont bold = m_date->font();
    bold.setBold(true);
    m_date->setFont(bold);

    m_result = new_result_set(this);
    m_grid = new TDBGrid(this);
    m_grid->setObjectName(QStringLiteral("gridRates"));
    m_grid->set_title_click({});
    m_grid->set_table(m_result);
    m_grid->setMinimumSize(460, 220);

    auto *help = command_button(QStringLiteral("Nápověda"), QStringLiteral("btnHelp"), this);
    auto *close_button = command_button(QStringLiteral("Zavřít"), QStringLiteral("btnClose"), this);
    connect(help, &QPushButton::clicked, this, [this] { show_help(this); });
    connect(close_button, &QPushButton::clicked, this, &QDialog::accept);

    auto *sources = new QHBoxLayout;
    sources->addWidget(m_download);
    sources->addWidget(m_file);
    sources->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(close_button);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(sources);
    layout->addWidget(m_date);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    localize_component(this);
    apply_dialog_color(*this);
    install_help_key(this);
}

Tfm_cnbrates::~Tfm_cnbrates()
{
    m_grid->set_table(nullptr);
}

void Tfm_cnbrates::download()
{
    const QString before = m_date->text();
    m_date->setText(QStringLiteral("Stahuji kurzovní lístek z ČNB..."));
    m_download->setEnabled(false);
    m_file->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const DownloadResult result = download_rate_file(m_address, download_timeout_ms);
    QApplication::restoreOverrideCursor();
    m_download->setEnabled(true);
    m_file->setEnabled(true);
    m_date->setText(before);
    if (!result.ok()) {
        show_message(QStringLiteral("Chyba"), result.error, mbIconWarning, false,
                     help_currency_list);
        return;
    }
    import_rates(result.body);
}

void Tfm_cnbrates::read_file()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Kurzovní lístek ČNB");
    request.filter = QStringLiteral("kurzovní lístek ČNB (*.txt)|*.txt|libovolný soubor (*.*)|*.*");
    request.default_suffix = QStringLiteral("txt");
    const QString name = choose_file(this, request);
    if (name.isEmpty())
        return;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        show_message(QStringLiteral("Chyba"),
                     QStringLiteral("Soubor %1 nelze otevřít: %2").arg(name, file.errorString()),
                     mbIconWarning, false, help_currency_list);
        return;
    }
    import_rates(file.read(1024 * 1024));
}

bool Tfm_cnbrates::import_rates(const QByteArray &file)
{
    if (!dbAPI)
        return false;
    const CnbParseResult parsed = parse_cnb_rates(file);
    if (!parsed.ok()) {
        show_message(QStringLiteral("Chyba"),
                     QStringLiteral("Soubor není platný kurzovní lístek ČNB, kurzy zůstaly beze "
                                    "změny.\r\n") +
                         parsed.error,
                     mbIconWarning, false, help_currency_list);
        return false;
    }
    const QStringList add = codes_to_add(unlisted_rates(*dbAPI, parsed.list));
    const RateUpdate update = apply_cnb_rates(*dbAPI, parsed.list, add);
    if (!update.stored)
        return false;
    m_changed = true;
    show_update(parsed.list, update);
    return true;
}

// The user's list holds the currencies the firm deals in; others come in only when asked.
QStringList Tfm_cnbrates::codes_to_add(const std::vector<CnbRate> &unlisted)
{
    if (unlisted.empty())
        return {};
    QStringList names;
    QStringList codes;
    for (const CnbRate &rate : unlisted) {
        names << QStringLiteral("%1 (%2, %3)").arg(rate.code, rate.country, rate.currency);
        codes << rate.code;
    }
    const QString question =
        QStringLiteral("Kurzovní lístek ČNB obsahuje i měny, které v kurzovním lístku nemáte:"
                       "\r\n") +
        names.join(QStringLiteral(", ")) +
        QStringLiteral("\r\n\r\nPřidat je do kurzovního lístku?");
    if (show_message(QStringLiteral("Kurzy ČNB"), question, mbYesNo | mbDefaultNo | mbIconQuestion,
                     false, help_currency_list) != mrYes)
        return {};
    return codes;
}

void Tfm_cnbrates::show_update(const CnbRateList &list, const RateUpdate &update)
{
    m_date->setText(QStringLiteral("Kurzy ČNB platné pro den %1 (lístek č. %2)")
                        .arg(list.date.toString(QStringLiteral("d. M. yyyy")))
                        .arg(list.sequence));
    m_result->close();
    m_result->open();
    auto add_row = [this](const QString &currency, const QString &old_rate, const QString &new_rate,
                          const QString &note) {
        m_result->append();
        m_result->field(0).set_as_string(currency);
        m_result->field(1).set_as_string(old_rate);
        m_result->field(2).set_as_string(new_rate);
        m_result->field(3).set_as_string(note);
        m_result->post();
    };
    for (const RateChange &change : update.changes)
        add_row(change.currency,
                change.added ? QString() : rate_text(change.old_rate, change.old_amount),
                rate_text(change.new_rate, change.new_amount), remark(change));
    for (const QString &currency : update.missing)
        add_row(currency, {}, {}, QStringLiteral("ČNB tuto měnu nevyhlašuje, kurz zůstal"));
    m_result->first();
    m_grid->fit_columns();
}

bool import_cnb_rates(QWidget *parent, const QUrl &address)
{
    Tfm_cnbrates window(address, parent);
    window.exec();
    return window.changed();
}
