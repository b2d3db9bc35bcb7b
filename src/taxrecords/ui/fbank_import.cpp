#include "taxrecords/ui/fbank_import.h"

#include "data/messages.h"
#include "text/format_settings.h"
#include "text/number_format.h"
#include "widgets/appearance.h"
#include "widgets/dialog_parts.h"
#include "widgets/help.h"
#include "widgets/localize.h"
#include "widgets/system_dialogs.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const int help_bank_import = 3025;
const QColor income_color(0, 128, 0);
const QColor outcome_color(192, 0, 0);

QString money_text(long long cents)
{
    return format_number(double(cents) / 100.0, QStringLiteral("### ### ##0.00"));
}

} // namespace

BankImportModel::BankImportModel(BankImport &import, std::vector<ImportCategory> categories,
                                 QObject *parent)
    : QAbstractTableModel(parent), m_import(import), m_categories(std::move(categories))
{
}

int BankImportModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_import.proposals.size());
}

int BankImportModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString BankImportModel::category_name(int recid) const
{
    for (const ImportCategory &category : m_categories) {
        if (category.recid == recid)
            return category.name;
    }
    return {};
}

QVariant BankImportModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const ImportProposal &proposal = m_import.proposals[size_t(index.row())];
    const BankMovement &movement = m_import.movement_of(proposal);
    if (role == Qt::CheckStateRole && index.column() == colBook)
        return proposal.will_book() ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::ForegroundRole) {
        if (proposal.booked_before)
            return QColor(Qt::gray);
        if (index.column() == colAmount)
            return movement.credit ? income_color : outcome_color;
        return {};
    }
    if (role == Qt::TextAlignmentRole && index.column() == colAmount)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case colDate:
        return format_short_date(movement.value_date);
    case colCounterParty:
        return movement.counter_name.isEmpty() ? movement.counter_account : movement.counter_name;
    case colSymbol:
        return movement.variable_symbol;
    case colAmount:
        return (movement.credit ? QString() : QStringLiteral("-")) +
               money_text(proposal.amount_cents) + u' ' + journal_currency(movement.currency);
    case colProposal:
        return proposal.proposal_text();
    case colState:
        return proposal.state_after();
    case colCategory:
        return proposal.booked_before ? QString() : category_name(proposal.grp_id);
    default:
        return {};
    }
}

QVariant BankImportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[ColumnCount] = {
        "Zaúčtovat", "Datum", "Protistrana", "VS", "Částka", "Návrh", "Stav po úhradě", "Členění"};
    return QString::fromUtf8(titles[section]);
}

Qt::ItemFlags BankImportModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    const ImportProposal &proposal = m_import.proposals[size_t(index.row())];
    if (index.column() == colBook && !proposal.booked_before)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool BankImportModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != colBook)
        return false;
    ImportProposal &proposal = m_import.proposals[size_t(index.row())];
    if (proposal.booked_before)
        return false;
    proposal.skipped = value.toInt() != Qt::Checked;
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    return true;
}

void BankImportModel::reload()
{
    beginResetModel();
    endResetModel();
}

TfBankImport::TfBankImport(TdbAPI &api, BankImport import, QWidget *parent)
    : QDialog(parent), m_api(api), m_import(std::move(import))
{
    setObjectName(QStringLiteral("fBankImport"));
    set_help_topic(this, help_bank_import);
    m_income_categories = import_categories(api, true);
    m_outcome_categories = import_categories(api, false);
    std::vector<ImportCategory> all = m_income_categories;
    all.insert(all.end(), m_outcome_categories.begin(), m_outcome_categories.end());

    const BankStatement &statement = m_import.statement;
    auto *heading = new QLabel(
        QStringLiteral("Účet: %1 (%2), výpis ke dni %3, počáteční zůstatek %4, konečný "
                       "zůstatek %5")
            .arg(m_import.account_name, statement.account, format_short_date(statement.date),
                 money_text(statement.old_balance_cents), money_text(statement.new_balance_cents)),
        this);
    heading->setObjectName(QStringLiteral("lbStatement"));

    m_model = new BankImportModel(m_import, std::move(all), this);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("gridMovements"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setAlternatingRowColors(true);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_view->horizontalHeader()->setStretchLastSection(true);
    QFont bold = m_view->horizontalHeader()->font();
    bold.setBold(true);
    m_view->horizontalHeader()->setFont(bold);
    const int widths[BankImportModel::ColumnCount] = {72, 72, 170, 80, 110, 170, 140, 160};
    for (int column = 0; column < BankImportModel::ColumnCount; ++column)
        m_view->setColumnWidth(column, widths[column]);

    m_movement = new QLabel(this);
    m_movement->setObjectName(QStringLiteral("lbMovement"));
    m_movement->setWordWrap(true);
    m_document = new QLineEdit(this);
    m_document->setObjectName(QStringLiteral("edDocument"));
    m_document->setFixedWidth(120);
    m_assign = command_button(QStringLiteral("Přiřadit doklad"), QStringLiteral("btnAssign"), this);
    m_detach = command_button(QStringLiteral("Bez vazby"), QStringLiteral("btnDetach"), this);
    m_category = new QComboBox(this);
    m_category->setObjectName(QStringLiteral("cbCategory"));
    m_category->setMinimumWidth(260);
    m_book = new QCheckBox(QStringLiteral("Zaúčtovat tento pohyb"), this);
    m_book->setObjectName(QStringLiteral("chkBook"));

    auto *line = new QGridLayout;
    line->addWidget(m_movement, 0, 0, 1, 5);
    auto *document_caption = new QLabel(QStringLiteral("Číslo dokladu:"), this);
    document_caption->setBuddy(m_document);
    line->addWidget(document_caption, 1, 0);
    line->addWidget(m_document, 1, 1);
    line->addWidget(m_assign, 1, 2);
    line->addWidget(m_detach, 1, 3);
    auto *category_caption = new QLabel(QStringLiteral("Členění:"), this);
    category_caption->setBuddy(m_category);
    line->addWidget(category_caption, 2, 0);
    line->addWidget(m_category, 2, 1, 1, 3);
    line->addWidget(m_book, 3, 1, 1, 3);
    line->setColumnStretch(4, 1);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lbSummary"));
    auto *help = command_button(QStringLiteral("Nápověda"), QStringLiteral("btnHelp"), this);
    m_book_button = command_button(QStringLiteral("Zaúčtovat"), QStringLiteral("btnBook"), this);
    auto *cancel = command_button(QStringLiteral("Storno"), QStringLiteral("btnCancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addWidget(m_summary, 1);
    buttons->addWidget(m_book_button);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_view, 1);
    layout->addLayout(line);
    layout->addLayout(buttons);

    connect(help, &QPushButton::clicked, this, [this] { show_help(this); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_book_button, &QPushButton::clicked, this, &TfBankImport::book);
    connect(m_assign, &QPushButton::clicked, this, &TfBankImport::assign);
    // Enter after the typed number assigns it, as the button beside it does.
    connect(m_document, &QLineEdit::returnPressed, this, &TfBankImport::assign);
    connect(m_detach, &QPushButton::clicked, this, &TfBankImport::detach);
    connect(m_category, &QComboBox::activated, this, &TfBankImport::category_chosen);
    connect(m_book, &QCheckBox::toggled, this, &TfBankImport::book_toggled);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TfBankImport::row_changed);
    connect(m_model, &QAbstractItemModel::dataChanged, this, [this] {
        row_changed();
        update_summary();
    });

    resize(1080, 560);
    localize_component(this);
    setWindowTitle(QStringLiteral("Načíst bankovní výpis"));
    apply_dialog_color(*this);
    install_help_key(this);
    if (m_model->rowCount() > 0)
        m_view->setCurrentIndex(m_model->index(0, BankImportModel::colDate));
    row_changed();
    update_summary();
}

int TfBankImport::current_row() const
{
    const QModelIndex index = m_view->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void TfBankImport::row_changed()
{
    const int row = current_row();
    const bool editable = row >= 0 && !m_import.proposals[size_t(row)].booked_before;
    m_document->setEnabled(editable);
    m_assign->setEnabled(editable);
    m_detach->setEnabled(editable);
    m_category->setEnabled(editable);
    m_book->setEnabled(editable);
    m_filling = true;
    m_category->clear();
    if (row < 0) {
        m_movement->clear();
        m_filling = false;
        return;
    }
    const ImportProposal &proposal = m_import.proposals[size_t(row)];
    const BankMovement &movement = m_import.movement_of(proposal);
    QStringList details = {QStringLiteral("Řádek %1: %2").arg(movement.line).arg(movement.text())};
    const std::pair<const char *, QString> parts[] = {{"protiúčet", movement.counter_account},
                                                      {"VS", movement.variable_symbol},
                                                      {"KS", movement.constant_symbol},
                                                      {"SS", movement.specific_symbol}};
    for (const auto &[caption, value] : parts) {
        if (!value.isEmpty())
            details.append(QString::fromUtf8(caption) + u' ' + value);
    }
    m_movement->setText(details.join(QStringLiteral(", ")));
    m_document->setText(proposal.doc_no);
    m_category->addItem(QString(), 0);
    for (const ImportCategory &category :
         movement.credit ? m_income_categories : m_outcome_categories)
        m_category->addItem(category.name, category.recid);
    m_category->setCurrentIndex(std::max(0, m_category->findData(proposal.grp_id)));
    m_book->setChecked(proposal.will_book());
    m_filling = false;
}

void TfBankImport::assign()
{
    const int row = current_row();
    if (row < 0)
        return;
    QString error;
    if (!assign_document(m_api, m_import, row, m_document->text(), error)) {
        show_message(QStringLiteral("Chyba"), error, mbIconWarning, false, help_bank_import);
        return;
    }
    m_model->reload();
    m_view->setCurrentIndex(m_model->index(row, BankImportModel::colDate));
    update_summary();
}

void TfBankImport::detach()
{
    const int row = current_row();
    if (row < 0)
        return;
    detach_document(m_import, row);
    m_model->reload();
    m_view->setCurrentIndex(m_model->index(row, BankImportModel::colDate));
    update_summary();
}

void TfBankImport::category_chosen()
{
    const int row = current_row();
    if (row < 0 || m_filling)
        return;
    ImportProposal &proposal = m_import.proposals[size_t(row)];
    proposal.grp_id = m_category->currentData().toInt();
    if (proposal.grp_id != 0)
        proposal.skipped = false;
    emit m_model->dataChanged(m_model->index(row, 0),
                              m_model->index(row, BankImportModel::ColumnCount - 1));
}

void TfBankImport::book_toggled(bool on)
{
    const int row = current_row();
    if (row < 0 || m_filling)
        return;
    m_model->setData(m_model->index(row, BankImportModel::colBook),
                     on ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

void TfBankImport::update_summary()
{
    int lines = 0;
    long long income = 0;
    long long outcome = 0;
    for (const ImportProposal &proposal : m_import.proposals) {
        if (!proposal.will_book())
            continue;
        ++lines;
        (m_import.movement_of(proposal).credit ? income : outcome) += proposal.amount_cents;
    }
    m_summary->setText(QStringLiteral("Pohybů k zaúčtování: %1, příjmy %2, výdaje %3")
                           .arg(lines)
                           .arg(money_text(income), money_text(outcome)));
}

void TfBankImport::book()
{
    const int booked = book_bank_import(m_api, m_import);
    if (booked < 0)
        return;
    m_booked = booked;
    accept();
}

int import_bank_statement(TdbAPI &api, QWidget *parent)
{
    FileDialogRequest request;
    request.title = QStringLiteral("Načíst bankovní výpis");
    request.filter = QStringLiteral("výpis GPC (*.gpc)|*.gpc|výpis camt.053 (*.xml)|*.xml|"
                                    "libovolný soubor (*.*)|*.*");
    const QString name = choose_file(parent, request);
    if (name.isEmpty())
        return 0;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        show_message(QStringLiteral("Chyba"),
                     QStringLiteral("Soubor %1 nelze otevřít: %2").arg(name, file.errorString()),
                     mbIconError, false, help_bank_import);
        return 0;
    }
    const ImportReading reading = prepare_bank_import(api, file.readAll());
    if (!reading.ok()) {
        show_message(
            QStringLiteral("Chyba"),
            QStringLiteral("Bankovní výpis %1 nelze načíst, nic nebylo zaúčtováno.\r\n").arg(name) +
                reading.error,
            mbIconError, false, help_bank_import);
        return 0;
    }
    TfBankImport dialog(api, reading.import, parent);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    return dialog.booked();
}
