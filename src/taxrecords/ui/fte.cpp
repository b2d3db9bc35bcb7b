#include "taxrecords/ui/fte.h"

#include "data/db_api.h"
#include "data/memtable.h"
#include "documents/doc_currency.h"
#include "documents/doc_totals.h"
#include "documents/doc_types.h"
#include "masterdata/ui/frsearch.h"
#include "reports/report_state.h"
#include "reports/ui/list_reports.h"
#include "taxrecords/cash_voucher.h"
#include "taxrecords/ui/fbank_import.h"
#include "taxrecords/ui/fmgrph.h"
#include "taxrecords/ui/fpretedoc.h"
#include "taxrecords/ui/journal_operations.h"
#include "text/number_format.h"
#include "widgets/appearance.h"
#include "widgets/command_key.h"
#include "widgets/command_registry.h"
#include "widgets/dbgrid.h"
#include "widgets/grid_columns.h"
#include "widgets/help.h"
#include "widgets/image_list16.h"
#include "widgets/localize.h"
#include "widgets/popup_menu.h"
#include "widgets/window_host.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString caption = QStringLiteral("Daňová evidence");
const QString status_hint = QStringLiteral(
    "Daňová evidence.|INSERT-vlož nový záznam, ENTER-oprava záznamu, DELETE-vymaž záznam, "
    "F8-menu, MEZERNÍK-tisky, ESC-zavřít.");
const QString book_select = QStringLiteral("SELECT * FROM VIEW_TE");
const QString set_name = QStringLiteral("VIEW_TE");
const QString home_format = QStringLiteral("### ### ##0.00 Kč");
const QString no_document =
    QStringLiteral("k tomuto záznamu se neváže žádná faktura, či dobropis.");
const QColor income_color(0, 128, 0);
const QColor outcome_color(192, 0, 0);
const QColor link_color(0, 0, 255);

const int help_book = 302;
const int image_chart = 30;
const int image_refresh = 7;
const int image_close = 9;

struct CommandLook {
    const char *name;
    const char *caption;
    const char *hint;
    int image;
};

const CommandLook command_looks[TfTE::CommandCount] = {
    {"actAddTe", "Nový záznam do daňové evidence", "nový záznam do daňové evidence",
     ImageList16::plus},
    {"actEditTe", "Opravit záznam v daňové evidenci", "opravit záznam v daňové evidenci",
     ImageList16::pencil},
    {"actDelTe", "Vymazat záznam z daňové evidence", "Vymazat záznam z daňové evidence",
     ImageList16::cross},
    {"actPrint", "Tisk daňové evidence", "Tisk daňové evidence", ImageList16::printer},
    {"actPrintBank", "Bankovní účty a pokladny", "Bankovní účty a pokladny.", -1},
    {"actPrintGrp", "Sestava s mezisoučty za členění", "Sestava s mezisoučty za členění.", -1},
    {"actPrintCurr", "Sestava s mezisoučty za měnu", "Sestava s mezisoučty za měnu.", -1},
    {"actPrintIn", "Pokladní doklad PŘÍJMOVÝ", "Pokladní doklad PŘÍJMOVÝ.", -1},
    {"actPrintOut", "Pokladní doklad VÝDAJOVÝ", "Pokladní doklad VÝDAJOVÝ.", -1},
    {"actPrintCash", "Soupis pokladních dokladů", "Soupis vydaných pokladních dokladů.", -1},
    {"actChart", "Grafický přehled příjmů a výdajů.", "Grafický přehled příjmů a výdajů.",
     image_chart},
    {"actFetch", "Obnovit vybraný záznam.", "Obnovit vybraný záznam.", -1},
    {"actRefresh", "Obnovit, znovu načíst.", "Obnovit, znovu načíst.", image_refresh},
    {"actImportBank", "Načíst bankovní výpis", "Načíst bankovní výpis a zaúčtovat úhrady.", -1},
};

struct ColumnLook {
    const char *name;
    int width;
    // Dates, numbers and amounts are never cut: the column widens to its texts when the
    // font needs more room.
    bool whole;
};

const ColumnLook column_widths[] = {{"DATE_D", 64, true},          {"DOC_NO", 72, true},
                                    {"CC_INCOME", 88, true},       {"CC_OUTCOME", 88, true},
                                    {"GRP_NAME", 128, false},      {"TE_TEXT", 188, false},
                                    {"BANKCASH_MNAME", 128, false}};

const char *const hidden_columns[] = {"CURR_AMOUNT", "CURR_KURS", "IS_INCOME", "IS_OUTCOME",
                                      "IS_BANK"};

// The panel's fields in their order, with their look.
struct DetailLook {
    const char *name;
    bool bold;
    QColor color;
};

const DetailLook detail_looks[] = {
    {"DATE_D", true, {}},
    {"DOC_NO", false, {}},
    {"TE_TEXT", false, {}},
    {"GRP_NAME", true, {}},
    {"BANKCASH_MNAME", false, {}},
    {"IS_TAX", true, {}},
    {"CC_INCOME", true, income_color},
    {"CC_OUTCOME", true, outcome_color},
};

// One column's text in its own colour; the rest of the cell as the grid draws it.
class ColumnColor : public QStyledItemDelegate {
public:
    ColumnColor(const QColor &color, QObject *parent) : QStyledItemDelegate(parent), m_color(color)
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->palette.setColor(QPalette::Text, m_color);
        option->palette.setColor(QPalette::HighlightedText, m_color.lighter(180));
    }

private:
    QColor m_color;
};

// A label that runs an action when clicked while it reads as a link.
class ClickLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> on_click;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (on_click && event->button() == Qt::LeftButton)
            on_click();
    }
};

void set_look(QLabel &label, bool bold, const QColor &color, bool underline = false)
{
    QFont font = label.font();
    font.setBold(bold);
    font.setUnderline(underline);
    label.setFont(font);
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, color.isValid() ? color : QColor(Qt::black));
    label.setPalette(palette);
    label.setCursor(underline ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

QString currency_amount(const TField &amount, const TField &currency)
{
    return format_number(amount.as_float(),
                         QStringLiteral("### ### ##0.00 ") + currency.as_string().trimmed());
}

} // namespace

TfTE::TfTE(int record_id, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fTE"));
    setWindowTitle(caption);
    set_help_topic(this, help_book);
    create_commands();
    create_menus();

    m_grid = new TDBGrid(this);
    // The name under which other windows find the book's record set.
    m_grid->setObjectName(QStringLiteral("ds"));
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->installEventFilter(this);
    QFont titles = m_grid->horizontalHeader()->font();
    titles.setBold(true);
    m_grid->horizontalHeader()->setFont(titles);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_income_color = new ColumnColor(income_color, m_grid);
    m_outcome_color = new ColumnColor(outcome_color, m_grid);
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        m_context_menu->popup(m_grid->viewport()->mapToGlobal(at));
    });
    connect(m_grid, &TDBGrid::record_double_clicked, this, [this] { run(EditTe); });
    m_search = new Tfr_search(this);
    m_search->attach_grid(m_grid);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(create_top_bar());
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_search);
    layout->addWidget(create_detail_panel());

    localize_component(this);
    install_help_key(this);
    show_set(load_set(), record_id);
    window_host().post_command(MainCommand::RefreshOpenWindows);
}

TfTE::~TfTE()
{
    // The data module frees every set it still holds when it goes, so after it the set is gone.
    if (dbAPI) {
        if (m_set)
            disconnect(m_set, nullptr, this, nullptr);
        m_grid->set_table(nullptr);
        dbAPI->free_set(m_set);
    }
    window_host().set_status_hint({});
    window_host().post_command(MainCommand::RefreshOpenWindows);
}

QLabel *TfTE::detail_label(const QString &field_name) const
{
    for (const auto &[name, label] : m_values)
        if (name == field_name)
            return label;
    if (field_name == QLatin1String("INCOME"))
        return m_foreign_income;
    if (field_name == QLatin1String("OUTCOME"))
        return m_foreign_outcome;
    return nullptr;
}

void TfTE::create_commands()
{
    for (int index = 0; index < CommandCount; ++index) {
        const CommandLook &look = command_looks[index];
        auto *action =
            new QAction(ImageList16::icon(look.image), QString::fromUtf8(look.caption), this);
        action->setObjectName(QLatin1String(look.name));
        action->setToolTip(QString::fromUtf8(look.hint));
        action->setStatusTip(QString::fromUtf8(look.hint));
        m_commands[index] = action;
    }
    const auto on = [this](Command which, auto handler) {
        connect(m_commands[which], &QAction::triggered, this, handler);
    };
    on(AddTe, [this] { add_entry(); });
    on(EditTe, [this] { edit_current(); });
    on(DelTe, [this] { delete_current(); });
    on(Print, [] { print_tax_records(); });
    on(PrintBank, [] { print_tax_records_by_account(); });
    on(PrintGrp, [] { print_tax_records_by_category(); });
    on(PrintCurr, [] { print_tax_records_by_currency(); });
    on(PrintIn, [this] { print_voucher(true); });
    on(PrintOut, [this] { print_voucher(false); });
    on(PrintCash, [] { print_cash_voucher_list(); });
    on(Chart, [] { show_graphs(); });
    on(Fetch, [this] { fetch(); });
    on(Refresh, [this] { refresh_window(); });
    on(ImportBank, [this] { import_statement(); });
}

void TfTE::create_menus()
{
    m_print_menu = new QMenu(this);
    m_print_menu->setObjectName(QStringLiteral("popPrint"));
    const auto fill = [this](QMenu *menu, std::initializer_list<int> items) {
        for (int item : items) {
            if (item < 0)
                menu->addSeparator();
            else
                menu->addAction(command(static_cast<Command>(item)));
        }
    };
    fill(m_print_menu,
         {Print, PrintBank, -1, PrintGrp, PrintCurr, -1, PrintIn, PrintOut, PrintCash, -1, Chart});
    m_context_menu = new QMenu(this);
    m_context_menu->setObjectName(QStringLiteral("popTe"));
    fill(m_context_menu, {AddTe, EditTe, -1, DelTe, -1, PrintIn, PrintOut, PrintCash, -1, Print,
                          PrintBank, -1, PrintGrp, PrintCurr, -1, Chart, -1, Fetch});
}

QWidget *TfTE::create_top_bar()
{
    auto *bar = new QWidget(this);
    bar->setAutoFillBackground(true);
    bar->setBackgroundRole(QPalette::Button);
    auto *tools = new QToolBar(bar);
    tools->setObjectName(QStringLiteral("tbTe"));
    tools->setIconSize(QSize(16, 16));
    tools->addAction(command(AddTe));
    tools->addAction(command(EditTe));
    tools->addAction(command(DelTe));
    tools->addSeparator();
    m_print_button = new QToolButton(tools);
    m_print_button->setObjectName(QStringLiteral("btnPrint"));
    m_print_button->setDefaultAction(command(Print));
    m_print_button->setMenu(m_print_menu);
    m_print_button->setPopupMode(QToolButton::MenuButtonPopup);
    tools->addWidget(m_print_button);
    tools->addSeparator();
    tools->addAction(command(Chart));
    tools->addSeparator();
    tools->addAction(command(ImportBank));

    const auto bar_button = [bar](const char *name, const QString &hint, int image) {
        auto *button = new QToolButton(bar);
        button->setObjectName(QLatin1String(name));
        button->setIcon(ImageList16::icon(image));
        button->setToolTip(hint);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    QToolButton *refresh =
        bar_button("btnRefresh", QStringLiteral("Obnovit, znovu načíst."), image_refresh);
    connect(refresh, &QToolButton::clicked, this, [this] { run(Refresh); });
    QToolButton *help = bar_button("btnHelp", QStringLiteral("Nápověda"), ImageList16::help);
    connect(help, &QToolButton::clicked, this, [this] { show_help(this); });
    QToolButton *close = bar_button("btnClose", QStringLiteral("Zavřít"), image_close);
    connect(close, &QToolButton::clicked, this, &TfTE::close_window);

    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->addWidget(tools);
    layout->addStretch(1);
    layout->addWidget(refresh);
    layout->addWidget(help);
    layout->addWidget(close);
    return bar;
}

QWidget *TfTE::create_detail_panel()
{
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("pnDetail"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    QPalette colours = panel->palette();
    colours.setColor(QPalette::Window, appearance().view_color);
    panel->setPalette(colours);
    auto *layout = new QGridLayout(panel);
    layout->setHorizontalSpacing(8);
    layout->setVerticalSpacing(2);
    m_foreign_income = new QLabel(panel);
    m_foreign_income->setObjectName(QStringLiteral("lbINCOME"));
    set_look(*m_foreign_income, true, income_color);
    m_foreign_outcome = new QLabel(panel);
    m_foreign_outcome->setObjectName(QStringLiteral("lbOUTCOME"));
    set_look(*m_foreign_outcome, true, outcome_color);
    int index = 0;
    for (const DetailLook &look : detail_looks) {
        auto *caption_label = new QLabel(panel);
        auto *value = new QLabel(panel);
        value->setObjectName(QStringLiteral("lb") + QLatin1String(look.name));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        set_look(*value, look.bold, look.color);
        const int row = index / 3;
        const int column = (index % 3) * 2;
        layout->addWidget(caption_label, row, column, Qt::AlignRight);
        // The amount in the entry's own currency stands beside the home-currency amount.
        QLabel *foreign = look.name == QLatin1String("CC_INCOME")    ? m_foreign_income
                          : look.name == QLatin1String("CC_OUTCOME") ? m_foreign_outcome
                                                                     : nullptr;
        if (foreign) {
            auto *pair = new QHBoxLayout;
            pair->setSpacing(12);
            pair->addWidget(value);
            pair->addWidget(foreign);
            pair->addStretch(1);
            layout->addLayout(pair, row, column + 1);
        } else {
            layout->addWidget(value, row, column + 1);
        }
        m_captions.emplace_back(QLatin1String(look.name), caption_label);
        m_values.emplace_back(QLatin1String(look.name), value);
        ++index;
    }

    auto *document_caption = new QLabel(QStringLiteral("Doklad:"), panel);
    auto *link = new ClickLabel(panel);
    link->setObjectName(QStringLiteral("lbDocLink"));
    link->on_click = [this] {
        const auto &print = shell_services().print_document;
        if (print && m_document_id != 0)
            print(m_document_type, m_document_id);
    };
    m_document_link = link;
    auto *voucher = new ClickLabel(panel);
    voucher->setObjectName(QStringLiteral("lbVoucher"));
    set_look(*voucher, false, link_color, true);
    voucher->on_click = [this] { run(m_voucher_income ? PrintIn : PrintOut); };
    m_voucher_label = voucher;
    layout->addWidget(document_caption, 3, 0, Qt::AlignRight);
    layout->addWidget(m_document_link, 3, 1, 1, 3);
    layout->addWidget(m_voucher_label, 3, 4, 1, 2);
    layout->setColumnStretch(5, 1);
    return panel;
}

TMemTable *TfTE::load_set()
{
    if (!dbAPI)
        return nullptr;
    TMemTable *set = dbAPI->select_sql(set_name, book_select);
    if (!set)
        return nullptr;
    for (const char *name : hidden_columns)
        if (TField *field = set->find_field(QLatin1String(name)))
            field->visible = false;
    for (const char *name : {"CC_INCOME", "CC_OUTCOME"}) {
        if (TField *field = set->find_field(QLatin1String(name))) {
            field->display_format = home_format;
            field->alignment = Qt::AlignRight | Qt::AlignVCenter;
        }
    }
    return set;
}

// The new set is shown everywhere before the old one goes, so that nothing ever shows rows
// that are freed.
void TfTE::show_set(TMemTable *set, int record_id)
{
    TMemTable *old = m_set;
    if (old)
        disconnect(old, nullptr, this, nullptr);
    m_set = set;
    if (set) {
        dbAPI->sort_by_title(set->field_by_name(QStringLiteral("DATE_D")));
        set->first();
        if (record_id != 0)
            dbAPI->locate_recid(record_id, set);
    }
    m_grid->set_table(set);
    for (int column = 0; column < m_grid->table_model().columnCount(); ++column)
        m_grid->setItemDelegateForColumn(column, nullptr);
    for (const ColumnLook &look : column_widths) {
        const int column = find_column(*m_grid, QLatin1String(look.name));
        if (column >= 0)
            m_grid->setColumnWidth(column, look.whole
                                               ? std::max(look.width, m_grid->columnWidth(column))
                                               : look.width);
    }
    if (const int column = find_column(*m_grid, QStringLiteral("CC_INCOME")); column >= 0)
        m_grid->setItemDelegateForColumn(column, m_income_color);
    if (const int column = find_column(*m_grid, QStringLiteral("CC_OUTCOME")); column >= 0)
        m_grid->setItemDelegateForColumn(column, m_outcome_color);
    m_search->set_search_column(QStringLiteral("TE_TEXT"));
    for (const auto &[name, label] : m_captions) {
        const TField *field = set ? set->find_field(name) : nullptr;
        label->setText(field ? field->display_label + u':' : QString());
    }
    if (set) {
        connect(set, &TMemTable::current_changed, this, &TfTE::row_changed);
        connect(set, &TMemTable::state_changed, this, &TfTE::row_changed);
    }
    m_shown_recid = -1;
    row_changed();
    if (old && dbAPI)
        dbAPI->free_set(old);
}

int TfTE::current_recid() const
{
    return m_set && dbAPI && !m_set->is_empty() ? dbAPI->current_recid(m_set) : 0;
}

void TfTE::row_changed()
{
    // An editor working on the row leaves the panel as it is until the row is posted.
    if (m_set && m_set->state() != TMemTable::State::Browse)
        return;
    const int recid = current_recid();
    if (recid != m_shown_recid) {
        m_shown_recid = recid;
        show_details();
    }
    update_commands();
}

void TfTE::show_details()
{
    const bool row = m_set && !m_set->is_empty();
    for (const auto &[name, label] : m_values) {
        const TField *field = row ? m_set->find_field(name) : nullptr;
        label->setText(field ? field->display_text() : QString());
    }
    const TField *currency = row ? m_set->find_field(QStringLiteral("ORIGIN_CURR")) : nullptr;
    const bool foreign = currency && currency->as_string().trimmed() != home_currency &&
                         !currency->as_string().trimmed().isEmpty();
    m_foreign_income->setVisible(foreign);
    m_foreign_outcome->setVisible(foreign);
    if (foreign) {
        m_foreign_income->setText(
            currency_amount(m_set->field_by_name(QStringLiteral("INCOME")), *currency));
        m_foreign_outcome->setText(
            currency_amount(m_set->field_by_name(QStringLiteral("OUTCOME")), *currency));
    }
    show_document_link();
    show_voucher_label();
}

void TfTE::show_document_link()
{
    m_document_id = 0;
    m_document_type = 0;
    QString text = no_document;
    QColor color(128, 128, 128);
    const int document = m_set && !m_set->is_empty()
                             ? m_set->field_by_name(QStringLiteral("DOC_ID")).as_integer()
                             : 0;
    if (document != 0 && dbAPI) {
        ScopedSet head = dbAPI->select_scoped(
            QStringLiteral("X"), QStringLiteral("SELECT RECID, ID_DOC_TYPE, DOC_NO FROM DOC_HEAD "
                                                "WHERE RECID=") +
                                     QString::number(document));
        if (head && !head->is_empty()) {
            m_document_id = document;
            m_document_type = head->field_by_name(QStringLiteral("ID_DOC_TYPE")).as_integer();
            text = doc_type_name(m_document_type) + QStringLiteral(" - ") +
                   head->field_by_name(QStringLiteral("DOC_NO")).as_string();
            color = QColor(Qt::black);
        } else {
            text = QStringLiteral("Doklad s ID: ") + QString::number(document) +
                   QStringLiteral(" neexistuje!");
        }
    }
    // The link prints the document once a document print is installed.
    const bool link = m_document_id != 0 && shell_services().print_document;
    m_document_link->setText(text);
    set_look(*m_document_link, false, link ? link_color : color, link);
}

void TfTE::show_voucher_label()
{
    const int recid = current_recid();
    if (recid == 0) {
        m_voucher_label->hide();
        return;
    }
    ScopedSet vouchers = dbAPI->select_scoped(
        QStringLiteral("TE_CASH"),
        QStringLiteral("SELECT RECID, TE_ID, IS_INCOME, CASH_NO FROM TE_CASH WHERE TE_ID=") +
            QString::number(recid) + QStringLiteral(" ORDER BY RECID"));
    if (!vouchers || vouchers->is_empty()) {
        m_voucher_label->hide();
        return;
    }
    QStringList texts;
    for (vouchers->first(); !vouchers->eof(); vouchers->next()) {
        const bool income =
            vouchers->field_by_name(QStringLiteral("IS_INCOME")).as_string() == QLatin1String("T");
        texts << (income ? QStringLiteral("vytisknut PŘÍJMOVÝ pokladní doklad číslo ")
                         : QStringLiteral("vytisknut VÝDAJOVÝ pokladní doklad číslo ")) +
                     vouchers->field_by_name(QStringLiteral("CASH_NO")).as_string();
    }
    vouchers->first();
    m_voucher_income =
        vouchers->field_by_name(QStringLiteral("IS_INCOME")).as_string() == QLatin1String("T");
    m_voucher_label->setText(texts.join(QStringLiteral(", ")));
    m_voucher_label->show();
}

void TfTE::update_commands()
{
    const bool rows = m_set && !m_set->is_empty();
    command(AddTe)->setEnabled(m_set != nullptr);
    for (Command which : {EditTe, DelTe, Print, PrintBank, PrintGrp, PrintCash, Chart})
        command(which)->setEnabled(rows);
    command(PrintCurr)->setEnabled(rows && dbAPI && dbAPI->foreign_currency);
    // A voucher is offered for an amount the entry really holds, once a voucher print exists.
    const bool can_print = static_cast<bool>(shell_services().print_voucher);
    const auto voucher_possible = [this, rows](const char *flag, const char *amount) {
        return rows &&
               m_set->field_by_name(QLatin1String(flag)).as_string() == QLatin1String("T") &&
               money_cents(m_set->field_by_name(QLatin1String(amount)).as_float()) > 0;
    };
    command(PrintIn)->setEnabled(can_print && voucher_possible("IS_INCOME", "INCOME"));
    command(PrintOut)->setEnabled(can_print && voucher_possible("IS_OUTCOME", "OUTCOME"));
    command(Fetch)->setEnabled(m_set != nullptr);
    command(Refresh)->setEnabled(true);
    // A statement may be read into an empty journal.
    command(ImportBank)->setEnabled(m_set != nullptr);
}

void TfTE::add_entry()
{
    if (!m_set)
        return;
    m_set->append();
    const int id = new_entry(m_set, 0);
    if (id != 0)
        dbAPI->refresh_record(id, set_name, m_set);
    m_shown_recid = -1;
    row_changed();
}

void TfTE::edit_current()
{
    if (!m_set || m_set->is_empty())
        return;
    m_set->edit();
    const int id = edit_entry(m_set);
    if (id != 0)
        dbAPI->refresh_record(id, set_name, m_set);
    m_shown_recid = -1;
    row_changed();
}

void TfTE::delete_current()
{
    delete_entry(m_set);
    m_shown_recid = -1;
    row_changed();
}

void TfTE::fetch()
{
    m_shown_recid = -1;
    if (const int recid = current_recid(); recid != 0)
        dbAPI->refresh_record(recid, set_name, m_set);
    row_changed();
}

void TfTE::print_voucher(bool income)
{
    const int recid = current_recid();
    const auto &print = shell_services().print_voucher;
    if (recid == 0 || !print || !voucher_dialog(recid, income))
        return;
    // Only a voucher that went to the printer is kept; a preview closed unprinted is not.
    report_printed = false;
    print(recid, income);
    if (report_printed)
        store_voucher(*dbAPI);
    run(Fetch);
}

void TfTE::import_statement()
{
    if (dbAPI && import_bank_statement(*dbAPI, this) > 0)
        reload();
    update_commands();
}

void TfTE::reload()
{
    show_set(load_set(), current_recid());
}

int TfTE::child_command(int code)
{
    if (code == reload_code)
        reload();
    return 0;
}

void TfTE::refresh_window()
{
    window_host().post_command(MainCommand::ReopenTaxRecords, current_recid());
    close_window();
}

void TfTE::close_window()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}

void TfTE::run(Command which)
{
    run_if_enabled(command(which));
}

bool TfTE::command_key(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        run(EditTe);
        return true;
    case Qt::Key_Escape:
        close_window();
        return true;
    case Qt::Key_Space:
        m_print_menu->popup(m_print_button->mapToGlobal(QPoint(0, m_print_button->height())));
        return true;
    case Qt::Key_Insert:
        run(AddTe);
        return true;
    case Qt::Key_Delete:
        run(DelTe);
        return true;
    case Qt::Key_F5:
        run(Refresh);
        return true;
    case Qt::Key_F8:
        popup_at(*this, *m_context_menu);
        return true;
    default:
        return false;
    }
}

// The grid would take Enter, Space, Delete and Escape for itself.
bool TfTE::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (is_plain_key(*key) && command_key(key->key()))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Keys typed into the search field are the search's own.
void TfTE::keyPressEvent(QKeyEvent *event)
{
    if (!m_search->has_search_focus() && is_plain_key(*event) && command_key(event->key()))
        return;
    QWidget::keyPressEvent(event);
}

void TfTE::window_activated()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->showMaximized();
    update_commands();
    window_host().set_status_hint(status_hint);
}
