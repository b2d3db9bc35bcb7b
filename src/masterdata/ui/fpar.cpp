#include "masterdata/ui/fpar.h"

#include "data/db_api.h"
#include "data/memtable.h"
#include "data/messages.h"
#include "data/picture_box.h"
#include "documents/doc_types.h"
#include "documents/ui/document_operations.h"
#include "masterdata/partner_details.h"
#include "masterdata/partner_links.h"
#include "masterdata/partners.h"
#include "masterdata/ui/fimage.h"
#include "masterdata/ui/fpar_addredit.h"
#include "masterdata/ui/fpar_bankedit.h"
#include "masterdata/ui/fpar_contedit.h"
#include "masterdata/ui/fparedit.h"
#include "masterdata/ui/frsearch.h"
#include "reports/ui/document_prints.h"
#include "reports/ui/list_reports.h"
#include "widgets/command_key.h"
#include "widgets/command_registry.h"
#include "widgets/dbedit.h"
#include "widgets/dbgrid.h"
#include "widgets/dbmemo.h"
#include "widgets/grid_columns.h"
#include "widgets/help.h"
#include "widgets/image_list16.h"
#include "widgets/localize.h"
#include "widgets/picture_print.h"
#include "widgets/picture_view.h"
#include "widgets/popup_menu.h"
#include "widgets/system_dialogs.h"
#include "widgets/window_host.h"

#include <QAction>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString caption = QStringLiteral("Obchodní partneři");
const QString status_hint = QStringLiteral(
    "Seznam obchodních partnerů.|INSERT-vlož nový záznam, ENTER-oprava záznamu, "
    "DELETE-vymaž záznam, F8-menu, MEZERNÍK-tisky, ESC-zavřít.");
const int help_partners = 201;
const int help_new_partner_question = 9006;
const int tree_width = 170;
const int min_grid_width = 380;
const int min_page_width = 330;
const int date_width = 72;
const int currency_width = 32;


enum Detail { AddressDetail, ContactDetail, BankDetail, DetailCount };
const int partner_binding = -1;

const PartnerDetail detail_kinds[DetailCount] = {PartnerDetail::Address, PartnerDetail::Contact,
                                                 PartnerDetail::Bank};
const TParTree::Page detail_pages[DetailCount] = {TParTree::AddressPage, TParTree::ContactPage,
                                                  TParTree::BankPage};

struct CommandLook {
    const char *name;
    const char *caption;
    int image;
};

const CommandLook command_looks[TfPar::CommandCount] = {
    {"actAddPartner", "Přidat nového partnera", ImageList16::plus},
    {"actEditPartner", "Opravit partnera", ImageList16::pencil},
    {"actDeletePartner", "Vymazat tohoto partnera", ImageList16::cross},
    {"actAddAddress", "Přidat novou adresu", ImageList16::plus},
    {"actEditAddress", "Opravit adresu", ImageList16::pencil},
    {"actDeleteAddress", "Vymazat adresu", ImageList16::cross},
    {"actShowMap", "najít adresu na mapě", -1},
    {"actAddContact", "Přidat nový kontakt", ImageList16::plus},
    {"actEditContact", "Opravit kontakt", ImageList16::pencil},
    {"actDeleteContact", "Vymazat kontakt", ImageList16::cross},
    {"actAddBank", "Přidat nové bank.spojení", ImageList16::plus},
    {"actEditBank", "Opravit bank.spoj.", ImageList16::pencil},
    {"actDeleteBank", "Vymazat bank.spojení", ImageList16::cross},
    {"actLoadPicture", "načti obrázek ze souboru...", ImageList16::plus},
    {"actDeletePicture", "vymazat obrázek", ImageList16::cross},
    {"actShowPicture", "zobrazit v plné velikosti", -1},
    {"actPrintPicture", "vytisknout obrázek", ImageList16::printer},
    {"actSavePicture", "uložit obrázek na disk", -1},
    {"actReloadDocuments", "Obnovit, znovu načíst doklady partnera.", -1},
    {"actEditDocument", "opravit doklad", ImageList16::pencil},
    {"actDeleteDocument", "vymazat tento doklad", ImageList16::cross},
    {"actPrintDocument", "vytisknout vybraný doklad", ImageList16::printer},
    {"actPrintPartnerList", "Tisk soupisu partnerů", ImageList16::printer},
    {"actPrintPartner", "Tisk vybraného partnera", ImageList16::printer},
    {"actPrintContacts", "Tisk kontaktů vybraného partnera", ImageList16::printer},
    {"actPrintDocumentList", "Tisk soupisu dokladů za tohoto partnera", ImageList16::printer},
    {"actRefresh", "Obnovit, znovu načíst.", -1},
};

QString detail_table(int detail)
{
    return partner_detail_table(detail_kinds[detail]).table;
}

QString detail_title(int detail)
{
    return partner_detail_table(detail_kinds[detail]).title_column;
}

void set_link_look(QLabel &label, bool link)
{
    // A style sheet costs more than the rest of a change of partner: set it only when the
    // kind of contact changes.
    if (label.font().underline() == link)
        return;
    QFont font = label.font();
    font.setUnderline(link);
    label.setFont(font);
    label.setCursor(link ? Qt::PointingHandCursor : Qt::ArrowCursor);
    label.setStyleSheet(link ? QStringLiteral("color: blue") : QString());
}

// A label that reads as a link and says when it is clicked.
class TLinkLabel : public QLabel {
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

QToolButton *command_tool(QAction *action, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}


} // namespace

TfPar::TfPar(int record_id, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fPar"));
    setWindowTitle(caption);
    set_help_topic(this, help_partners);
    create_commands();
    create_menus();

    auto *tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("tbPar"));
    tools->setIconSize(QSize(16, 16));
    tools->addAction(command(AddPartner));
    tools->addAction(command(EditPartner));
    tools->addAction(command(DeletePartner));
    tools->addSeparator();
    m_print_button = new QToolButton(tools);
    m_print_button->setObjectName(QStringLiteral("btnPrint"));
    m_print_button->setIcon(ImageList16::icon(ImageList16::printer));
    m_print_button->setToolTip(QStringLiteral("Tisky"));
    m_print_button->setMenu(m_print_menu);
    m_print_button->setPopupMode(QToolButton::InstantPopup);
    tools->addWidget(m_print_button);
    tools->addSeparator();
    tools->addAction(command(Refresh));

    m_tree = new TParTree(this);
    m_tree->setFixedWidth(tree_width);
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("pcPar"));
    m_pages->addWidget(create_basic_page());
    m_pages->addWidget(create_detail_page(
        AddressDetail,
        {"ADDRESS_TITLE", "ADDRESS", "ADDRESS2", "CITY", "POSTAL_CODE", "COUNTRY", "REGION",
         "ADDR_MEMO"},
        {AddAddress, EditAddress, DeleteAddress}));
    m_pages->addWidget(create_detail_page(ContactDetail,
                                          {"CONTACT_ITEM", "CONTACT", "CONTACT_MEMO"},
                                          {AddContact, EditContact, DeleteContact}));
    m_pages->addWidget(create_detail_page(
        BankDetail,
        {"BANK_TITLE", "BANK_NAME", "ACCOUNT_NUMBER", "IBAN", "ABA", "BANK_ADDRESS", "BANK_MEMO"},
        {AddBank, EditBank, DeleteBank}));
    m_pages->addWidget(create_other_page());
    for (int page = 0; page < TParTree::PageCount; ++page)
        m_pages->widget(page)->setObjectName(QStringLiteral("tsPage%1").arg(page));
    // A narrow window scrolls the page rather than the whole window.
    auto *page_area = new QScrollArea(this);
    page_area->setWidget(m_pages);
    page_area->setWidgetResizable(true);
    page_area->setFrameShape(QFrame::NoFrame);
    page_area->setMinimumWidth(min_page_width);

    auto *details = new QWidget(this);
    auto *details_layout = new QHBoxLayout(details);
    details_layout->setContentsMargins(0, 0, 0, 0);
    details_layout->addWidget(m_tree);
    details_layout->addWidget(page_area, 1);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(create_grid_side());
    splitter->addWidget(details);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(splitter, 1);

    connect(m_tree, &TParTree::node_selected, this, &TfPar::node_selected);
    connect(m_tree, &TParTree::child_activated, this, [this](TParTree::Page page) {
        const Command first[] = {EditPartner, EditAddress, EditContact, EditBank};
        if (page >= TParTree::AddressPage && page <= TParTree::BankPage)
            run(first[page]);
    });

    if (dbAPI)
        m_partners = dbAPI->select_sql(
            QStringLiteral("VIEW_PAR"),
            QStringLiteral("SELECT * FROM VIEW_PAR ORDER BY PARTNER_NO"));
    m_grid->set_table(m_partners);
    hide_column(*m_grid, QStringLiteral("PARTNER_MEMO"));
    limit_column_widths(*m_grid);
    m_search->attach_grid(m_grid);
    m_search->set_search_column(QStringLiteral("PARTNER_NAME"));
    bind_shown_page();
    connect(m_pages, &QStackedWidget::currentChanged, this, &TfPar::bind_shown_page);
    if (dbAPI)
        caption_labels();
    if (m_partners) {
        if (record_id != 0)
            dbAPI->locate_recid(record_id, m_partners);
        connect(m_partners, &TMemTable::current_changed, this, &TfPar::partner_changed);
        connect(m_partners, &TMemTable::state_changed, this, &TfPar::partner_changed);
    }
    localize_component(this);
    install_help_key(this);
    m_tree->setCurrentItem(m_tree->branch(TParTree::BasicPage));
    partner_changed();
    window_host().post_command(MainCommand::RefreshOpenWindows);
}

TfPar::~TfPar()
{
    if (dbAPI) {
        m_grid->set_table(nullptr);
        m_document_grid->set_table(nullptr);
        for (TMemTable *&set : m_details)
            dbAPI->free_set(set);
        dbAPI->free_set(m_documents);
        dbAPI->free_set(m_partners);
    }
    window_host().set_status_hint({});
    window_host().post_command(MainCommand::RefreshOpenWindows);
}

void TfPar::create_commands()
{
    for (int index = 0; index < CommandCount; ++index) {
        const CommandLook &look = command_looks[index];
        auto *action =
            new QAction(ImageList16::icon(look.image), QString::fromUtf8(look.caption), this);
        action->setObjectName(QLatin1String(look.name));
        m_commands[index] = action;
    }
    const auto on = [this](Command which, auto handler) {
        connect(m_commands[which], &QAction::triggered, this, handler);
    };
    on(AddPartner, [this] { add_partner(); });
    on(EditPartner, [this] { edit_partner_row(); });
    on(DeletePartner, [this] { delete_partner_row(); });
    on(AddAddress, [this] { add_detail(AddressDetail); });
    on(EditAddress, [this] { edit_detail(AddressDetail); });
    on(DeleteAddress, [this] { delete_detail(AddressDetail); });
    on(ShowMap, [this] { open_map_link(); });
    on(AddContact, [this] { add_detail(ContactDetail); });
    on(EditContact, [this] { edit_detail(ContactDetail); });
    on(DeleteContact, [this] { delete_detail(ContactDetail); });
    on(AddBank, [this] { add_detail(BankDetail); });
    on(EditBank, [this] { edit_detail(BankDetail); });
    on(DeleteBank, [this] { delete_detail(BankDetail); });
    on(LoadPicture, [this] { load_picture(); });
    on(DeletePicture, [this] { delete_picture(); });
    on(ShowPicture, [this] {
        show_picture(*m_picture->box(), m_partners->field_by_name("PARTNER_NAME").as_string());
    });
    on(PrintPicture, [this] {
        print_picture(*m_picture->box(), m_partners->field_by_name("PARTNER_NAME").as_string());
    });
    on(SavePicture, [this] { save_picture(); });
    on(ReloadDocuments, [this] { load_other_page(); });
    on(EditDocument, [this] {
        if (const int id = edit_document_of_row(m_documents); id != 0)
            dbAPI->refresh_record(id, QStringLiteral("VIEW_DOC_PAR"), m_documents);
    });
    on(DeleteDocument, [this] {
        delete_partner_document(m_documents);
        update_commands();
    });
    on(Refresh, [this] { refresh_window(); });
    on(PrintDocument, [this] {
        if (const int id = dbAPI->current_recid(m_documents); id != 0)
            print_document(m_documents->field_by_name(QStringLiteral("ID_DOC_TYPE")).as_integer(), id);
    });
    on(PrintPartnerList, [this] { print_partner_list(command(PrintPartnerList)->text()); });
    on(PrintPartner, [this] {
        print_partner(command(PrintPartner)->text(), partner_recid());
    });
    on(PrintContacts, [this] {
        print_partner_contacts(command(PrintContacts)->text(), partner_recid());
    });
    on(PrintDocumentList, [this] { print_partner_documents(partner_recid()); });
}

void TfPar::create_menus()
{
    m_print_menu = new QMenu(this);
    m_print_menu->setObjectName(QStringLiteral("popPrint"));
    m_print_menu->addAction(command(PrintPartnerList));
    m_print_menu->addSeparator();
    m_print_menu->addAction(command(PrintPartner));
    m_print_menu->addAction(command(PrintContacts));
    m_print_menu->addSeparator();
    m_print_menu->addAction(command(PrintDocumentList));

    m_document_print_menu = new QMenu(this);
    m_document_print_menu->setObjectName(QStringLiteral("popDocumentPrint"));
    m_document_print_menu->addAction(command(PrintDocument));
    m_document_print_menu->addAction(command(PrintDocumentList));

    m_context_menu = new QMenu(this);
    m_context_menu->setObjectName(QStringLiteral("popPartner"));
    m_context_menu->addAction(command(AddPartner));
    m_context_menu->addSeparator();
    m_context_menu->addAction(command(EditPartner));
    m_context_menu->addAction(command(DeletePartner));
    m_context_menu->addSeparator();
    m_context_menu->addAction(command(PrintPartner));
    m_context_menu->addAction(command(PrintContacts));
    m_context_menu->addAction(command(PrintDocumentList));
    m_context_menu->addSeparator();
    m_context_menu->addAction(command(PrintPartnerList));
}

QWidget *TfPar::create_grid_side()
{
    auto *side = new QWidget(this);
    side->setMinimumWidth(min_grid_width);
    m_grid = new TDBGrid(side);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->installEventFilter(this);
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        m_context_menu->popup(m_grid->viewport()->mapToGlobal(at));
    });
    connect(m_grid, &TDBGrid::record_double_clicked, this, [this] { run(EditPartner); });
    m_search = new Tfr_search(side);
    auto *layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_search);
    return side;
}

QWidget *TfPar::add_display(QWidget *page, QFormLayout &form, int detail, const QString &field)
{
    const bool memo = field.endsWith(QLatin1String("MEMO")) || field == "BANK_ADDRESS";
    QWidget *control = nullptr;
    if (memo) {
        auto *text = new TDBMemo(page);
        text->set_read_only(true);
        text->setFixedHeight(text->fontMetrics().lineSpacing() * 4 + 12);
        control = text;
        m_bindings.push_back({text, page, detail, field});
    } else {
        auto *edit = new TDBEdit(page);
        edit->set_read_only(true);
        control = edit;
        m_bindings.push_back({edit, page, detail, field});
    }
    control->setObjectName(
        QStringLiteral("%1_%2").arg(detail == partner_binding ? QStringLiteral("PAR")
                                                                : detail_table(detail),
                                    field));
    control->setFocusPolicy(Qt::ClickFocus);
    auto *label = new QLabel(field, page);
    label->setBuddy(control);
    form.addRow(label, control);
    return control;
}

// The page's command buttons one under the other, so that the page stays narrow.
QLayout *TfPar::command_column(QWidget *page, std::initializer_list<Command> commands)
{
    auto *column = new QVBoxLayout;
    column->setSpacing(0);
    for (Command which : commands)
        column->addWidget(command_tool(command(which), page), 0, Qt::AlignLeft);
    return column;
}

QWidget *TfPar::create_basic_page()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout;
    for (const char *field : {"PARTNER_NO", "PARTNER_TYPE", "PARTNER_NAME", "GRP_NAME", "ICO",
                              "DIC", "PARTNER_MEMO"}) {
        QWidget *control = add_display(page, *form, partner_binding, QLatin1String(field));
        if (QLatin1String(field) == QLatin1String("PARTNER_NAME")) {
            QFont large = control->font();
            large.setBold(true);
            large.setPointSizeF(large.pointSizeF() * 1.4);
            control->setFont(large);
        }
    }
    QLayout *buttons = command_column(page, {AddPartner, EditPartner, DeletePartner});
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addStretch(1);
    return page;
}

QWidget *TfPar::create_detail_page(int detail, const QStringList &fields,
                                   std::initializer_list<Command> commands)
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout;
    QWidget *name = add_display(page, *form, partner_binding, QStringLiteral("PARTNER_NAME"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    for (const QString &field : fields) {
        if (detail == ContactDetail && field == QLatin1String("CONTACT")) {
            // The contact itself is a link when it is a web or a mail address.
            auto *link = new TLinkLabel(page);
            link->setObjectName(QStringLiteral("lblContact"));
            link->setTextFormat(Qt::PlainText);
            link->setTextInteractionFlags(Qt::TextSelectableByMouse);
            link->on_click = [this] { open_contact(); };
            m_contact_link = link;
            m_contact_caption = new QLabel(field, page);
            form->addRow(m_contact_caption, link);
            continue;
        }
        add_display(page, *form, detail, field);
    }
    QLayout *buttons = command_column(page, commands);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(form);
    if (detail == AddressDetail) {
        auto *map = command_tool(command(ShowMap), page);
        map->setObjectName(QStringLiteral("btnMap"));
        QFont underlined = map->font();
        underlined.setUnderline(true);
        map->setFont(underlined);
        map->setCursor(Qt::PointingHandCursor);
        layout->addWidget(map, 0, Qt::AlignLeft);
    }
    layout->addLayout(buttons);
    layout->addStretch(1);
    return page;
}

QWidget *TfPar::create_other_page()
{
    auto *page = new QWidget(this);
    auto *photo = new QLabel(QStringLiteral("Fotografie"), page);
    photo->setObjectName(QStringLiteral("lblPhoto"));
    m_picture = new TPictureView(page);
    m_picture->setObjectName(QStringLiteral("imgPartner"));
    m_picture->setFrameShape(QFrame::StyledPanel);
    connect(m_picture, &TPictureView::clicked, this, [this] { run(ShowPicture); });
    connect(m_picture->box(), &PictureBox::changed, this, &TfPar::update_commands);
    auto *picture_buttons = new QVBoxLayout;
    for (Command which : {LoadPicture, DeletePicture, ShowPicture, PrintPicture, SavePicture})
        picture_buttons->addWidget(command_tool(command(which), page));
    picture_buttons->addStretch(1);
    auto *picture_row = new QHBoxLayout;
    picture_row->addWidget(m_picture);
    picture_row->addLayout(picture_buttons);
    picture_row->addStretch(1);

    auto *documents = new QLabel(QStringLiteral("Doklady"), page);
    documents->setObjectName(QStringLiteral("lblDocuments"));
    m_document_grid = new TDBGrid(page);
    m_document_grid->setObjectName(QStringLiteral("gridDocuments"));
    m_document_grid->installEventFilter(this);
    m_document_grid->table_model().set_row_text_color([](const TMemTable &set, int row) {
        const TField *type = set.find_field(QStringLiteral("ID_DOC_TYPE"));
        return type ? doc_type_color(set.cell_value(row, type->index()).toInt()) : QColor();
    });
    connect(m_document_grid, &TDBGrid::record_double_clicked, this, [this] { run(PrintDocument); });
    QLayout *document_buttons =
        command_column(page, {ReloadDocuments, EditDocument, DeleteDocument, PrintDocument});

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(photo);
    layout->addLayout(picture_row);
    layout->addWidget(documents);
    layout->addWidget(m_document_grid, 1);
    layout->addLayout(document_buttons);
    return page;
}

// Only the shown page's controls follow their sets: moving from partner to partner then
// lays out the texts that are seen, not those of every page.
void TfPar::bind_shown_page()
{
    const QWidget *shown = m_pages->currentWidget();
    for (Binding &binding : m_bindings) {
        TMemTable *set = binding.page != shown               ? nullptr
                         : binding.detail == partner_binding ? m_partners
                                                             : m_details[binding.detail];
        const TField *field = binding.control->field();
        if ((field ? &field->table() : nullptr) != set)
            binding.control->bind(set, binding.field);
    }
}

// The captions come from the display labels of the tables' fields, also while no partner
// has rows to show.
void TfPar::caption_labels()
{
    const auto caption_of = [this](const Binding &binding) -> QLabel * {
        for (QLabel *label : m_pages->findChildren<QLabel *>())
            if (label->buddy() == dynamic_cast<QWidget *>(binding.control))
                return label;
        return nullptr;
    };
    const QString tables[DetailCount] = {detail_table(AddressDetail),
                                         QStringLiteral("VIEW_PAR_CONTACTS"),
                                         detail_table(BankDetail)};
    for (int detail = partner_binding; detail < DetailCount; ++detail) {
        const QString name = detail == partner_binding ? QStringLiteral("VIEW_PAR")
                                                       : detail_table(detail);
        const QString source = detail == partner_binding ? name : tables[detail];
        const ScopedSet labels = dbAPI->select_scoped(
            name, QStringLiteral("SELECT * FROM %1 WHERE RECID=0").arg(source));
        if (!labels)
            continue;
        for (const Binding &binding : m_bindings) {
            QLabel *label = binding.detail == detail ? caption_of(binding) : nullptr;
            if (const TField *field = labels->find_field(binding.field); label && field)
                label->setText(field->display_label + u':');
        }
        if (const TField *contact = labels->find_field(QStringLiteral("CONTACT"));
            contact && detail == ContactDetail)
            m_contact_caption->setText(contact->display_label + u':');
    }
}

int TfPar::partner_recid() const
{
    if (!m_partners || m_partners->state() != TMemTable::State::Browse)
        return 0;
    return dbAPI->current_recid(m_partners);
}

TParTree::Page TfPar::page() const
{
    return TParTree::Page(m_pages->currentIndex());
}

void TfPar::partner_changed()
{
    // An editor adding or changing the partner leaves the details where they are.
    if (m_partners && m_partners->state() != TMemTable::State::Browse)
        return;
    const int recid = partner_recid();
    if (recid == m_shown_partner)
        return;
    m_shown_partner = recid;
    if (recid != 0)
        load_details();
    else
        clear_details();
    if (page() == TParTree::OtherPage)
        load_other_page();
    update_commands();
}

void TfPar::load_details()
{
    for (int detail = 0; detail < DetailCount; ++detail) {
        const QString select = partner_detail_select(detail_kinds[detail], m_shown_partner);
        // The sets stay from partner to partner, and with them the bindings of the controls.
        if (m_details[detail] && dbAPI->reselect_sql(m_details[detail], select))
            continue;
        dbAPI->free_set(m_details[detail]);
        m_details[detail] = dbAPI->select_sql(detail_table(detail), select);
        if (m_details[detail] && detail == ContactDetail)
            connect(m_details[detail], &TMemTable::current_changed, this,
                    &TfPar::contact_changed);
    }
    bind_shown_page();
    for (int detail = 0; detail < DetailCount; ++detail)
        rebuild_branch(detail);
    contact_changed();
}

// Nothing may stay that a command could edit or delete: its row is gone.
void TfPar::clear_details()
{
    for (int detail = 0; detail < DetailCount; ++detail) {
        if (dbAPI)
            dbAPI->free_set(m_details[detail]);
        m_details[detail] = nullptr;
        m_tree->clear_branch(detail_pages[detail]);
    }
    m_document_grid->set_table(nullptr);
    if (dbAPI)
        dbAPI->free_set(m_documents);
    m_documents = nullptr;
    m_picture->box()->clear();
    bind_shown_page();
    contact_changed();
}

void TfPar::rebuild_branch(int detail, int select_recid)
{
    m_tree->rebuild_branch(detail_pages[detail], m_details[detail], detail_title(detail),
                           select_recid);
}

void TfPar::node_selected(TParTree::Page page, int recid)
{
    m_pages->setCurrentIndex(page);
    if (page >= TParTree::AddressPage && page <= TParTree::BankPage) {
        TMemTable *set = m_details[page - TParTree::AddressPage];
        if (set)
            dbAPI->locate_recid(recid, set);
    }
    if (page == TParTree::OtherPage)
        load_other_page();
    update_commands();
}

void TfPar::show_page(TParTree::Page page)
{
    m_tree->setCurrentItem(m_tree->branch(page));
}

void TfPar::load_other_page()
{
    m_picture->box()->clear();
    m_document_grid->set_table(nullptr);
    dbAPI->free_set(m_documents);
    m_documents = nullptr;
    const int recid = partner_recid();
    if (recid != 0) {
        dbAPI->read_picture(recid, m_picture->box());
        m_documents = dbAPI->select_sql(
            QStringLiteral("VIEW_DOC_PAR"),
            QStringLiteral("SELECT * FROM VIEW_DOC_PAR WHERE ID_PARTNER=%1").arg(recid));
        m_document_grid->set_table(m_documents);
        for (const char *column : {"DATE_D", "MATURITY_D"})
            if (const int at = find_column(*m_document_grid, QLatin1String(column)); at >= 0)
                m_document_grid->setColumnWidth(at, date_width);
        if (const int at = find_column(*m_document_grid, QStringLiteral("CURR_NAME")); at >= 0)
            m_document_grid->setColumnWidth(at, currency_width);
    }
    update_commands();
}

void TfPar::contact_changed()
{
    TMemTable *contacts = m_details[ContactDetail];
    const QString text = dbAPI && dbAPI->record_count(contacts) > 0
                             ? contacts->field_by_name(QStringLiteral("CONTACT")).as_string()
                             : QString();
    m_contact_link->setText(text);
    set_link_look(*m_contact_link, contact_link(text).kind != ContactLinkKind::Plain);
}

void TfPar::open_contact()
{
    open_contact_link(contact_link(m_contact_link->text()));
}

void TfPar::open_map_link()
{
    TMemTable *addresses = m_details[AddressDetail];
    if (dbAPI->record_count(addresses) == 0)
        return;
    const auto text = [addresses](const char *column) {
        return addresses->field_by_name(QLatin1String(column)).as_string();
    };
    open_map(map_address(text("CITY"), text("ADDRESS"), text("ADDRESS2")));
}

void TfPar::add_partner()
{
    const int row = m_partners->row_number();
    const int recid = edit_partner(Tfm_paredit::Add, m_partners);
    if (recid == 0) {
        if (row > 0)
            m_partners->set_row_number(row);
    } else {
        dbAPI->refresh_record(recid, QStringLiteral("VIEW_PAR"), m_partners);
        partner_changed();
        if (show_message(QStringLiteral("Nový obchodní partner."),
                         QStringLiteral("Pokračovat zadáním adresy tohoto partnera?"),
                         mbYesNo | mbIconQuestion, false, help_new_partner_question) == mrYes)
            add_detail(AddressDetail);
    }
    update_commands();
    m_grid->setFocus();
}

void TfPar::edit_partner_row()
{
    const int recid = edit_partner(Tfm_paredit::Edit, m_partners);
    if (recid != 0)
        dbAPI->refresh_record(recid, QStringLiteral("VIEW_PAR"), m_partners);
    update_commands();
    m_grid->setFocus();
}

void TfPar::delete_partner_row()
{
    delete_partner(*dbAPI, m_partners);
    m_picture->box()->clear();
    show_page(TParTree::BasicPage);
    partner_changed();
    update_commands();
    m_grid->setFocus();
}

// Before a command on a detail row: a child of the same branch selected in the tree names
// the row.
void TfPar::current_from_tree(int detail)
{
    const int selected = m_tree->selected_child(detail_pages[detail]);
    if (selected != 0)
        dbAPI->locate_recid(selected, m_details[detail]);
}

int TfPar::run_detail_editor(int detail, int mode)
{
    const int partner = partner_recid();
    TMemTable *set = m_details[detail];
    switch (detail) {
    case AddressDetail:
        return edit_partner_address(mode, partner, set);
    case ContactDetail:
        return edit_partner_contact(mode, partner, set);
    case BankDetail:
        return edit_partner_bank(mode, partner, set);
    }
    return 0;
}

void TfPar::add_detail(int detail)
{
    const int recid = run_detail_editor(detail, TRecordEditor::Add);
    if (recid != 0) {
        show_page(detail_pages[detail]);
        rebuild_branch(detail, recid);
    }
    update_commands();
}

void TfPar::edit_detail(int detail)
{
    current_from_tree(detail);
    const int recid = run_detail_editor(detail, TRecordEditor::Edit);
    if (recid != 0)
        rebuild_branch(detail, recid);
    update_commands();
}

void TfPar::delete_detail(int detail)
{
    current_from_tree(detail);
    if (delete_partner_detail(*dbAPI, detail_kinds[detail], m_details[detail]) != 0) {
        show_page(detail_pages[detail]);
        rebuild_branch(detail);
    }
    update_commands();
}

void TfPar::load_picture()
{
    const int partner = partner_recid();
    const QString file = choose_file(
        this, {FileDialogRequest::Mode::Open, QStringLiteral("Načíst obrázek"),
               QStringLiteral("obrázky (*.jpg)|*.jpg"), QStringLiteral("jpg"), {}});
    if (partner == 0 || file.isEmpty() || !dbAPI->blob_file_ok(file))
        return;
    const QImage image(file);
    if (image.isNull())
        return;
    dbAPI->fit_picture(image, m_picture->box());
    if (!dbAPI->write_picture(partner, m_picture->box()))
        m_picture->box()->clear();
    update_commands();
}

void TfPar::delete_picture()
{
    if (delete_partner_picture(*dbAPI, partner_recid()))
        m_picture->box()->clear();
    update_commands();
}

void TfPar::save_picture()
{
    if (m_picture->box()->is_empty())
        return;
    const QString file = choose_file(
        this, {FileDialogRequest::Mode::Save, QStringLiteral("Uložit obrázek"),
               QStringLiteral("obrázky (*.jpg)|*.jpg"), QStringLiteral("jpg"), {}});
    if (!file.isEmpty() && !m_picture->box()->picture().save(file, "JPG"))
        show_message(QStringLiteral("Chyba"),
                     QStringLiteral("Obrázek se nepodařilo uložit do souboru %1.").arg(file),
                     mbIconError);
}

void TfPar::refresh_window()
{
    const int recid = partner_recid();
    window_host().post_command(MainCommand::ReopenPartners, recid);
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}

void TfPar::update_commands()
{
    const bool partner = partner_recid() != 0;
    const auto rows = [](TMemTable *set) { return dbAPI ? dbAPI->record_count(set) : 0; };
    const bool address = rows(m_details[AddressDetail]) > 0;
    const bool contact = rows(m_details[ContactDetail]) > 0;
    const bool bank = rows(m_details[BankDetail]) > 0;
    const bool picture = !m_picture->box()->is_empty();
    command(AddPartner)->setEnabled(m_partners != nullptr);
    for (Command which : {EditPartner, DeletePartner, AddAddress, AddContact, AddBank, LoadPicture})
        command(which)->setEnabled(partner);
    for (Command which : {EditAddress, DeleteAddress, ShowMap})
        command(which)->setEnabled(address);
    command(EditContact)->setEnabled(contact);
    command(DeleteContact)->setEnabled(contact);
    command(EditBank)->setEnabled(bank);
    command(DeleteBank)->setEnabled(bank);
    for (Command which : {DeletePicture, ShowPicture, PrintPicture, SavePicture})
        command(which)->setEnabled(picture);
    command(ReloadDocuments)->setEnabled(partner);
    command(Refresh)->setEnabled(m_partners != nullptr);
    const bool document = dbAPI && dbAPI->record_count(m_documents) > 0;
    command(EditDocument)->setEnabled(document);
    command(DeleteDocument)->setEnabled(document);
    command(PrintDocument)->setEnabled(document);
    command(PrintPartnerList)->setEnabled(m_partners != nullptr);
    for (Command which : {PrintPartner, PrintContacts, PrintDocumentList})
        command(which)->setEnabled(partner);
}

void TfPar::run(Command which)
{
    run_if_enabled(command(which));
}

bool TfPar::command_key(int key)
{
    const TParTree::Page shown = page();
    static const Command edits[] = {EditPartner, EditAddress, EditContact, EditBank,
                                    EditDocument};
    static const Command adds[] = {AddPartner, AddAddress, AddContact, AddBank, CommandCount};
    static const Command deletes[] = {DeletePartner, DeleteAddress, DeleteContact, DeleteBank,
                                      DeleteDocument};
    switch (key) {
    case Qt::Key_F5:
        run(Refresh);
        return true;
    case Qt::Key_F8:
        popup_at(*this, *m_context_menu);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        run(edits[shown]);
        return true;
    case Qt::Key_Insert:
        if (adds[shown] != CommandCount)
            run(adds[shown]);
        return true;
    case Qt::Key_Delete:
        run(deletes[shown]);
        return true;
    case Qt::Key_Space:
        (shown == TParTree::OtherPage ? m_document_print_menu : m_print_menu)
            ->popup(m_print_button->mapToGlobal(QPoint(0, m_print_button->height())));
        return true;
    case Qt::Key_Escape:
        if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
            sub->close();
        else
            close();
        return true;
    default:
        return false;
    }
}

// The grids would take Enter, Space, Delete and Escape for themselves.
bool TfPar::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_grid || watched == m_document_grid) && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool plain = is_plain_key(*key);
        if (plain && command_key(key->key()))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Keys typed into the search field are the search's own.
void TfPar::keyPressEvent(QKeyEvent *event)
{
    const bool plain = is_plain_key(*event);
    if (!m_search->has_search_focus() && plain && command_key(event->key()))
        return;
    QWidget::keyPressEvent(event);
}

void TfPar::window_activated()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->showMaximized();
    window_host().set_status_hint(status_hint);
}

int TfPar::child_command(int code)
{
    if (code != 1 || !m_documents)
        return 0;
    const int shown = dbAPI->current_recid(m_documents);
    load_other_page();
    if (m_documents && shown != 0)
        dbAPI->locate_recid(shown, m_documents);
    return 1;
}

void register_partners_window()
{
    register_book_window(QStringLiteral("PAR"),
                         [](int record_id) { return new TfPar(record_id); });
}
