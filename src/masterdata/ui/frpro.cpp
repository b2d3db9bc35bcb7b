#include "masterdata/ui/frpro.h"

#include "data/db_api.h"
#include "data/memtable.h"
#include "masterdata/foreign_prices.h"
#include "masterdata/products.h"
#include "masterdata/ui/fpriceedit.h"
#include "masterdata/ui/fproedit.h"
#include "masterdata/ui/frpicture.h"
#include "masterdata/ui/frsearch.h"
#include "reports/ui/list_reports.h"
#include "text/number_format.h"
#include "widgets/command_key.h"
#include "widgets/command_registry.h"
#include "widgets/dbgrid.h"
#include "widgets/help.h"
#include "widgets/image_list16.h"
#include "widgets/localize.h"
#include "widgets/popup_menu.h"
#include "widgets/window_host.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString caption = QStringLiteral("Produkty a služby");
const QString status_text = QStringLiteral(
    "Seznam produktů.|INSERT-vlož nový záznam, ENTER-oprava záznamu, DELETE-vymaž záznam, "
    "F8-menu, MEZERNÍK-tisky, ESC-zavřít.");
const QString product_select = QStringLiteral("SELECT * FROM VIEW_PRO ORDER BY PRO_NO");
const QString price_format = QStringLiteral(",0.00");

const int help_window = 202;
const int widest_column = 208;
const int tab_width = 108;

const int image_refresh = 7;

QLabel *caption_label(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    return label;
}

QLabel *value_label(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

QString field_caption(const TMemTable *set, const char *field)
{
    const TField *column = set ? set->find_field(QLatin1String(field)) : nullptr;
    return column ? column->display_label + QStringLiteral(":") : QString();
}

} // namespace

TfPro::TfPro(int record_id, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fPro"));
    setWindowTitle(caption);
    set_help_topic(this, help_window);
    m_set = dbAPI ? dbAPI->select_sql(QStringLiteral("VIEW_PRO"), product_select) : nullptr;
    create_commands();
    create_layout();
    setup_grid();
    if (m_set) {
        connect(m_set, &TMemTable::current_changed, this, &TfPro::product_changed);
        connect(m_set, &TMemTable::row_changed, this, &TfPro::show_product);
        connect(m_set, &TMemTable::layout_changed, this, &TfPro::product_changed);
        if (record_id != 0)
            dbAPI->locate_recid(record_id, m_set);
    }
    localize_component(this);
    install_help_key(this);
    product_changed();
    window_host().post_command(MainCommand::RefreshOpenWindows);
}

TfPro::~TfPro()
{
    m_grid->set_table(nullptr);
    m_price_grid->set_table(nullptr);
    if (dbAPI) {
        if (m_prices)
            dbAPI->free_set(m_prices);
        if (m_set)
            dbAPI->free_set(m_set);
    }
    window_host().post_command(MainCommand::RefreshOpenWindows);
    window_host().set_status_hint({});
}

void TfPro::create_commands()
{
    auto add = [this](const char *name, const QString &text, int image, void (TfPro::*slot)()) {
        auto *action = new QAction(ImageList16::icon(image), text, this);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
        return action;
    };
    add("actAddPro", QStringLiteral("Přidat nový produkt"), ImageList16::plus, &TfPro::add_product);
    add("actEditPro", QStringLiteral("Oprava produktu"), ImageList16::pencil, &TfPro::edit_product_row);
    add("actDeletePro", QStringLiteral("Vymazat tento produkt"), ImageList16::cross,
        &TfPro::delete_product_row);
    add("actAddPrice", QStringLiteral("přidat cenu v cizí měně"), ImageList16::plus, &TfPro::add_price);
    add("actEditPrice", QStringLiteral("opravit cenu v cizí měně"), ImageList16::pencil,
        &TfPro::edit_price);
    add("actDeletePrice", QStringLiteral("vymazat cenu v cizí měně"), ImageList16::cross,
        &TfPro::delete_price);
    add("actPrintItem", QStringLiteral("Tisk vybraného záznamu"), ImageList16::printer,
        &TfPro::print_item);
    add("actRefresh", QStringLiteral("Obnovit, znovu načíst."), image_refresh,
        &TfPro::refresh_window);
    add("actRefreshPrices", QStringLiteral("Obnovit, znovu načíst ceník v cizích měnách."),
        image_refresh, &TfPro::reload_prices);
    auto *catalogue = new QAction(QStringLiteral("Seznam produktů, nabídkový katalog"), this);
    catalogue->setObjectName(QStringLiteral("actPrintCatalogue"));
    connect(catalogue, &QAction::triggered, this, print_catalogue);
    auto *sales = new QAction(QStringLiteral("Prodeje produktů"), this);
    sales->setObjectName(QStringLiteral("actPrintSales"));
    connect(sales, &QAction::triggered, this, print_sales);
    auto *help = new QAction(ImageList16::icon(ImageList16::help), QStringLiteral("Nápověda"), this);
    help->setObjectName(QStringLiteral("actHelp"));
    connect(help, &QAction::triggered, this, [this] { show_help(this); });

    m_print_menu = new QMenu(this);
    m_print_menu->setObjectName(QStringLiteral("popPrint"));
    m_print_menu->addAction(catalogue);
    m_print_menu->addAction(sales);
    m_print_menu->addSeparator();
    m_print_menu->addAction(command("actPrintItem"));

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("popPro"));
    m_menu->addAction(command("actAddPro"));
    m_menu->addAction(command("actEditPro"));
    m_menu->addAction(command("actDeletePro"));
    m_menu->addSeparator();
    m_menu->addAction(command("actPrintItem"));
    m_menu->addSeparator();
    m_menu->addAction(catalogue);
    m_menu->addAction(sales);
}

QAction *TfPro::command(const char *name) const
{
    return findChild<QAction *>(QLatin1String(name));
}

void TfPro::create_layout()
{
    auto *tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("tbPro"));
    tools->setIconSize(QSize(16, 16));
    tools->addAction(command("actAddPro"));
    tools->addAction(command("actEditPro"));
    tools->addAction(command("actDeletePro"));
    tools->addSeparator();
    m_print_button = new QToolButton(tools);
    m_print_button->setObjectName(QStringLiteral("btnPrint"));
    m_print_button->setIcon(ImageList16::icon(ImageList16::printer));
    m_print_button->setToolTip(QStringLiteral("Tisky"));
    m_print_button->setMenu(m_print_menu);
    m_print_button->setPopupMode(QToolButton::InstantPopup);
    tools->addWidget(m_print_button);
    tools->addAction(command("actRefresh"));
    auto *spacer = new QWidget(tools);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    tools->addWidget(spacer);
    tools->addAction(findChild<QAction *>(QStringLiteral("actHelp")));

    auto *list = new QWidget(this);
    m_grid = new TDBGrid(list);
    m_grid->setObjectName(QStringLiteral("ds"));
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->installEventFilter(this);
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_menu->popup(m_grid->viewport()->mapToGlobal(at)); });
    connect(m_grid, &TDBGrid::enter_pressed, this,
            [this] { run_if_enabled(command("actEditPro")); });
    connect(m_grid, &TDBGrid::record_double_clicked, this,
            [this] { run_if_enabled(command("actEditPro")); });
    m_search = new Tfr_search(list);
    auto *list_layout = new QVBoxLayout(list);
    list_layout->setContentsMargins(0, 0, 0, 0);
    list_layout->setSpacing(0);
    list_layout->addWidget(m_grid, 1);
    list_layout->addWidget(m_search);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pcPro"));
    m_pages->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: %1px; }").arg(tab_width));
    m_pages->addTab(create_basic_page(), QStringLiteral("Základní údaje"));
    m_pages->addTab(create_more_page(), QStringLiteral("Další informace"));
    connect(m_pages, &QTabWidget::currentChanged, this, &TfPro::page_changed);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(list);
    split->addWidget(m_pages);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(split, 1);
}

QWidget *TfPro::create_basic_page()
{
    auto *page = new QWidget(this);
    m_number = value_label("lbProNo", page);
    m_name = value_label("lbProName", page);
    QFont large = m_name->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.5);
    m_name->setFont(large);
    m_unit = value_label("lbUnit", page);
    m_group = value_label("lbGroup", page);
    m_cost = value_label("lbCost", page);
    m_cost->setFont(large);
    m_cost->setStyleSheet(QStringLiteral("color: #c00000;"));
    m_note = new QPlainTextEdit(page);
    m_note->setObjectName(QStringLiteral("mmNote"));
    m_note->setReadOnly(true);

    auto *grid = new QGridLayout(page);
    grid->setColumnStretch(1, 1);
    grid->addWidget(caption_label(QStringLiteral("kód produktu:"), page), 0, 0);
    grid->addWidget(m_number, 0, 1);
    grid->addWidget(m_name, 1, 0, 1, 2);
    grid->addWidget(caption_label(field_caption(m_set, "UNITV"), page), 2, 0);
    grid->addWidget(m_unit, 2, 1);
    grid->addWidget(caption_label(field_caption(m_set, "GRP_NAME"), page), 3, 0);
    grid->addWidget(m_group, 3, 1);
    grid->addWidget(m_cost, 4, 0, 1, 2);
    grid->addWidget(caption_label(field_caption(m_set, "PRO_NOTE"), page), 5, 0);
    grid->addWidget(m_note, 5, 1);
    grid->setRowStretch(5, 1);
    return page;
}

QWidget *TfPro::create_more_page()
{
    auto *page = new QWidget(this);
    m_picture = new Tfr_picture(QStringLiteral("Opravdu  vymazat fotografii produktu?"), page);
    m_more_name = value_label("lbMoreName", page);
    QFont bold = m_more_name->font();
    bold.setBold(true);
    m_more_name->setFont(bold);

    m_price_box = new QGroupBox(QStringLiteral("Ceny v cizích měnách"), page);
    m_price_box->setObjectName(QStringLiteral("gbPrices"));
    m_price_grid = new TDBGrid(m_price_box);
    m_price_grid->setObjectName(QStringLiteral("gridPrices"));
    m_price_grid->horizontalHeader()->hide();
    m_price_grid->set_title_click({});
    m_price_grid->installEventFilter(this);
    connect(m_price_grid, &TDBGrid::enter_pressed, this,
            [this] { run_if_enabled(command("actEditPrice")); });
    connect(m_price_grid, &TDBGrid::record_double_clicked, this,
            [this] { run_if_enabled(command("actEditPrice")); });
    auto *price_buttons = new QHBoxLayout;
    for (const char *name : {"actAddPrice", "actEditPrice", "actDeletePrice"}) {
        auto *button = new QToolButton(m_price_box);
        button->setDefaultAction(command(name));
        button->setAutoRaise(true);
        price_buttons->addWidget(button);
    }
    price_buttons->addStretch(1);
    auto *price_layout = new QVBoxLayout(m_price_box);
    price_layout->addLayout(price_buttons);
    price_layout->addWidget(m_price_grid, 1);
    m_price_box->setVisible(dbAPI && dbAPI->foreign_currency);

    auto *page_buttons = new QHBoxLayout;
    for (const char *name : {"actPrintItem", "actRefreshPrices"}) {
        auto *button = new QToolButton(page);
        button->setDefaultAction(command(name));
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        page_buttons->addWidget(button);
    }
    page_buttons->addStretch(1);

    auto *right = new QVBoxLayout;
    right->addWidget(m_more_name);
    right->addWidget(m_price_box, 1);
    right->addStretch(0);
    auto *columns = new QHBoxLayout;
    columns->addWidget(m_picture);
    columns->addLayout(right, 1);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(page_buttons);
    layout->addLayout(columns, 1);
    return page;
}

void TfPro::setup_grid()
{
    if (m_set) {
        m_set->field_by_name(QStringLiteral("PRO_NOTE")).visible = false;
        TField &cost = m_set->field_by_name(QStringLiteral("COST"));
        cost.display_label = QStringLiteral("konečná cena");
        cost.display_format = price_format;
        cost.alignment = Qt::AlignRight | Qt::AlignVCenter;
    }
    m_grid->set_table(m_set);
    for (int column = 0; column < m_grid->horizontalHeader()->count(); ++column)
        if (m_grid->columnWidth(column) > widest_column)
            m_grid->setColumnWidth(column, widest_column);
    m_search->attach_grid(m_grid);
    m_search->set_search_column(QStringLiteral("PRO_NAME"));
}

void TfPro::show_product()
{
    const bool any = m_set && !m_set->is_empty();
    auto text = [this, any](const char *field) {
        return any ? m_set->field_by_name(QLatin1String(field)).as_string() : QString();
    };
    m_number->setText(text("PRO_NO"));
    m_name->setText(text("PRO_NAME"));
    m_more_name->setText(text("PRO_NAME"));
    m_unit->setText(text("UNITV"));
    m_group->setText(text("GRP_NAME"));
    const double cost = any ? m_set->field_by_name(QStringLiteral("COST")).as_float() : 0.0;
    m_cost->setText(QStringLiteral("Konečná cena: ") + format_number(cost, price_format) +
                    QStringLiteral(" Kč"));
    m_note->setPlainText(text("PRO_NOTE"));
    update_commands();
}

void TfPro::product_changed()
{
    show_product();
    const int product = dbAPI ? dbAPI->current_recid(m_set) : 0;
    m_picture->set_owner(product, m_name->text());
    if (m_pages->currentIndex() != MorePage) {
        empty_prices();
        return;
    }
    m_picture->load();
    // Typing a search goes on in the search field.
    if (m_price_grid->isVisibleTo(this) && m_price_grid->isEnabled() &&
        !m_search->has_search_focus())
        m_price_grid->setFocus();
    reload_prices();
}

void TfPro::page_changed(int page)
{
    if (page == MorePage)
        m_picture->load();
    update_commands();
}

void TfPro::reload_prices()
{
    empty_prices();
    const int product = dbAPI ? dbAPI->current_recid(m_set) : 0;
    if (product == 0)
        return;
    m_prices =
        dbAPI->select_sql(QStringLiteral("PRO_CURR"),
                          QStringLiteral("SELECT * FROM PRO_CURR WHERE PRO_ID=%1").arg(product));
    m_prices_product = m_prices ? product : 0;
    m_price_grid->set_table(m_prices, {QStringLiteral("COST"), QStringLiteral("CURR_NAME")});
    if (m_prices) {
        TField &cost = m_prices->field_by_name(QStringLiteral("COST"));
        cost.display_format = price_format;
        connect(m_prices, &TMemTable::layout_changed, this, &TfPro::update_commands);
        connect(m_prices, &TMemTable::state_changed, this, &TfPro::update_commands);
    }
    update_commands();
}

void TfPro::empty_prices()
{
    m_price_grid->set_table(nullptr);
    if (m_prices && dbAPI)
        dbAPI->free_set(m_prices);
    m_prices = nullptr;
    m_prices_product = 0;
    update_commands();
}

void TfPro::add_product()
{
    const int row = m_set->row_number();
    const bool first = m_set->is_empty();
    const int id = edit_product(0, m_set);
    if (id != 0)
        dbAPI->refresh_record(id, QStringLiteral("VIEW_PRO"), m_set);
    else
        m_set->set_row_number(row);
    // The grid's first row gets the first column as its current cell; the search stays
    // on the names.
    if (first && id != 0)
        m_search->set_search_column(QStringLiteral("PRO_NAME"));
    product_changed();
    m_grid->setFocus();
}

void TfPro::edit_product_row()
{
    const int id = edit_product(1, m_set);
    if (id != 0)
        dbAPI->refresh_record(id, QStringLiteral("VIEW_PRO"), m_set);
    show_product();
    m_grid->setFocus();
}

void TfPro::delete_product_row()
{
    delete_product(m_set);
    m_grid->setFocus();
}

// A price is added to the current product's own prices, read first if the set shows none
// of them, so that no currency can be offered twice.
void TfPro::add_price()
{
    if (m_prices_product == 0 || m_prices_product != dbAPI->current_recid(m_set))
        reload_prices();
    if (edit_foreign_price(m_set, m_prices, TfmPriceEdit::Add))
        m_price_grid->setFocus();
    update_commands();
}

void TfPro::edit_price()
{
    edit_foreign_price(m_set, m_prices, TfmPriceEdit::Edit);
    m_price_grid->setFocus();
    update_commands();
}

void TfPro::delete_price()
{
    delete_foreign_price(m_prices);
    m_price_grid->setFocus();
    update_commands();
}

void TfPro::print_item()
{
    if (const auto &print = shell_services().print_catalogue_item)
        print(dbAPI->current_recid(m_set));
}

void TfPro::refresh_window()
{
    const int product = dbAPI ? dbAPI->current_recid(m_set) : 0;
    close_window();
    window_host().post_command(MainCommand::ReopenProducts, product);
}

void TfPro::close_window()
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

void TfPro::update_commands()
{
    if (!m_pages)
        return;
    const bool products = m_set && !m_set->is_empty();
    const bool foreign = dbAPI && dbAPI->foreign_currency;
    const bool prices = foreign && m_prices && !m_prices->is_empty();
    for (const char *name : {"actEditPro", "actDeletePro", "actPrintCatalogue", "actPrintSales"})
        command(name)->setEnabled(products);
    command("actPrintItem")->setEnabled(products && shell_services().print_catalogue_item);
    m_print_button->setEnabled(products);
    command("actAddPro")->setEnabled(m_set != nullptr);
    command("actAddPrice")->setEnabled(foreign && products);
    command("actEditPrice")->setEnabled(prices);
    command("actDeletePrice")->setEnabled(prices);
    command("actRefreshPrices")->setEnabled(products);
}

void TfPro::window_activated()
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->showMaximized();
    window_host().set_status_hint(status_text);
}

bool TfPro::command_key(int key, bool in_price_grid)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        run_if_enabled(command(in_price_grid ? "actEditPrice" : "actEditPro"));
        return true;
    case Qt::Key_Insert:
        run_if_enabled(command(in_price_grid ? "actAddPrice" : "actAddPro"));
        return true;
    case Qt::Key_Delete:
        run_if_enabled(command(in_price_grid ? "actDeletePrice" : "actDeletePro"));
        return true;
    case Qt::Key_Space:
        if (m_pages->currentIndex() == MorePage)
            run_if_enabled(command("actPrintItem"));
        else if (m_print_button->isEnabled())
            m_print_button->showMenu();
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
bool TfPro::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_grid || watched == m_price_grid) && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool plain = is_plain_key(*key);
        if (plain && key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter &&
            command_key(key->key(), watched == m_price_grid))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Keys typed into the search field are the search's own.
void TfPro::keyPressEvent(QKeyEvent *event)
{
    const bool plain = is_plain_key(*event);
    if (!m_search->has_search_focus() && plain &&
        command_key(event->key(), m_price_grid->hasFocus()))
        return;
    QWidget::keyPressEvent(event);
}
