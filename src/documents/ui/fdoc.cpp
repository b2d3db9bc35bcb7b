#include "documents/ui/fdoc.h"

#include "data/db_api.h"
#include "data/memtable.h"
#include "data/messages.h"
#include "documents/doc_payments.h"
#include "documents/doc_totals.h"
#include "documents/doc_types.h"
#include "documents/ui/document_notices.h"
#include "documents/ui/document_operations.h"
#include "documents/ui/fdoctypeselect.h"
#include "masterdata/ui/frsearch.h"
#include "reports/isdoc_export.h"
#include "reports/report_state.h"
#include "reports/ui/list_reports.h"
#include "taxrecords/ui/journal_operations.h"
#include "text/number_format.h"
#include "widgets/appearance.h"
#include "widgets/command_key.h"
#include "widgets/command_registry.h"
#include "widgets/dbgrid.h"
#include "widgets/help.h"
#include "widgets/image_list16.h"
#include "widgets/localize.h"
#include "widgets/popup_menu.h"
#include "widgets/system_dialogs.h"
#include "widgets/window_host.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScopeGuard>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString status_text = QStringLiteral(
    "Seznam dokladů.|MEZERNÍK - tisk dokladu, INSERT - vlož nový doklad, ENTER - oprava "
    "dokladu, DELETE - vymaž doklad, F8 - menu, ESC - zavřít.");
const QString amount_format = QStringLiteral("### ### ##0.00");
const QString caption_padding = QString(24, u' ');

const int widest_column = 208;
const int date_width = 72;
const int title_width = 128;
const int large_points = 15;
const int partner_points = 13;
const int tab_width = 108;
const int bold_widening = 112; // per cent

const int image_coins = 0;
const int image_floppy = 6;
const int image_refresh = 7;
const int image_door = 9;
const int image_envelope = 11;

int help_topic_of(int type)
{
    switch (type) {
    case dtIssuedInvoice:
        return 303;
    case dtReceivedInvoice:
        return 304;
    default:
        return 305;
    }
}

MainCommand reopen_command(int type)
{
    return static_cast<MainCommand>(static_cast<int>(MainCommand::ReopenIssuedInvoices) + type - 1);
}

// The amount still to pay of the book's current document is paid in the column of its
// direction: documents that bring money in are paid by INCOME.
QString payments_select(int type, int document_id)
{
    const QString columns =
        brings_money_in(type)
            ? QStringLiteral("SELECT RECID, DATE_D, INCOME, ORIGIN_CURR, MNAME FROM VIEW_PAYMENTS")
            : QStringLiteral(
                  "SELECT RECID, DATE_D, OUTCOME, ORIGIN_CURR, MNAME  FROM VIEW_PAYMENTS");
    return columns + QStringLiteral(" WHERE DOC_ID=") + QString::number(document_id);
}

class BoldColumn : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->font.setBold(true);
    }
};

QLabel *field_caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLabel *value_label(const char *name, QWidget *parent, int points = 0, bool bold = false)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont font = label->font();
    if (points > 0)
        font.setPointSize(points);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

void set_text_color(QLabel *label, const QColor &color)
{
    if (label->palette().color(QPalette::WindowText) == color)
        return;
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

void take_view_color(QWidget *widget)
{
    const QColor color = appearance().view_color;
    if (!color.isValid())
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Base, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// 72 pixels hold a date in the font the layout was made for; a wider font keeps the whole
// date in view rather than cut it.
int date_column_width(const TDBGrid &grid)
{
    return std::max(date_width,
                    grid.fontMetrics().horizontalAdvance(QStringLiteral("28.12.2026")) + 12);
}

int find_column(const TDBGrid &grid, const QString &field)
{
    for (int column = 0; column < grid.table_model().columnCount(); ++column)
        if (grid.column_field(column)->name().compare(field, Qt::CaseInsensitive) == 0)
            return column;
    return -1;
}

} // namespace

TfDoc::TfDoc(int doc_type, int record_id, QWidget *parent) : QWidget(parent), m_type(doc_type)
{
    setObjectName(QStringLiteral("DOC%1").arg(m_type));
    setWindowTitle(doc_window_caption(m_type, true, false));
    set_help_topic(this, help_topic_of(m_type));
    m_set = dbAPI ? dbAPI->select_sql(QStringLiteral("VIEW_DOC"),
                                      QStringLiteral("SELECT * FROM ") + view_name() +
                                          QStringLiteral(" ORDER BY DOC_NO"))
                  : nullptr;
    create_commands();
    create_layout();
    setup_grid();
    if (m_set) {
        connect(m_set, &TMemTable::current_changed, this, &TfDoc::document_changed);
        connect(m_set, &TMemTable::row_changed, this, &TfDoc::document_changed);
        connect(m_set, &TMemTable::layout_changed, this, &TfDoc::document_changed);
        if (record_id != 0)
            dbAPI->locate_recid(record_id, m_set);
    }
    localize_component(this);
    // The spaces keep the toolbar clear of the caption; the translation would trim them.
    m_caption->setText(windowTitle() + caption_padding);
    install_help_key(this);
    document_changed();
    window_host().post_command(MainCommand::RefreshOpenWindows);
}

TfDoc::~TfDoc()
{
    m_grid->set_table(nullptr);
    m_payment_grid->set_table(nullptr);
    if (dbAPI) {
        if (m_payments)
            dbAPI->free_set(m_payments);
        if (m_set)
            dbAPI->free_set(m_set);
    }
    window_host().post_command(MainCommand::RefreshOpenWindows);
    window_host().set_status_hint({});
}

QString TfDoc::view_name() const
{
    return QStringLiteral("VIEW_DOC%1").arg(m_type);
}

void TfDoc::create_commands()
{
    auto add = [this](const char *name, const QString &text, const QString &hint, int image,
                      void (TfDoc::*slot)()) {
        auto *action = new QAction(ImageList16::icon(image), text, this);
        action->setObjectName(QLatin1String(name));
        if (!hint.isEmpty())
            action->setStatusTip(hint);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
        m_commands.insert(action->objectName(), action);
        return action;
    };
    add("actDocAdd", QStringLiteral("Přidat nový doklad"), QStringLiteral("nový doklad"),
        ImageList16::plus, &TfDoc::add_document);
    add("actDocEdit", QStringLiteral("Oprava dokladu"), QStringLiteral("oprava dokladu"),
        ImageList16::pencil, &TfDoc::edit_document_row);
    add("actDocDel", QStringLiteral("Vymazat tento doklad"), QStringLiteral("vymazat doklad"),
        ImageList16::cross, &TfDoc::delete_document_row);
    add("actSendTE", QStringLiteral("Úhrada dokladu"), QStringLiteral("zaúčtovat doklad"),
        image_coins, &TfDoc::add_payment);
    add("actPrintDoc", QStringLiteral("Tisk vybraného dokladu"), {}, ImageList16::printer,
        &TfDoc::print_document);
    add("actPrintList", QStringLiteral("Tisk soupisu dokladů"), {}, ImageList16::printer,
        &TfDoc::print_list);
    add("actSendDoc", QStringLiteral("Odeslat doklad e-mailem"), {}, image_envelope,
        &TfDoc::send_document);
    add("actExportIsdoc", QStringLiteral("Export ISDOC"),
        QStringLiteral("uložit doklad jako elektronickou fakturu ISDOC"), image_floppy,
        &TfDoc::export_isdoc_document);
    add("actPayEdit", QStringLiteral("oprava záznamu úhrady"), {}, ImageList16::pencil,
        &TfDoc::edit_payment_row);
    add("actPayDel", QStringLiteral("vymazat úhradu"), {}, ImageList16::cross,
        &TfDoc::delete_payment_row);
    add("actPayReload", QStringLiteral("Obnovit, znovu načíst úhrady tohoto dokladu."), {},
        image_refresh, &TfDoc::load_payments);
    add("actRefresh", QStringLiteral("Obnovit, znovu načíst."), {}, image_refresh,
        &TfDoc::refresh_window);
    add("actClose", QStringLiteral("Zavřít"), {}, image_door, &TfDoc::close_window);
    auto *help =
        new QAction(ImageList16::icon(ImageList16::help), QStringLiteral("Nápověda"), this);
    help->setObjectName(QStringLiteral("actHelp"));
    connect(help, &QAction::triggered, this, [this] { show_help(this); });
    m_commands.insert(help->objectName(), help);

    m_print_menu = new QMenu(this);
    m_print_menu->setObjectName(QStringLiteral("popPrint"));
    m_print_menu->addAction(command("actPrintDoc"));
    m_print_menu->addAction(command("actPrintList"));

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("popDoc"));
    m_menu->addAction(command("actDocAdd"));
    m_menu->addAction(command("actDocEdit"));
    m_menu->addAction(command("actDocDel"));
    m_menu->addSeparator();
    m_menu->addAction(command("actSendTE"));
    m_menu->addSeparator();
    m_menu->addAction(command("actPrintDoc"));
    m_menu->addAction(command("actExportIsdoc"));
    m_menu->addSeparator();
    m_menu->addAction(command("actPrintList"));
}

QAction *TfDoc::command(const char *name) const
{
    return m_commands.value(QLatin1String(name));
}

QWidget *TfDoc::create_top_bar()
{
    auto *bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("pnTop"));
    bar->setFrameShape(QFrame::StyledPanel);
    m_caption = new QLabel(bar);
    m_caption->setObjectName(QStringLiteral("lbCaption"));
    QFont font(QStringLiteral("Arial"), large_points);
    font.setBold(true);
    m_caption->setFont(font);
    set_text_color(m_caption, doc_type_color(m_type));

    auto *tools = new QToolBar(bar);
    tools->setObjectName(QStringLiteral("tbDoc"));
    tools->setIconSize(QSize(16, 16));
    tools->addAction(command("actDocAdd"));
    tools->addAction(command("actDocEdit"));
    tools->addAction(command("actDocDel"));
    tools->addSeparator();
    tools->addAction(command("actSendTE"));
    m_print_button = new QToolButton(tools);
    m_print_button->setObjectName(QStringLiteral("btnPrint"));
    m_print_button->setIcon(ImageList16::icon(ImageList16::printer));
    m_print_button->setToolTip(QStringLiteral("tisk dokladu"));
    m_print_button->setMenu(m_print_menu);
    m_print_button->setPopupMode(QToolButton::InstantPopup);
    tools->addWidget(m_print_button);
    tools->addAction(command("actSendDoc"));
    tools->addAction(command("actExportIsdoc"));

    auto *right = new QToolBar(bar);
    right->setObjectName(QStringLiteral("tbWindow"));
    right->setIconSize(QSize(16, 16));
    right->addAction(command("actRefresh"));
    right->addAction(command("actHelp"));
    right->addAction(command("actClose"));

    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(m_caption);
    layout->addWidget(tools);
    layout->addStretch(1);
    layout->addWidget(right);
    return bar;
}

void TfDoc::create_layout()
{
    auto *list = new QWidget(this);
    m_grid = new TDBGrid(list);
    m_grid->setObjectName(QStringLiteral("ds"));
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->installEventFilter(this);
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_menu->popup(m_grid->viewport()->mapToGlobal(at)); });
    connect(m_grid, &TDBGrid::enter_pressed, this,
            [this] { run_if_enabled(command("actDocEdit")); });
    connect(m_grid, &TDBGrid::record_double_clicked, this,
            [this] { run_if_enabled(command("actDocEdit")); });
    m_search = new Tfr_search(list);
    auto *list_layout = new QVBoxLayout(list);
    list_layout->setContentsMargins(0, 0, 0, 0);
    list_layout->setSpacing(0);
    list_layout->addWidget(m_grid, 1);
    list_layout->addWidget(m_search);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pcDoc"));
    m_pages->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: %1px; }").arg(tab_width));
    m_pages->addTab(create_content_page(), QStringLiteral("Obsah"));
    m_pages->addTab(create_payments_page(), QStringLiteral("Úhrady"));
    connect(m_pages, &QTabWidget::currentChanged, this, &TfDoc::update_commands);

    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(list);
    split->addWidget(m_pages);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(create_top_bar());
    layout->addWidget(split, 1);
}

QWidget *TfDoc::create_content_page()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsContent"));
    take_view_color(page);
    m_number = value_label("lbDocNo", page, 0, true);
    m_title = value_label("lbDocTitle", page, large_points, true);
    m_state = value_label("lbState", page, 0, true);
    m_partner = value_label("lbPartner", page, partner_points, true);
    m_address_title = value_label("lbAddressTitle", page);
    QFont italic = m_address_title->font();
    italic.setItalic(true);
    m_address_title->setFont(italic);
    m_full_address = value_label("lbFullAddress", page, 0, true);
    m_ico = value_label("lbIco", page);
    m_dic = value_label("lbDic", page);
    m_all_sum = value_label("lbAllSum", page, large_points, true);
    set_text_color(m_all_sum, QColor(255, 0, 0));
    m_round_sum = value_label("lbRoundSum", page, large_points, true);
    set_text_color(m_round_sum, QColor(0, 0, 0));

    auto *address = new QHBoxLayout;
    address->addWidget(m_address_title);
    address->addWidget(m_full_address, 1);
    auto *numbers = new QHBoxLayout;
    numbers->addWidget(field_caption(QStringLiteral("IČ:"), page));
    numbers->addWidget(m_ico);
    numbers->addSpacing(24);
    numbers->addWidget(field_caption(QStringLiteral("DIČ:"), page));
    numbers->addWidget(m_dic);
    numbers->addStretch(1);

    auto *grid = new QGridLayout(page);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->addWidget(field_caption(QStringLiteral("číslo dokladu:"), page), 0, 0);
    grid->addWidget(m_number, 0, 1);
    grid->addWidget(field_caption(QStringLiteral("Stav dokladu:"), page), 0, 2);
    grid->addWidget(m_state, 0, 3);
    grid->addWidget(m_title, 1, 0, 1, 4);
    grid->addWidget(m_partner, 2, 0, 1, 4);
    grid->addWidget(field_caption(QStringLiteral("adresa fakturace:"), page), 3, 0);
    grid->addLayout(address, 3, 1, 1, 3);
    grid->addLayout(numbers, 4, 0, 1, 4);
    grid->addWidget(field_caption(QStringLiteral("CELKEM:"), page), 5, 0);
    grid->addWidget(m_all_sum, 5, 1);
    grid->addWidget(field_caption(QStringLiteral("po zaokrouhlení:"), page), 5, 2);
    grid->addWidget(m_round_sum, 5, 3);
    grid->setRowStretch(6, 1);
    return page;
}

QWidget *TfDoc::create_payments_page()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsPayments"));
    take_view_color(page);
    auto *heading = new QLabel(QStringLiteral("Přehled úhrad tohoto dokladu:"), page);
    m_payment_grid = new TDBGrid(page);
    m_payment_grid->setObjectName(QStringLiteral("gridPayments"));
    m_payment_grid->horizontalHeader()->hide();
    m_payment_grid->set_title_click({});
    m_payment_grid->set_keep_column_widths(true);
    take_view_color(m_payment_grid);
    m_payment_grid->installEventFilter(this);
    connect(m_payment_grid, &TDBGrid::enter_pressed, this,
            [this] { run_if_enabled(command("actPayEdit")); });
    connect(m_payment_grid, &TDBGrid::record_double_clicked, this,
            [this] { run_if_enabled(command("actPayEdit")); });

    auto *buttons = new QVBoxLayout;
    for (const char *name : {"actSendTE", "actPayEdit", "actPayDel", "actPayReload"}) {
        auto *button = new QToolButton(page);
        button->setObjectName(QStringLiteral("btn") + QLatin1String(name).mid(3));
        button->setDefaultAction(command(name));
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);

    m_to_pay = value_label("lbToPay", page, 0, true);
    m_remaining = value_label("lbRemaining", page, 0, true);
    m_remaining_currency = value_label("lbRemainingCurrency", page, 0, true);
    auto *sums = new QGridLayout;
    sums->addWidget(field_caption(QStringLiteral("částka k úhradě:"), page), 0, 0);
    sums->addWidget(m_to_pay, 0, 1, 1, 2);
    sums->addWidget(field_caption(QStringLiteral("zbývá uhradit:"), page), 1, 0);
    sums->addWidget(m_remaining, 1, 1);
    sums->addWidget(m_remaining_currency, 1, 2);
    sums->setColumnStretch(2, 1);

    auto *left = new QVBoxLayout;
    left->addWidget(heading);
    left->addWidget(m_payment_grid, 1);
    left->addLayout(sums);
    auto *layout = new QHBoxLayout(page);
    layout->addLayout(left, 3);
    layout->addLayout(buttons, 1);
    return page;
}

void TfDoc::setup_grid()
{
    if (m_set)
        m_set->field_by_name(QStringLiteral("DISCOUNT")).visible = false;
    // Before the columns are fitted, which measure the titles in their own font.
    QFont bold = m_grid->horizontalHeader()->font();
    bold.setBold(true);
    m_grid->horizontalHeader()->setFont(bold);
    m_grid->set_table(m_set);
    for (int column = 0; column < m_grid->horizontalHeader()->count(); ++column)
        if (m_grid->columnWidth(column) > widest_column)
            m_grid->setColumnWidth(column, widest_column);
    for (const char *field : {"DATE_D", "MATURITY_D"})
        if (const int at = find_column(*m_grid, QLatin1String(field)); at >= 0)
            m_grid->setColumnWidth(at, date_column_width(*m_grid));
    if (const int at = find_column(*m_grid, QStringLiteral("DOC_TITLE")); at >= 0)
        m_grid->setColumnWidth(at, title_width);
    if (const int at = find_column(*m_grid, QStringLiteral("ROUND_SUM")); at >= 0) {
        m_grid->setItemDelegateForColumn(at, new BoldColumn(m_grid));
        // The amounts were measured in the regular font.
        m_grid->setColumnWidth(at, m_grid->columnWidth(at) * bold_widening / 100);
    }
    m_search->attach_grid(m_grid);
    m_search->set_search_column(QStringLiteral("DOC_NO"));
}

int TfDoc::document_recid() const
{
    return dbAPI ? dbAPI->current_recid(m_set) : 0;
}

int TfDoc::payment_recid() const
{
    return dbAPI ? dbAPI->current_recid(m_payments) : 0;
}

// Every change of the header set: another current row, a row re-read, a sort or a reload.
void TfDoc::document_changed()
{
    if (m_refreshing)
        return;
    show_document();
    const int document = document_recid();
    if (m_pages->currentIndex() != PaymentsPage || document != m_payments_document)
        load_payments();
    else
        show_amount_to_pay();
    update_commands();
}

void TfDoc::show_document()
{
    const bool any = m_set && !m_set->is_empty();
    auto text = [this, any](const char *field) {
        return any ? m_set->field_by_name(QLatin1String(field)).as_string() : QString();
    };
    auto amount = [this, any](const char *field) {
        if (!any)
            return QString();
        return format_number(m_set->field_by_name(QLatin1String(field)).as_float(), amount_format) +
               u' ' + m_set->field_by_name(QStringLiteral("CURR_NAME")).as_string();
    };
    m_number->setText(text("DOC_NO"));
    m_title->setText(text("DOC_TITLE"));
    const PaymentState state = any ? payment_state(*m_set) : psUnknown;
    m_state->setText(any ? payment_state_text(state) : QString());
    set_text_color(m_state, payment_state_color(state));
    m_partner->setText(text("PARTNER_NAME"));
    m_address_title->setText(text("ADDRESS_TITLE"));
    m_full_address->setText(text("FULL_ADDRESS"));
    m_ico->setText(text("ICO"));
    m_dic->setText(text("DIC"));
    m_all_sum->setText(amount("ALL_SUM"));
    m_round_sum->setText(amount("ROUND_SUM"));
    m_to_pay->setText(amount("ROUND_SUM"));
}

// From one document to the next the set is read again in place, so the grid keeps its
// columns, their labels and widths; a new set is made only when there is none yet.
void TfDoc::load_payments()
{
    const int document = document_recid();
    m_payments_document = document;
    if (document == 0) {
        m_payment_grid->set_table(nullptr);
        if (dbAPI)
            dbAPI->free_set(m_payments);
        m_payments = nullptr;
    } else if (!dbAPI->reselect_sql(m_payments, payments_select(m_type, document))) {
        TMemTable *previous = m_payments;
        m_payments =
            dbAPI->select_sql(QStringLiteral("VIEW_PAYMENTS"), payments_select(m_type, document));
        m_payment_grid->set_table(m_payments);
        dbAPI->free_set(previous);
        if (m_payments)
            if (const int at = find_column(*m_payment_grid, QStringLiteral("DATE_D")); at >= 0)
                m_payment_grid->setColumnWidth(at, date_column_width(*m_payment_grid));
    }
    show_amount_to_pay();
    update_commands();
}

// Paid or not is decided in whole cents: payments that add up to the amount to pay leave
// nothing, whatever the doubles' last bits say.
void TfDoc::show_amount_to_pay()
{
    const int document = document_recid();
    if (document == 0) {
        m_remaining->clear();
        m_remaining_currency->clear();
        return;
    }
    const double round_sum = m_set->field_by_name(QStringLiteral("ROUND_SUM")).as_float();
    // The payments just read are all the document's journal entries.
    const double paid = m_payments && m_payments_document == document
                            ? paid_in_set(*m_payments, m_type)
                            : document_paid(*dbAPI, document, m_type);
    const double remaining = amount_to_pay(round_sum, paid);
    if (money_cents(remaining) != 0) {
        m_remaining->setText(format_number(remaining, amount_format));
        m_remaining_currency->setText(
            m_set->field_by_name(QStringLiteral("CURR_NAME")).as_string());
        set_text_color(m_remaining, QColor(255, 0, 0));
        set_text_color(m_remaining_currency, QColor(255, 0, 0));
    } else {
        m_remaining->setText(QStringLiteral("uhrazeno"));
        m_remaining_currency->clear();
        set_text_color(m_remaining, QColor(0, 128, 0));
    }
}

void TfDoc::refresh_document(int document_id)
{
    dbAPI->refresh_record(document_id, view_name(), m_set);
}

// The documents whose payments changed in another window are re-read in place; the book
// stays on its own row.
void TfDoc::refresh_changed_documents()
{
    const std::vector<int> changed = take_changed_documents(m_type);
    if (changed.empty() || !m_set)
        return;
    const int current = document_recid();
    {
        m_refreshing = true;
        const auto done = qScopeGuard([this] { m_refreshing = false; });
        for (const int document : changed)
            if (m_set->locate(QStringLiteral("RECID"), document))
                refresh_document(document);
        dbAPI->locate_recid(current, m_set);
    }
    if (std::find(changed.begin(), changed.end(), current) != changed.end())
        m_payments_document = -1;
    document_changed();
}

int TfDoc::child_command(int code)
{
    if (code != documents_changed_code)
        return 0;
    refresh_changed_documents();
    return 1;
}

void TfDoc::add_document()
{
    const int row = m_set->row_number();
    int choice = 0;
    switch (m_type) {
    case dtIssuedInvoice:
    case dtReceivedInvoice:
        choice = choose_new_document(m_type, -1);
        break;
    case dtIssuedCredit:
        choice = -3;
        break;
    default:
        choice = -2;
        break;
    }
    const int document = choice == -1 ? 0 : new_document_in_book(m_type, m_set, choice);
    if (document != 0) {
        refresh_document(document);
        load_payments();
        partner_documents_changed();
    } else if (row > 0) {
        m_set->set_row_number(row);
    }
    update_commands();
    m_grid->setFocus();
}

void TfDoc::edit_document_row()
{
    m_payments_document = -1;
    const int document = edit_document(m_type, m_set);
    if (document != 0) {
        refresh_document(document);
        load_payments();
        partner_documents_changed();
    }
    update_commands();
    m_grid->setFocus();
}

// The document's payments go with it, so the tax-records book reads its entries again.
void TfDoc::delete_document_row()
{
    if (delete_document(m_set, m_type) != 0) {
        load_payments();
        window_host().notify_child(QStringLiteral("TE"), 1);
        partner_documents_changed();
    }
    update_commands();
    m_grid->setFocus();
}

void TfDoc::add_payment()
{
    const int document = document_recid();
    if (document == 0)
        return;
    if (edit_payment(document, 0) != 0) {
        refresh_document(document);
        load_payments();
    }
    update_commands();
}

void TfDoc::edit_payment_row()
{
    const int document = document_recid();
    const int payment = payment_recid();
    if (document == 0 || payment == 0)
        return;
    if (edit_payment(document, payment) != 0) {
        dbAPI->refresh_record(payment, QStringLiteral("VIEW_PAYMENTS"), m_payments);
        refresh_document(document);
        show_amount_to_pay();
    }
    update_commands();
    m_payment_grid->setFocus();
}

void TfDoc::delete_payment_row()
{
    const int document = document_recid();
    const int payment = payment_recid();
    if (document == 0 || payment == 0)
        return;
    if (delete_payment(payment) != 0) {
        refresh_document(document);
        load_payments();
    }
    update_commands();
    m_payment_grid->setFocus();
}

void TfDoc::print_document()
{
    if (shell_services().print_document)
        shell_services().print_document(m_type, document_recid());
}

void TfDoc::print_list()
{
    print_document_list(m_type);
}

// The preview that the print opens starts the mail dialog; whichever way the print ends,
// the request goes with it, so no later preview can start sending by surprise.
void TfDoc::send_document()
{
    QAction *print = command("actPrintDoc");
    if (!print->isEnabled())
        return;
    send_on_open = true;
    const auto cleared = qScopeGuard([] { send_on_open = false; });
    print->trigger();
}

void TfDoc::export_isdoc_document()
{
    if (!command("actExportIsdoc")->isEnabled())
        return;
    const int document = document_recid();
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = QStringLiteral("Uložit doklad ve formátu ISDOC");
    request.filter = QStringLiteral("elektronická faktura ISDOC (*.isdoc)|*.isdoc");
    request.default_suffix = QStringLiteral("isdoc");
    request.start = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                        .filePath(isdoc_file_name(
                            m_type, m_set->field_by_name(QStringLiteral("DOC_NO")).as_integer()));
    const QString file = choose_file(this, request);
    if (file.isEmpty() || !export_isdoc(*dbAPI, document, file))
        return;
    show_message(QStringLiteral("Export ISDOC"),
                 QStringLiteral("Doklad je uložen ve formátu ISDOC v souboru\r\n\r\n") +
                     QDir::toNativeSeparators(file),
                 mbIconInformation);
}

void TfDoc::refresh_window()
{
    const int document = document_recid();
    close_window();
    window_host().post_command(reopen_command(m_type), document);
}

void TfDoc::close_window()
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

void TfDoc::update_commands()
{
    if (!m_pages)
        return;
    const bool rows = dbAPI && dbAPI->record_count(m_set) > 0;
    const bool payments = rows && dbAPI->record_count(m_payments) > 0;
    command("actDocAdd")->setEnabled(m_set != nullptr);
    for (const char *name :
         {"actDocEdit", "actDocDel", "actSendTE", "actPrintList", "actPayReload"})
        command(name)->setEnabled(rows);
    command("actPrintDoc")->setEnabled(rows && bool(shell_services().print_document));
    command("actExportIsdoc")->setEnabled(rows && has_isdoc_form(m_type));
    command("actPayEdit")->setEnabled(payments);
    command("actPayDel")->setEnabled(payments);
    m_print_button->setEnabled(rows);
}

void TfDoc::window_activated()
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->showMaximized();
    window_host().set_status_hint(status_text);
}

bool TfDoc::command_key(int key, bool in_payments)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        run_if_enabled(command(in_payments ? "actPayEdit" : "actDocEdit"));
        return true;
    case Qt::Key_Insert:
        run_if_enabled(command(in_payments ? "actSendTE" : "actDocAdd"));
        return true;
    case Qt::Key_Delete:
        run_if_enabled(command(in_payments ? "actPayDel" : "actDocDel"));
        return true;
    case Qt::Key_Space:
        run_if_enabled(command("actPrintDoc"));
        return true;
    case Qt::Key_Escape:
        close_window();
        return true;
    case Qt::Key_F5:
        run_if_enabled(command("actRefresh"));
        return true;
    case Qt::Key_F8:
        popup_at(*this, *m_menu);
        return true;
    default:
        return false;
    }
}

// The grids would take Space, Delete and Escape for themselves; Enter is theirs already.
bool TfDoc::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_grid || watched == m_payment_grid) && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (is_plain_key(*key) && key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter &&
            command_key(key->key(), watched == m_payment_grid))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Keys typed into the search field are the search's own, and the keys act only while one
// of the grids has the focus.
void TfDoc::keyPressEvent(QKeyEvent *event)
{
    const bool in_grid = m_grid->hasFocus() || m_payment_grid->hasFocus();
    if (in_grid && !m_search->has_search_focus() && is_plain_key(*event) &&
        command_key(event->key(), m_payment_grid->hasFocus()))
        return;
    QWidget::keyPressEvent(event);
}
