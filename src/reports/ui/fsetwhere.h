#pragma once
// The parameter dialog of the list reports and the graphs: one panel per kind of list (the
// accounting year, documents of a type or of a partner, the product catalogue and sales, the
// partner list, cash vouchers), whose OK leaves the report's condition, filter and order in
// report_where, report_filter and report_order.  Creating it empties the three, so a
// cancelled dialog leaves nothing behind from an earlier one.

#include "reports/report_parameters.h"

#include <QDialog>
#include <QVector>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class ReportPicker;
class TDateEdit;

class TfSetWhere : public QDialog {
    Q_OBJECT

public:
    static constexpr int panel_height = 250;

    TfSetWhere(ReportMode mode, int doc_type, QWidget *parent = nullptr);
    ~TfSetWhere() override;

    ReportMode mode() const { return m_mode; }
    ReportChoices choices() const;

    QWidget *Panel = nullptr;
    QWidget *PanelDocs = nullptr;
    QWidget *PanelCat = nullptr;
    QWidget *PanelPar = nullptr;
    QWidget *PanelCash = nullptr;
    QCheckBox *CheckDocsPay = nullptr;
    QCheckBox *CheckDocsPartialPay = nullptr;
    QCheckBox *CheckNoPay = nullptr;
    ReportPicker *paredit = nullptr;
    ReportPicker *catedit = nullptr;
    ReportPicker *paredit2 = nullptr;
    ReportPicker *typedit = nullptr;
    QRadioButton *catsortno = nullptr;
    QRadioButton *catsortname = nullptr;
    QRadioButton *parsortno = nullptr;
    QRadioButton *parsortname = nullptr;
    QRadioButton *parsortgrp = nullptr;
    QRadioButton *parsorttype = nullptr;
    QRadioButton *RadioButtonIn = nullptr;
    QRadioButton *RadioButtonOut = nullptr;
    // The year options of mode 0, newest first.
    QVector<QRadioButton *> year_options;
    TDateEdit *dt_from_date = nullptr;
    TDateEdit *dt_to_date = nullptr;
    QPushButton *BitBtnOK = nullptr;

    void BitBtnOKClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void create_panels();
    QWidget *create_docs_panel();
    QWidget *create_cat_panel();
    QWidget *create_par_panel();
    QWidget *create_cash_panel();
    void create_year_options();
    void create_period_block(QWidget *panel);
    QWidget *mode_panel() const;
    void update_ok_button();

    ReportMode m_mode;
    int m_doc_type;
    int m_year = 0;
};

// Shows the dialog of the mode modally; true when the user confirmed with OK.  The document
// type (1 to 4) names the documents of mode 1.
bool ask_report_parameters(ReportMode mode, int doc_type = 0);
