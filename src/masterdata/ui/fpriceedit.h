#pragma once
// The foreign-price editor: the price of a product in one currency of the rate list.  A
// new price offers only the currencies the product has no price in yet and proposes the
// product's Kč price at the currency's rate; the user may overwrite it.  A corrected price
// keeps its currency.

#include "masterdata/foreign_prices.h"
#include "widgets/record_editor.h"

#include <vector>

class QComboBox;
class QLabel;
class TDBNumberEdit;
class TMemTable;

class TfmPriceEdit : public TRecordEditor {
    Q_OBJECT

public:
    // In mode 0 `currencies` are those offered, the first chosen; the price set gets a new
    // row.  Mode 1 edits the price set's current row.
    TfmPriceEdit(int mode, TMemTable *products, TMemTable *prices,
                 std::vector<CurrencyChoice> currencies, QWidget *parent = nullptr);

    QLabel *product_label() const { return m_product; }
    TDBNumberEdit *price_edit() const { return m_price; }
    QComboBox *currency_combo() const { return m_currency; }

protected:
    bool complete() const override { return true; }
    int store(int recid) override;
    // The proposal is selected, so that a price typed replaces it.
    void showEvent(QShowEvent *event) override;

private:
    void create_controls();
    void currency_chosen(int index);

    TMemTable *m_products;
    std::vector<CurrencyChoice> m_currencies;
    QLabel *m_product = nullptr;
    TDBNumberEdit *m_price = nullptr;
    QLabel *m_currency_label = nullptr;
    QComboBox *m_currency = nullptr;
};

// Adds (mode 0) or corrects (mode 1) a price of the product set's current product in its
// PRO_CURR set; true when a price was saved.  A product priced in every listed currency
// is told so and no editor opens.
bool edit_foreign_price(TMemTable *products, TMemTable *prices, int mode);
