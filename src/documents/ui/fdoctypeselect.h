#pragma once
// The choice before a new invoice of a firm that also invoices abroad: a domestic invoice in
// "Kč" or a foreign one in a currency of the rate list.  A firm that invoices only at home
// is never asked.

#include <QDialog>

class QButtonGroup;
class QPushButton;
class TValuesComboBox;

class Tfm_doctypeselect : public QDialog {
    Q_OBJECT

public:
    // `preset` below 0 offers every kind of the type and "Kč" first among the currencies; 0
    // or more allows only the kind with that index and offers no "Kč".
    Tfm_doctypeselect(int type, int preset, QWidget *parent = nullptr);

    QButtonGroup *kinds() const { return m_kinds; }
    TValuesComboBox *currency_list() const { return m_currencies; }
    QPushButton *ok_button() const { return m_ok; }
    // 0 for "Kč", else the RECID of the rate-list row; -1 when no entry is selected.
    int chosen_value() const;

private:
    void kind_chosen(int kind);
    void update_ok();

    QButtonGroup *m_kinds = nullptr;
    TValuesComboBox *m_currencies = nullptr;
    QPushButton *m_ok = nullptr;
    bool m_home_offered = false;
};

// The dialog's caption for the type: "NOVÁ faktura vydaná - vyberte typ".
QString doctypeselect_caption(int type);

// 0 for the home currency, a CURR_LIST RECID for a foreign invoice, -1 when the user
// cancelled.  Without foreign currencies 0 at once, without a dialog.
int choose_new_document(int type, int preset);
