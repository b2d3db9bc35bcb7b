#include "masterdata/ui/fpriceedit.h"

#include "calc/ui/user_calc_history.h"
#include "data/db_api.h"
#include "data/memtable.h"
#include "data/messages.h"
#include "widgets/dbnumber_edit.h"
#include "widgets/help.h"
#include "widgets/owner_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

const QString status_keys = QStringLiteral("|OK - vložit cenu v cizí měně, Storno - zpět.");
const int help_editor = 2022;
const int help_all_priced = 9008;

} // namespace

TfmPriceEdit::TfmPriceEdit(int mode, TMemTable *products, TMemTable *prices,
                           std::vector<CurrencyChoice> currencies, QWidget *parent)
    : TRecordEditor(mode, prices, parent), m_products(products),
      m_currencies(std::move(currencies))
{
    set_status_keys(status_keys);
    setObjectName(QStringLiteral("fmPriceEdit"));
    setWindowTitle(mode == Add ? QStringLiteral("Nová cena v cizí měně.")
                               : QStringLiteral("Změna ceny v cizí měně."));
    set_help_topic(this, help_editor);
    if (mode == Add)
        set().field_by_name(QStringLiteral("PRO_ID"))
            .set_as_integer(dbAPI->current_recid(m_products));
    create_controls();
    if (mode == Add)
        currency_chosen(0);
}

void TfmPriceEdit::create_controls()
{
    m_product = new QLabel(m_products->field_by_name(QStringLiteral("PRO_NAME")).as_string(), this);
    m_product->setObjectName(QStringLiteral("lbProName"));
    QFont bold = m_product->font();
    bold.setBold(true);
    m_product->setFont(bold);

    m_price = new TDBNumberEdit(this);
    m_price->setObjectName(QStringLiteral("RxDBCalcEdit"));
    m_price->bind(&set(), QStringLiteral("COST"));
    m_price->set_display_format(QStringLiteral(",0.00"));
    m_price->setFixedWidth(128);
    attach_calculator(m_price);
    auto *price_label = new QLabel(QStringLiteral("Cena:"), this);
    price_label->setBuddy(m_price);

    m_currency = new QComboBox(this);
    m_currency->setObjectName(QStringLiteral("cbCurrency"));
    m_currency->setMinimumWidth(220);
    for (const CurrencyChoice &choice : m_currencies)
        m_currency->addItem(choice.caption(), choice.name);
    connect(m_currency, &QComboBox::currentIndexChanged, this, &TfmPriceEdit::currency_chosen);
    m_currency_label = new QLabel(QStringLiteral("Měna:"), this);
    m_currency_label->setBuddy(m_currency);
    m_currency->setVisible(mode() == Add);
    m_currency_label->setVisible(mode() == Add);

    auto *fields = new QGridLayout;
    fields->addWidget(m_product, 0, 0, 1, 2);
    fields->addWidget(price_label, 1, 0);
    fields->addWidget(m_price, 1, 1, Qt::AlignLeft);
    fields->addWidget(m_currency_label, 2, 0);
    fields->addWidget(m_currency, 2, 1, Qt::AlignLeft);

    set_first_control(m_price);
    finish_layout(fields);
}

void TfmPriceEdit::currency_chosen(int index)
{
    if (index < 0 || index >= int(m_currencies.size()))
        return;
    const CurrencyChoice &choice = m_currencies[size_t(index)];
    set().field_by_name(QStringLiteral("CURR_NAME")).set_as_string(choice.name);
    const double cost = m_products->field_by_name(QStringLiteral("COST")).as_float();
    set().field_by_name(QStringLiteral("COST"))
        .set_as_float(proposed_foreign_price(cost, choice.rate, choice.amount));
    m_price->refresh();
}

void TfmPriceEdit::showEvent(QShowEvent *event)
{
    TRecordEditor::showEvent(event);
    m_price->selectAll();
}

int TfmPriceEdit::store(int recid)
{
    ForeignPrice price;
    price.recid = recid;
    price.product = set().field_by_name(QStringLiteral("PRO_ID")).as_integer();
    price.cost = set().field_by_name(QStringLiteral("COST")).as_float();
    price.currency = set().field_by_name(QStringLiteral("CURR_NAME")).as_string();
    return save_foreign_price(*dbAPI, price);
}

bool edit_foreign_price(TMemTable *products, TMemTable *prices, int mode)
{
    if (!dbAPI || !products || products->is_empty() || !prices || !prices->active() ||
        (mode == TfmPriceEdit::Edit && prices->is_empty()))
        return false;
    std::vector<CurrencyChoice> currencies;
    if (mode == TfmPriceEdit::Add) {
        ScopedSet list =
            dbAPI->select_scoped(QStringLiteral("X"), QStringLiteral("SELECT * FROM CURR_LIST"));
        if (!list)
            return false;
        currencies = unpriced_currencies(*list.get(), priced_currencies(*prices));
        if (currencies.empty()) {
            show_message(QStringLiteral("Ceny v cizích měnách"),
                         QStringLiteral("Tento produkt je již oceněn ve všech měnách v "
                                        "kurzovním lístku."),
                         mbIconInformation, false, help_all_priced);
            return false;
        }
    }
    TfmPriceEdit editor(mode, products, prices, std::move(currencies), owner_window());
    return editor.exec() == QDialog::Accepted;
}
