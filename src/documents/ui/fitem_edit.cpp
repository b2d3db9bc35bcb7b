#include "documents/ui/fitem_edit.h"

#include "calc/ui/user_calc_history.h"
#include "data/db_api.h"
#include "data/memtable.h"
#include "documents/doc_currency.h"
#include "documents/doc_totals.h"
#include "masterdata/ui/fproedit.h"
#include "masterdata/ui/fselector.h"
#include "widgets/appearance.h"
#include "widgets/dbedit.h"
#include "widgets/dbnumber_edit.h"
#include "widgets/dialog_parts.h"
#include "widgets/enter_as_tab.h"
#include "widgets/help.h"
#include "widgets/image_list16.h"
#include "widgets/label_helpers.h"
#include "widgets/localize.h"
#include "widgets/open_record_set.h"
#include "widgets/window_host.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const int help_item = 3063;
const QString status_keys = QStringLiteral("|OK - vložit položku, Storno - zpět.");
const QString amount_format = QStringLiteral("## ### ##0.00");
const QString product_select =
    QStringLiteral("SELECT RECID, PRO_NO, PRO_NAME, COST, GRP_NAME FROM VIEW_PRO ORDER BY PRO_NO");
const int input_width = 160;
const int text_width = 360;

void set_font_style(QWidget *widget, bool bold, bool italic = false)
{
    QFont font = widget->font();
    font.setBold(bold);
    font.setItalic(italic);
    widget->setFont(font);
}

void set_text_color(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

// The product editor on the products window's set when that window is open, else on a
// scratch set of its own.
int new_product()
{
    if (TMemTable *open = open_record_set(QStringLiteral("PRO")))
        return edit_product(0, open);
    ScopedSet scratch = dbAPI->select_scoped(QStringLiteral("VIEW_PRO"),
                                             QStringLiteral("SELECT * FROM VIEW_PRO ORDER BY PRO_NO"));
    return scratch ? edit_product(0, scratch.get()) : 0;
}

} // namespace

TfmItemEdit::TfmItemEdit(TMemTable *items, const QString &currency, QWidget *parent)
    : QDialog(parent, fixed_dialog_flags), m_items(*items), m_currency(currency)
{
    setObjectName(QStringLiteral("fmItemEdit"));
    setWindowTitle(m_items.state() == TMemTable::State::Insert ? QStringLiteral("Nová položka.")
                                                               : QStringLiteral("Oprava položky."));
    set_help_topic(this, help_item);
    m_items.field_by_name(QStringLiteral("CURR_NAME")).set_as_string(m_currency);
    create_controls();
    show_product();
    update_enabling();
    // However a value arrives (typed, a calculator, a product picked), the line amount
    // follows.
    const int amount = m_items.field_by_name(QStringLiteral("AMOUNT")).index();
    const int price = m_items.field_by_name(QStringLiteral("COST_PER_UNIT")).index();
    const int discount = m_items.field_by_name(QStringLiteral("DISCOUNT")).index();
    connect(&m_items, &TMemTable::field_changed, this, [=, this](int column) {
        if (column == amount || column == price || column == discount)
            amounts_changed();
    });
}

void TfmItemEdit::create_controls()
{
    m_product = new QLineEdit(this);
    m_product->setObjectName(QStringLiteral("PRO_ID"));
    m_product->setReadOnly(true);
    m_product->setPlaceholderText(QStringLiteral("Vyberte produkt"));
    m_product->setToolTip(QStringLiteral("Vyberte produkt"));
    m_product->setMinimumWidth(text_width - 28);
    set_font_style(m_product, true);
    m_product->installEventFilter(this);
    m_product_list = m_product->addAction(style()->standardIcon(QStyle::SP_ArrowDown),
                                          QLineEdit::TrailingPosition);
    m_product_list->setObjectName(QStringLiteral("actProductList"));
    m_product_list->setToolTip(QStringLiteral("Vyberte produkt"));
    connect(m_product_list, &QAction::triggered, this, &TfmItemEdit::choose_product);
    m_new_product = new QToolButton(this);
    m_new_product->setObjectName(QStringLiteral("btnNewProduct"));
    m_new_product->setIcon(ImageList16::icon(ImageList16::plus));
    m_new_product->setToolTip(QStringLiteral("nový produkt"));
    connect(m_new_product, &QToolButton::clicked, this, &TfmItemEdit::add_product);

    auto number = [this](const char *name, const char *field, const QString &format) {
        auto *edit = new TDBNumberEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->bind(&m_items, QLatin1String(field));
        edit->set_display_format(format);
        edit->setFixedWidth(input_width);
        return edit;
    };
    m_amount = number("AMOUNT", "AMOUNT", amount_format);
    set_font_style(m_amount, true);
    m_price = number("RxDBCalcEdit4", "COST_PER_UNIT", amount_format + QLatin1Char(' ') + m_currency);
    set_text_color(m_price, Qt::red);
    attach_calculator(m_price);
    m_discount = number("DISCOUNT", "DISCOUNT", QStringLiteral(",0.00%"));
    m_text = new TDBEdit(this);
    m_text->setObjectName(QStringLiteral("invoice_item_text"));
    m_text->bind(&m_items, QStringLiteral("ITEM_TEXT"));
    m_text->setFixedWidth(text_width);
    m_text_history = attach_text_history(m_text);
    m_cost = number("COST", "COST", amount_format + QLatin1Char(' ') + m_currency);
    m_cost->setReadOnly(true);
    m_cost->setFocusPolicy(Qt::NoFocus);
    set_font_style(m_cost, true);
    set_text_color(m_cost, Qt::red);

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(6);
    int row = 0;
    auto add_row = [&](QWidget *control, QWidget *after = nullptr) {
        auto *label = new QLabel(this);
        label->setBuddy(control);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        fields->addWidget(label, row, 0);
        auto *line = new QHBoxLayout;
        line->setSpacing(4);
        line->addWidget(control);
        if (after)
            line->addWidget(after);
        line->addStretch(1);
        fields->addLayout(line, row, 1);
        ++row;
        return label;
    };
    QLabel *product_label = add_row(m_product, m_new_product);
    product_label->setText(m_items.field_by_name(QStringLiteral("PRO_NAME")).display_label +
                           QLatin1Char(':'));
    set_font_style(product_label, true);
    for (TDBEdit *control : {static_cast<TDBEdit *>(m_amount), static_cast<TDBEdit *>(m_price),
                             static_cast<TDBEdit *>(m_discount), m_text,
                             static_cast<TDBEdit *>(m_cost)}) {
        QLabel *label = add_row(control);
        label_with_colon(*label, *control);
        if (control == m_discount)
            set_font_style(label, false, true);
    }

    auto *help = command_button(QStringLiteral("Nápověda"), QStringLiteral("btnHelp"), this);
    m_ok = command_button(QStringLiteral("OK"), QStringLiteral("btnOk"), this);
    auto *cancel = command_button(QStringLiteral("Storno"), QStringLiteral("btnCancel"), this);
    m_ok->setDefault(true);
    connect(help, &QPushButton::clicked, this, [this] { show_help(this); });
    connect(m_ok, &QPushButton::clicked, this, &TfmItemEdit::accept);
    connect(cancel, &QPushButton::clicked, this, &TfmItemEdit::reject);
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
    apply_dialog_color(*this);
    install_help_key(this);
    enter_as_tab(*this);
}

bool TfmItemEdit::run()
{
    const QString caption = windowTitle();
    window_host().editor_opened(caption);
    const bool confirmed = exec() == QDialog::Accepted;
    window_host().editor_closed(caption);
    return confirmed;
}

void TfmItemEdit::window_activated()
{
    window_host().set_status_hint(windowTitle() + status_keys);
}

// The product's number and name, also written into the row so that the document's item
// grid shows them.
void TfmItemEdit::show_product()
{
    const int id = m_items.field_by_name(QStringLiteral("PRO_ID")).as_integer();
    QString text;
    if (id != 0 && dbAPI) {
        ScopedSet product = dbAPI->select_scoped(
            QStringLiteral("X"), QStringLiteral("SELECT RECID, PRO_NO, PRO_NAME FROM PRO WHERE RECID=") +
                                     QString::number(id));
        if (product && !product->is_empty()) {
            const QString number = product->field(1).as_string();
            const QString name = product->field(2).as_string();
            text = number + QStringLiteral(" - ") + name;
            m_items.field_by_name(QStringLiteral("PRO_NO")).set_value(product->field(1).value());
            m_items.field_by_name(QStringLiteral("PRO_NAME")).set_as_string(name);
        }
    }
    m_product->setText(text);
    const QString unit = m_items.field_by_name(QStringLiteral("UNITV")).as_string();
    m_amount->set_display_format(unit.isEmpty() ? amount_format
                                                : amount_format + QLatin1Char(' ') + unit);
}

void TfmItemEdit::choose_product()
{
    const int current = m_items.field_by_name(QStringLiteral("PRO_ID")).as_integer();
    const int id = select_row(m_product, help_item, current, {}, 0, m_product->width(),
                              QStringLiteral("Vyberte produkt adresu z tohoto seznamu."),
                              product_select, QStringLiteral("VIEW_PRO"));
    if (id != 0)
        pick_product(id);
}

void TfmItemEdit::add_product()
{
    if (const int id = new_product(); id != 0)
        pick_product(id);
}

void TfmItemEdit::pick_product(int product_id)
{
    ScopedSet product = dbAPI->select_scoped(
        QStringLiteral("X"), QStringLiteral("SELECT * FROM PRO WHERE RECID=") +
                                 QString::number(product_id));
    if (!product || product->is_empty())
        return;
    m_items.field_by_name(QStringLiteral("PRO_ID")).set_as_integer(product_id);
    m_items.field_by_name(QStringLiteral("UNITV"))
        .set_as_string(product->field_by_name(QStringLiteral("UNITV")).as_string());
    m_items.field_by_name(QStringLiteral("COST_PER_UNIT"))
        .set_as_float(price_in_currency(*dbAPI, product_id,
                                        product->field_by_name(QStringLiteral("COST")).as_float(),
                                        m_currency));
    m_items.field_by_name(QStringLiteral("AMOUNT")).set_as_float(1.0);
    show_product();
    update_enabling();
}

void TfmItemEdit::amounts_changed()
{
    auto value = [this](const char *field) {
        return m_items.field_by_name(QLatin1String(field)).as_float();
    };
    m_items.field_by_name(QStringLiteral("COST"))
        .set_as_float(item_cost(value("AMOUNT"), value("COST_PER_UNIT"), value("DISCOUNT")));
    update_enabling();
}

void TfmItemEdit::update_enabling()
{
    const bool chosen = !m_product->text().trimmed().isEmpty();
    for (QWidget *input : {static_cast<QWidget *>(m_amount), static_cast<QWidget *>(m_price),
                           static_cast<QWidget *>(m_discount), static_cast<QWidget *>(m_text)})
        input->setEnabled(chosen);
    m_ok->setEnabled(chosen &&
                     m_items.field_by_name(QStringLiteral("AMOUNT")).as_float() > 0.0);
}

void TfmItemEdit::accept()
{
    if (!m_ok->isEnabled())
        return;
    m_text_history->store_history();
    // The item stands whatever becomes of the remembered price; a refusal has been shown.
    remember_price_in_currency(*dbAPI, m_items.field_by_name(QStringLiteral("PRO_ID")).as_integer(),
                               m_items.field_by_name(QStringLiteral("COST_PER_UNIT")).as_float(),
                               m_currency);
    QDialog::accept();
}

bool TfmItemEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_product) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            choose_product();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if ((key->key() == Qt::Key_PageDown || key->key() == Qt::Key_Down) &&
                key->modifiers() == Qt::NoModifier) {
                choose_product();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
