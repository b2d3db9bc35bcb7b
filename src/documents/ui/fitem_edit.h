#pragma once
// The item editor: one item of an issued invoice, the product picked from the catalogue
// and priced in the document's currency, the quantity, unit price, discount and text, and
// the line amount they give.  It edits the current row of the document editor's item set
// (being appended or edited); the caller posts the row when the user confirmed and cancels
// it otherwise.  A confirmed unit price in a foreign currency becomes the product's price
// in that currency.

#include "widgets/shell_window.h"

#include <QDialog>
#include <QString>

class QAction;
class QLineEdit;
class QPushButton;
class QToolButton;
class TDBEdit;
class TDBNumberEdit;
class TMemTable;
class TUserCalcHistory;

class TfmItemEdit : public QDialog, public ShellWindow {
    Q_OBJECT

public:
    TfmItemEdit(TMemTable *items, const QString &currency, QWidget *parent = nullptr);

    // Shows the editor modally; true when the user confirmed the item.
    bool run();
    void window_activated() override;

    QLineEdit *product_edit() const { return m_product; }
    QAction *product_list() const { return m_product_list; }
    QToolButton *new_product_button() const { return m_new_product; }
    TDBNumberEdit *amount_edit() const { return m_amount; }
    TDBNumberEdit *price_edit() const { return m_price; }
    TDBNumberEdit *discount_edit() const { return m_discount; }
    TDBEdit *text_edit() const { return m_text; }
    TDBNumberEdit *cost_edit() const { return m_cost; }
    QPushButton *ok_button() const { return m_ok; }

    // The product with the RECID becomes the item's: its unit, its price in the document's
    // currency and the quantity 1.
    void pick_product(int product_id);

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void create_controls();
    void choose_product();
    void add_product();
    void show_product();
    void amounts_changed();
    void update_enabling();

    TMemTable &m_items;
    QString m_currency;
    QLineEdit *m_product = nullptr;
    QAction *m_product_list = nullptr;
    QToolButton *m_new_product = nullptr;
    TDBNumberEdit *m_amount = nullptr;
    TDBNumberEdit *m_price = nullptr;
    TDBNumberEdit *m_discount = nullptr;
    TDBEdit *m_text = nullptr;
    TDBNumberEdit *m_cost = nullptr;
    QPushButton *m_ok = nullptr;
    TUserCalcHistory *m_text_history = nullptr;
};
