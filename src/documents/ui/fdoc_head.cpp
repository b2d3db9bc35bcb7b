#include "documents/ui/fdoc_head.h"

#include "calc/ui/user_calc_history.h"
#include "data/db_api.h"
#include "data/memtable.h"
#include "data/messages.h"
#include "documents/credit_note.h"
#include "documents/doc_totals.h"
#include "documents/doc_types.h"
#include "documents/document.h"
#include "documents/document_partner.h"
#include "documents/ui/fitem_edit.h"
#include "masterdata/ui/flistedit.h"
#include "masterdata/ui/fpar_addredit.h"
#include "masterdata/ui/fparedit.h"
#include "masterdata/ui/frrich.h"
#include "masterdata/ui/fselector.h"
#include "widgets/appearance.h"
#include "widgets/command_key.h"
#include "widgets/command_registry.h"
#include "widgets/dbdate_edit.h"
#include "widgets/dbedit.h"
#include "widgets/dbgrid.h"
#include "widgets/dbnumber_edit.h"
#include "widgets/enter_as_tab.h"
#include "widgets/grid_columns.h"
#include "widgets/help.h"
#include "widgets/image_list16.h"
#include "widgets/label_helpers.h"
#include "widgets/localize.h"
#include "widgets/open_record_set.h"
#include "widgets/popup_menu.h"
#include "widgets/values_combobox.h"
#include "widgets/window_host.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString keys_header = QStringLiteral("|OK - uložit doklad, Storno - zpět bez uložení.");
const QString keys_items = QStringLiteral(
    "|Položky (INSERT - nová, ENTER - opravit, DELETE - vymazat), OK - uložit doklad, Storno - "
    "zpět bez uložení.");
const QString amount_format = QStringLiteral("### ### ##0.00 ");
const QString bank_select =
    QStringLiteral("SELECT RECID, MNAME, MNO, MADDRESS FROM CONF_BANKCASH ORDER BY IS_BANK");
const QString own_address_select = QStringLiteral("SELECT * FROM CONF_INVOICE");
// Every address of the partner, delivery and invoicing ones alike.
QString delivery_select(int partner)
{
    return QStringLiteral("SELECT RECID, ID_PARTNER, PARTNER_NAME, ADDRESS_TITLE, FULL_ADDRESS "
                          "FROM VIEW_OUT_ADDRESS WHERE ") +
           (partner != 0 ? QStringLiteral("ID_PARTNER=") + QString::number(partner)
                         : QStringLiteral("RECID=0"));
}

const int help_own_address = 1041;
const int help_bank = 1042;
const int help_delete_item = 9004;
const int margin = 8;
const int min_width = 600;
const int min_height = 460;
const int max_item_column = 208;

int help_of_type(int type)
{
    switch (type) {
    case dtIssuedInvoice:
        return 3031;
    case dtReceivedInvoice:
        return 3041;
    default:
        return 3051;
    }
}

QString partner_caption(int type)
{
    switch (type) {
    case dtIssuedInvoice:
        return QStringLiteral("odběratel, fakturační adresa");
    case dtReceivedInvoice:
        return QStringLiteral("adresa dodavatele");
    default:
        return QStringLiteral("obchodní partner");
    }
}

// The addresses the partner is picked from; none for a credit note, whose partner is its
// invoice's.
QString address_list_select(int type)
{
    switch (type) {
    case dtIssuedInvoice:
        return QStringLiteral(
            "SELECT * FROM VIEW_OUT_ADDRESS WHERE IS_INVOICE = 'T' ORDER BY PARTNER_NO");
    case dtReceivedInvoice:
        return QStringLiteral("SELECT * FROM VIEW_IN_ADDRESS ORDER BY PARTNER_NO");
    default:
        return {};
    }
}

QString address_view(int type)
{
    switch (type) {
    case dtIssuedInvoice:
        return QStringLiteral("VIEW_OUT_ADDRESS");
    case dtReceivedInvoice:
        return QStringLiteral("VIEW_IN_ADDRESS");
    default:
        return QStringLiteral("VIEW_CREDIT_ADDRESS");
    }
}

void make_bold(QWidget *widget)
{
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

QLabel *caption_for(const QString &text, QWidget *control, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(control);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QToolButton *add_button(const char *name, const QString &hint, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(ImageList16::icon(ImageList16::plus));
    button->setToolTip(hint);
    return button;
}

bool is_credit_note(int type)
{
    return type == dtIssuedCredit || type == dtReceivedCredit;
}

} // namespace

Tfm_docheader::Tfm_docheader(int mode, int type, TMemTable *header, int choice,
                             int linked_invoice, QWidget *parent)
    : TRecordEditor(mode, header, parent), m_type(type)
{
    const bool is_new = mode == Add;
    setObjectName(QStringLiteral("DOC") + QString::number(type) +
                  (is_new ? QStringLiteral("NEW") : QStringLiteral("EDIT")));
    setWindowTitle(doc_window_caption(type, false, is_new));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    set_help_topic(this, help_of_type(type));
    set_status_keys(keys_header);
    const int id = is_new ? 0 : recid();
    if (type == dtIssuedInvoice) {
        m_items = dbAPI->select_sql(QStringLiteral("VIEW_ITEMS2"),
                                    QStringLiteral("SELECT * FROM VIEW_ITEMS WHERE HEADER_ID=") +
                                        QString::number(id));
        if (m_items)
            for (const char *column :
                 {"PRICE_PER_UNIT", "VAT_PROC", "PRICE", "CURR_AMOUNT", "CURR_KURS"})
                if (TField *field = m_items->find_field(QLatin1String(column)))
                    field->visible = false;
    }
    m_document = std::make_unique<TDocument>(*dbAPI, type, set(), m_items, id);
    create_controls(choice, linked_invoice);
    window_host().set_foreground_editor(this);
}

Tfm_docheader::~Tfm_docheader()
{
    if (m_item_grid)
        m_item_grid->set_table(nullptr);
    if (dbAPI)
        dbAPI->free_set(m_items);
    window_host().set_foreground_editor(nullptr);
    window_host().set_status_hint({});
    // Offered only where the documents can be printed.
    const auto &print = shell_services().print_document;
    if (print && result() == QDialog::Accepted && recid() != 0 && m_document &&
        m_document->type() == 1 &&
        show_message(QStringLiteral("Doklad"),
                     QStringLiteral("Doklad byl uložen v pořádku, mám jej vytisknout?"),
                     mbYesNo | mbIconQuestion) == mrYes)
        print(1, recid());
}

void Tfm_docheader::create_controls(int choice, int linked_invoice)
{
    // The document's own values first, so that the controls show them when they bind.
    if (mode() == Add)
        set_up_new(choice, linked_invoice);
    else
        set_up_correction();

    QWidget *header_bar = create_header_bar();
    m_panel = create_details_panel();
    auto *top = new QHBoxLayout;
    top->addWidget(header_bar, 3);
    top->addWidget(m_panel, 2);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    if (m_type == dtIssuedInvoice || m_type == dtIssuedCredit) {
        m_tabs = new QTabWidget(this);
        m_tabs->setObjectName(QStringLiteral("tabsDocument"));
        m_text = new Tfr_rich(m_tabs);
        m_text->setObjectName(QStringLiteral("frText"));
        m_tabs->addTab(m_text, QStringLiteral("Text"));
        if (m_type == dtIssuedInvoice) {
            m_items_page = create_items_page();
            m_tabs->addTab(m_items_page, QStringLiteral("Položky"));
            m_tabs->setCurrentWidget(m_items_page);
        }
        layout->addWidget(m_tabs, 1);
        QTextDocument *text = m_text->editor()->document();
        if (mode() == Edit) {
            dbAPI->read_rtf(m_document->id(), text);
        } else if (is_credit_note(m_type) && m_document->linked_invoice != 0) {
            // The invoice's text, quoted, is the credit note's until the user writes more.
            if (dbAPI->read_rtf(m_document->linked_invoice, text) > 0 && !text->isEmpty()) {
                m_text->mark_as_quoted();
                m_document->text_changed = true;
            }
        }
        text->setModified(false);
        m_document->free_text = text;
        connect(m_tabs, &QTabWidget::currentChanged, this, &Tfm_docheader::tab_changed);
        set_status_keys(m_tabs->currentWidget() == m_items_page ? keys_items : keys_header);
    } else {
        layout->addStretch(1);
    }
    layout->addWidget(create_totals_bar());
    create_buttons(QStringLiteral("Uložit"));
    layout->addLayout(buttons_row());

    localize_component(this);
    apply_dialog_color(*this);
    install_help_key(this);
    enter_as_tab(*this);
    // A new invoice starts with its partner; anything else with its title.
    set_first_control(mode() == Add && (m_type == dtIssuedInvoice || m_type == dtReceivedInvoice)
                          ? static_cast<QWidget *>(m_partner)
                          : m_title);

    show_partner();
    if (m_type == dtIssuedInvoice && mode() == Edit)
        partner_changed();
    if (is_credit_note(m_type))
        fill_against();
    update_item_commands();

    // From here on the totals follow the user's changes; a credit note keeps its invoice's
    // amount to pay until then.
    connect(&set(), &TMemTable::field_changed, this, &Tfm_docheader::total_inputs_changed);
    connect(m_var_s, &QLineEdit::textChanged, this, &Tfm_docheader::update_ok);
    if (m_link)
        connect(m_link, &QComboBox::currentIndexChanged, this, &Tfm_docheader::update_ok);
    connect(m_bank, &QComboBox::currentIndexChanged, this, &Tfm_docheader::update_ok);
    connect(m_rounding, &QComboBox::currentIndexChanged, this, &Tfm_docheader::rounding_chosen);
    place_over_work_area();
    update_ok();
}

void Tfm_docheader::set_up_new(int choice, int linked_invoice)
{
    TDocument &document = *m_document;
    document.propose_new();
    if ((m_type == dtIssuedInvoice || m_type == dtReceivedInvoice) && choice > 0)
        document.currency_from_list(choice);
    if (is_credit_note(m_type)) {
        CreditNoteSource invoice;
        if (read_credit_note_source(*dbAPI, linked_invoice, m_type, invoice))
            document.take_over(invoice);
        document.linked_invoice = linked_invoice;
    }
}

void Tfm_docheader::set_up_correction()
{
    TDocument &document = *m_document;
    document.currency_from_header();
    if (document.read_details())
        m_stored_link = document.details.id_link;
    if (is_credit_note(m_type))
        document.linked_invoice = dbAPI->lookup_int(document.id(), document.details_table(),
                                                    QStringLiteral("ID_LINK"));
}

QWidget *Tfm_docheader::create_header_bar()
{
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("pnlHeader"));
    auto *grid = new QGridLayout(bar);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);

    m_doc_no = new TDBEdit(bar);
    m_doc_no->setObjectName(QStringLiteral("DOC_NO"));
    m_doc_no->bind(&set(), QStringLiteral("DOC_NO"));
    m_doc_no->setFixedWidth(110);
    make_bold(m_doc_no);

    m_partner = new QLineEdit(bar);
    m_partner->setObjectName(QStringLiteral("ID_ADDRESS"));
    m_partner->setReadOnly(true);
    m_partner->setMinimumWidth(320);
    make_bold(m_partner);
    m_partner->installEventFilter(this);
    m_partner_list =
        m_partner->addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    m_partner_list->setObjectName(QStringLiteral("actPartnerList"));
    m_partner_list->setToolTip(QStringLiteral("Vyberte fakturační adresu z tohoto seznamu."));
    connect(m_partner_list, &QAction::triggered, this, &Tfm_docheader::pick_address);
    m_new_partner = add_button("btnNewPartner", QStringLiteral("přidat nového partnera"), bar);
    connect(m_new_partner, &QToolButton::clicked, this, &Tfm_docheader::add_partner);
    if (is_credit_note(m_type)) {
        m_partner->setEnabled(false);
        m_partner_list->setEnabled(false);
        m_new_partner->setEnabled(false);
    }

    m_date = new TDBDateEdit(bar);
    m_date->setObjectName(QStringLiteral("DATE_D"));
    m_date->bind(&set(), QStringLiteral("DATE_D"));
    m_maturity = new TDBDateEdit(bar);
    m_maturity->setObjectName(QStringLiteral("MATURITY_D"));
    m_maturity->bind(&set(), QStringLiteral("MATURITY_D"));
    for (TDBDateEdit *date : {m_date, m_maturity})
        date->setFixedWidth(120);

    m_title = new TDBEdit(bar);
    m_title->setObjectName(QStringLiteral("edit_doc_title"));
    m_title->bind(&set(), QStringLiteral("DOC_TITLE"));
    m_title_history = attach_text_history(m_title);

    auto field_caption = [bar](QWidget *control) {
        QLabel *label = caption_for({}, control, bar);
        label_with_colon(*label, *control);
        return label;
    };
    auto *partner_line = new QHBoxLayout;
    partner_line->setSpacing(4);
    partner_line->addWidget(m_partner, 1);
    partner_line->addWidget(m_new_partner);
    auto *dates = new QHBoxLayout;
    dates->setSpacing(6);
    dates->addWidget(m_date);
    dates->addSpacing(12);
    dates->addWidget(field_caption(m_maturity));
    dates->addWidget(m_maturity);
    dates->addStretch(1);

    grid->addWidget(field_caption(m_doc_no), 0, 0);
    grid->addWidget(m_doc_no, 0, 1, Qt::AlignLeft);
    QLabel *partner = caption_for(partner_caption(m_type) + QLatin1Char(':'), m_partner, bar);
    partner->setObjectName(QStringLiteral("lblPartner"));
    make_bold(partner);
    grid->addWidget(partner, 1, 0);
    grid->addLayout(partner_line, 1, 1);
    grid->addWidget(field_caption(m_date), 2, 0);
    grid->addLayout(dates, 2, 1);
    grid->addWidget(field_caption(m_title), 3, 0);
    grid->addWidget(m_title, 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
    return bar;
}

QFrame *Tfm_docheader::create_details_panel()
{
    auto *panel = new QFrame(this);
    panel->setObjectName(m_document->details_table());
    const QColor fill = appearance().view_color.isValid() ? appearance().view_color
                                                           : palette().color(QPalette::Base);
    panel->setStyleSheet(QStringLiteral("QFrame#%1 { background-color: %2; border: 1px solid "
                                        "silver; border-radius: 8px; }")
                             .arg(panel->objectName(), fill.name()));
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setHorizontalSpacing(6);
    int row = 0;
    auto add_row = [&](const QString &caption, QWidget *input, QWidget *button = nullptr) {
        grid->addWidget(caption_for(caption, input, panel), row, 0);
        grid->addWidget(input, row, 1);
        if (button)
            grid->addWidget(button, row, 2);
        ++row;
    };

    const PaymentDetails &details = m_document->details;
    if (m_type == dtIssuedInvoice || m_type == dtReceivedInvoice) {
        m_link = new TValuesComboBox(panel);
        m_link->setObjectName(QStringLiteral("ID_LINK"));
        m_link->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        m_link->setMinimumContentsLength(28);
        if (m_type == dtIssuedInvoice) {
            m_link->fill_values(delivery_select(0));
            m_new_link = add_button("btnNewLink", QStringLiteral("zadat novou adresu dodání"), panel);
            add_row(QStringLiteral("adresa dodání:"), m_link, m_new_link);
        } else {
            m_link->fill_values(own_address_select);
            if (mode() == Edit)
                m_link->select_value(m_stored_link);
            m_new_link =
                add_button("btnNewLink", QStringLiteral("zadat novou fakturační adresu"), panel);
            add_row(QStringLiteral("fakturační adr.:"), m_link, m_new_link);
        }
        connect(m_new_link, &QToolButton::clicked, this, &Tfm_docheader::add_link);
    } else {
        m_against = new QLineEdit(panel);
        m_against->setObjectName(QStringLiteral("ID_LINK"));
        m_against->setReadOnly(true);
        m_against->setMinimumWidth(240);
        add_row(QStringLiteral("proti dokladu:"), m_against);
    }

    m_bank = new TValuesComboBox(panel);
    m_bank->setObjectName(QStringLiteral("ID_BANK"));
    m_bank->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_bank->setMinimumContentsLength(28);
    m_bank->fill_values(bank_select);
    if (mode() == Edit)
        m_bank->select_value(details.id_bank);
    m_new_bank = add_button("btnNewBank", QStringLiteral("přidat nový způsob platby (bankovní spojení)"),
                            panel);
    connect(m_new_bank, &QToolButton::clicked, this, &Tfm_docheader::add_bank);
    add_row(QStringLiteral("způsob platby:"), m_bank, m_new_bank);

    m_var_s = new QLineEdit(details.var_s, panel);
    m_var_s->setObjectName(QStringLiteral("VAR_S"));
    m_var_s->setMaxLength(32);
    m_const_s = new QLineEdit(details.const_s, panel);
    m_const_s->setObjectName(QStringLiteral("CONST_S"));
    m_const_s->setMaxLength(32);
    auto *symbols = new QHBoxLayout;
    symbols->setSpacing(6);
    symbols->addWidget(m_var_s);
    symbols->addWidget(caption_for(QStringLiteral("konst.symbol:"), m_const_s, panel));
    symbols->addWidget(m_const_s);
    grid->addWidget(caption_for(QStringLiteral("var.symbol:"), m_var_s, panel), row, 0);
    grid->addLayout(symbols, row, 1);
    return panel;
}

QWidget *Tfm_docheader::create_totals_bar()
{
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("pnlTotals"));
    const QString format = amount_format + m_document->currency.name;

    m_total = new TDBNumberEdit(bar);
    m_total->setObjectName(QStringLiteral("all_sum"));
    m_total->bind(&set(), QStringLiteral("ALL_SUM"));
    m_total->set_display_format(format);
    m_total->setFixedWidth(170);
    attach_calculator(m_total);

    m_rounding = new TValuesComboBox(bar);
    m_rounding->setObjectName(QStringLiteral("ROUND_ID"));
    const QStringList &names = rounding_mode_names();
    for (int mode = 0; mode < names.size(); ++mode)
        m_rounding->add_value(names[mode], QString::number(mode));
    m_rounding->select_value(set().field_by_name(QStringLiteral("ROUND_ID")).as_integer());

    m_round_sum = new TDBNumberEdit(bar);
    m_round_sum->setObjectName(QStringLiteral("ROUND_SUM"));
    m_round_sum->bind(&set(), QStringLiteral("ROUND_SUM"));
    m_round_sum->set_display_format(format);
    m_round_sum->setReadOnly(true);
    m_round_sum->setFocusPolicy(Qt::NoFocus);
    m_round_sum->setFixedWidth(170);
    make_bold(m_round_sum);

    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 4, 0, 4);
    row->addWidget(caption_for(QStringLiteral("Celkem:"), m_total, bar));
    row->addWidget(m_total);
    row->addSpacing(12);
    row->addWidget(m_rounding);
    row->addSpacing(12);
    QLabel *to_pay = caption_for(QStringLiteral("K úhradě:"), m_round_sum, bar);
    make_bold(to_pay);
    row->addWidget(to_pay);
    row->addWidget(m_round_sum);
    row->addStretch(1);
    return bar;
}

QWidget *Tfm_docheader::create_items_page()
{
    auto *page = new QWidget(m_tabs);
    page->setObjectName(QStringLiteral("tabItems"));
    auto command = [this](const char *name, const QString &text, int image) {
        auto *action = new QAction(ImageList16::icon(image), text, this);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    m_add_item = command("actAddItem", QStringLiteral("Přidat novou položku"), ImageList16::plus);
    m_edit_item =
        command("actEditItem", QStringLiteral("Opravit vybranou položku"), ImageList16::pencil);
    m_delete_item =
        command("actDeleteItem", QStringLiteral("Vymazat vybranou položku"), ImageList16::cross);
    connect(m_add_item, &QAction::triggered, this, &Tfm_docheader::add_item);
    connect(m_edit_item, &QAction::triggered, this, &Tfm_docheader::edit_item);
    connect(m_delete_item, &QAction::triggered, this, &Tfm_docheader::delete_item);

    auto *caption = new QLabel(QStringLiteral("Položky dokladu"), page);
    make_bold(caption);
    auto *bar = new QHBoxLayout;
    bar->addWidget(caption);
    bar->addStretch(1);
    for (QAction *action : {m_add_item, m_edit_item, m_delete_item}) {
        auto *button = new QToolButton(page);
        button->setObjectName(QStringLiteral("btn") + action->objectName().mid(3));
        button->setDefaultAction(action);
        bar->addWidget(button);
    }

    m_item_grid = new TDBGrid(page);
    m_item_grid->setObjectName(QStringLiteral("gridItems"));
    m_item_grid->set_table(m_items);
    m_item_grid->set_title_click({});
    limit_column_widths(*m_item_grid, max_item_column);
    m_item_grid->installEventFilter(this);
    m_item_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("popItems"));
    menu->addAction(m_add_item);
    menu->addAction(m_edit_item);
    menu->addSeparator();
    menu->addAction(m_delete_item);
    connect(m_item_grid, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint &at) { menu->popup(m_item_grid->viewport()->mapToGlobal(at)); });
    connect(m_item_grid, &TDBGrid::record_double_clicked, this,
            [this] { run_if_enabled(m_edit_item); });
    connect(m_item_grid, &TDBGrid::enter_pressed, this, [this] { run_if_enabled(m_edit_item); });

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(bar);
    layout->addWidget(m_item_grid, 1);
    return page;
}

// Over the main window's work area, beside the menu tree and above the status bar.
void Tfm_docheader::place_over_work_area()
{
    setMinimumSize(min_width, min_height);
    QWidget *host = window_host().host_window();
    if (!host) {
        resize(860, m_tabs ? 620 : min_height);
        return;
    }
    const QRect frame = host->frameGeometry();
    const QRect client = host->geometry();
    QRect area(frame.left() + window_host().tree_width(), client.top() + margin,
               frame.width() - window_host().tree_width() - margin,
               client.height() - window_host().status_bar_height() - 2 * margin);
    area.setWidth(std::max(area.width(), min_width));
    area.setHeight(m_tabs ? std::max(area.height(), min_height) : min_height);
    if (const QScreen *screen = host->screen(); screen && area.right() > screen->geometry().right())
        area.moveRight(screen->geometry().right());
    setGeometry(area);
}

void Tfm_docheader::show_partner()
{
    const int id = set().field_by_name(QStringLiteral("ID_ADDRESS")).as_integer();
    QString text;
    if (id != 0) {
        ScopedSet address = dbAPI->select_scoped(
            QStringLiteral("X"),
            QStringLiteral("SELECT RECID, PARTNER_NAME, ADDRESS_TITLE, FULL_ADDRESS FROM ") +
                address_view(m_type) + QStringLiteral(" WHERE RECID=") + QString::number(id));
        if (address && !address->is_empty())
            text = address->field(1).as_string() + QStringLiteral(" - ") +
                   address->field(2).as_string() + QStringLiteral(" (") +
                   address->field(3).as_string().replace(QStringLiteral("\r\n"), QStringLiteral(", "))
                       .replace(QLatin1Char('\n'), QStringLiteral(", ")) +
                   QLatin1Char(')');
    }
    m_partner->setText(text);
    m_partner->setToolTip(text);
    m_partner->setCursorPosition(0);
}

void Tfm_docheader::choose_address(int address_id)
{
    set().field_by_name(QStringLiteral("ID_ADDRESS")).set_as_integer(address_id);
}

void Tfm_docheader::pick_address()
{
    const QString select = address_list_select(m_type);
    if (select.isEmpty() || !m_partner->isEnabled())
        return;
    const int current = set().field_by_name(QStringLiteral("ID_ADDRESS")).as_integer();
    const int id = select_row(
        m_partner, help_topic(this), current,
        [](TDBGrid &grid) {
            if (const int at = find_column(grid, QStringLiteral("PARTNER_NAME")); at >= 0)
                grid.setColumnWidth(at, 148);
            if (const int at = find_column(grid, QStringLiteral("ADDRESS_TITLE")); at >= 0)
                grid.setColumnWidth(at, 88);
        },
        0, m_partner->width(), QStringLiteral("Vyberte fakturační adresu z tohoto seznamu."),
        select, QStringLiteral("VIEW_ADDRESS"));
    if (id != 0)
        choose_address(id);
}

void Tfm_docheader::add_partner()
{
    if (const int address =
            new_partner_for_document(open_record_set(QStringLiteral("PAR")), m_type);
        address != 0)
        choose_address(address);
}

// A delivery address defaults to the invoicing one; a correction keeps its stored one.
void Tfm_docheader::partner_changed()
{
    const int address = set().field_by_name(QStringLiteral("ID_ADDRESS")).as_integer();
    const int partner = partner_of_address(*dbAPI, address);
    m_link->fill_values(delivery_select(partner));
    m_link->select_value(mode() == Edit && m_stored_link != 0 ? m_stored_link : address);
    m_partner_discount = ::partner_discount(*dbAPI, partner);
}

void Tfm_docheader::add_link()
{
    if (m_type == dtIssuedInvoice) {
        const int partner = partner_of_address(
            *dbAPI, set().field_by_name(QStringLiteral("ID_ADDRESS")).as_integer());
        if (partner == 0) {
            show_message(QStringLiteral("Pozor"),
                         QStringLiteral("Nejprve vyberte obchodního partnera, až pak mu můžete "
                                        "vložit novou fakturační adresu."),
                         mbIconInformation);
            return;
        }
        if (const int id = add_partner_address(partner, false); id != 0) {
            m_link->fill_values(delivery_select(partner));
            m_link->select_value(id);
        }
        return;
    }
    ScopedSet addresses = dbAPI->select_scoped(QStringLiteral("CONF_INVOICE"), own_address_select);
    if (!addresses)
        return;
    const int id = edit_list_record(0, addresses.get(), QStringLiteral("CONF_INVOICE"), {},
                                    help_own_address, QStringLiteral("Nová fakturační adresa."));
    if (id != 0) {
        m_link->fill_values(own_address_select);
        m_link->select_value(id);
    }
}

void Tfm_docheader::add_bank()
{
    ScopedSet banks = dbAPI->select_scoped(QStringLiteral("CONF_BANKCASH"),
                                           QStringLiteral("SELECT * FROM CONF_BANKCASH ORDER BY IS_BANK"));
    if (!banks)
        return;
    if (TField *flag = banks->find_field(QStringLiteral("IS_BANK")))
        flag->visible = false;
    banks->after_insert = [previous = banks->after_insert](TMemTable &rows) {
        if (previous)
            previous(rows);
        if (TField *flag = rows.find_field(QStringLiteral("IS_BANK")))
            flag->set_as_string(QStringLiteral("T"));
    };
    const int id = edit_list_record(0, banks.get(), QStringLiteral("CONF_BANKCASH"), {}, help_bank,
                                    QStringLiteral("Nový bankovní účet."));
    if (id != 0) {
        m_bank->fill_values(bank_select);
        m_bank->select_value(id);
    }
}

void Tfm_docheader::fill_against()
{
    ScopedSet invoice = dbAPI->select_scoped(
        QStringLiteral("X"), QStringLiteral("SELECT RECID, DOC_NO, DOC_TITLE FROM DOC_HEAD WHERE RECID=") +
                                 QString::number(m_document->linked_invoice));
    if (invoice && !invoice->is_empty())
        m_against->setText(invoice->field(1).as_string() + QStringLiteral(", ") +
                           invoice->field(2).as_string());
}

void Tfm_docheader::total_inputs_changed(int column)
{
    const TMemTable &header = set();
    if (column == header.field_by_name(QStringLiteral("ALL_SUM")).index() ||
        column == header.field_by_name(QStringLiteral("ROUND_ID")).index())
        m_document->update_round_sum();
    if (column == header.field_by_name(QStringLiteral("ID_ADDRESS")).index()) {
        show_partner();
        if (m_type == dtIssuedInvoice)
            partner_changed();
    }
    update_ok();
}

void Tfm_docheader::rounding_chosen()
{
    const int mode = m_rounding->selected_value();
    if (mode >= 0)
        set().field_by_name(QStringLiteral("ROUND_ID")).set_as_integer(mode);
}

void Tfm_docheader::add_item()
{
    m_items->append();
    m_items->field_by_name(QStringLiteral("DISCOUNT")).set_as_float(m_partner_discount);
    TfmItemEdit editor(m_items, m_document->currency.name, this);
    if (editor.run())
        m_items->post();
    else
        m_items->cancel();
    items_changed(false);
}

void Tfm_docheader::edit_item()
{
    if (!m_items || m_items->is_empty())
        return;
    m_items->edit();
    TfmItemEdit editor(m_items, m_document->currency.name, this);
    if (editor.run())
        m_items->post();
    else
        m_items->cancel();
    items_changed(false);
}

void Tfm_docheader::delete_item()
{
    if (!m_items || m_items->is_empty())
        return;
    if (show_message(QStringLiteral("Pozor!"),
                     QStringLiteral("Opravdu  vymazat vybranou položku faktury?"),
                     mbYesNo | mbIconQuestion | mbDefaultNo, false, help_delete_item) != mrYes)
        return;
    m_items->remove();
    items_changed(true);
}

// The total of an issued invoice with items is theirs and cannot be typed; after the last
// item is deleted it is 0 and typeable again.
void Tfm_docheader::update_item_commands()
{
    if (!m_items)
        return;
    const bool any = m_document->has_items();
    m_add_item->setEnabled(true);
    m_edit_item->setEnabled(any);
    m_delete_item->setEnabled(any);
    m_total->setReadOnly(any);
}

void Tfm_docheader::items_changed(bool deleted)
{
    const int current = m_items->row_number();
    if (deleted) {
        set().field_by_name(QStringLiteral("ALL_SUM")).set_as_float(m_document->items_total());
        m_document->update_round_sum();
    } else if (m_document->has_items()) {
        m_document->apply_items_total();
    }
    if (current > 0)
        m_items->set_row_number(current);
    update_item_commands();
}

void Tfm_docheader::tab_changed()
{
    set_status_keys(m_tabs->currentWidget() == m_items_page ? keys_items : keys_header);
    window_activated();
}

bool Tfm_docheader::complete() const
{
    const TMemTable &header = set();
    auto filled = [&header](const char *field) {
        return !header.field_by_name(QLatin1String(field)).as_string().trimmed().isEmpty();
    };
    const bool link_ok = !m_link || m_link->selected_value() >= 0;
    return filled("DOC_NO") && !m_partner->text().trimmed().isEmpty() && filled("DOC_TITLE") &&
           !header.field_by_name(QStringLiteral("DATE_D")).is_null() && link_ok &&
           m_bank->selected_value() >= 0 && !m_var_s->text().trimmed().isEmpty();
}

int Tfm_docheader::store(int)
{
    TDocument &document = *m_document;
    document.details.var_s = m_var_s->text();
    document.details.const_s = m_const_s->text();
    document.details.id_link = m_link ? m_link->selected_value() : 0;
    document.details.id_bank = m_bank->selected_value();
    if (m_text && m_text->editor()->document()->isModified())
        document.text_changed = true;
    if (document.save() != TDocument::SaveResult::Saved)
        return 0;
    m_title_history->store_history();
    return document.id();
}

bool Tfm_docheader::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_partner) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            pick_address();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if ((key->key() == Qt::Key_PageDown || key->key() == Qt::Key_Down) &&
                is_plain_key(*key)) {
                pick_address();
                return true;
            }
        }
    }
    if (watched == m_item_grid && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (is_plain_key(*key)) {
            switch (key->key()) {
            case Qt::Key_Insert:
                run_if_enabled(m_add_item);
                return true;
            case Qt::Key_Delete:
                run_if_enabled(m_delete_item);
                return true;
            case Qt::Key_F8: {
                if (auto *menu = findChild<QMenu *>(QStringLiteral("popItems")))
                    popup_at(*this, *menu);
                return true;
            }
            default:
                break;
            }
        }
    }
    return TRecordEditor::eventFilter(watched, event);
}
