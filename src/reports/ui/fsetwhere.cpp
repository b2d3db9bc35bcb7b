#include "reports/ui/fsetwhere.h"

#include "data/clock.h"
#include "data/db_api.h"
#include "data/messages.h"
#include "reports/ui/report_picker.h"
#include "widgets/appearance.h"
#include "widgets/date_edit.h"
#include "widgets/dialog_parts.h"
#include "widgets/enter_as_tab.h"
#include "widgets/help.h"
#include "widgets/localize.h"
#include "widgets/owner_window.h"
#include "widgets/window_host.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const int panel_width = 260;
const int field_left = 16;
const int field_width = 228;
const int field_height = 22;
const int option_left = 32;

const ReportPicker::Source partner_source = {
    QStringLiteral("*** všichni partneři ***"), QStringLiteral("Vyberte partnera"),
    QStringLiteral("SELECT RECID, PARTNER_NO, PARTNER_NAME  FROM VIEW_PAR ORDER BY PARTNER_NO"),
    QStringLiteral("VIEW_PAR"), QStringLiteral("PAR"), QStringLiteral("PARTNER_NAME")};
const ReportPicker::Source product_group_source = {
    QStringLiteral("*** všechny skupiny ***"), QStringLiteral("Vyberte skupinu produktů"),
    QStringLiteral("SELECT RECID, GRP_NAME FROM PRO_GRP ORDER BY GRP_NAME"),
    QStringLiteral("PRO_GRP"), QStringLiteral("PRO_GRP"), QStringLiteral("GRP_NAME")};
const ReportPicker::Source partner_group_source = {
    QStringLiteral("*** všechny skupiny ***"), QStringLiteral("Vyberte skupinu partnerů"),
    QStringLiteral("SELECT RECID, GRP_NAME FROM PAR_GRP ORDER BY GRP_NAME"),
    QStringLiteral("PAR_GRP"), QStringLiteral("PAR_GRP"), QStringLiteral("GRP_NAME")};
const ReportPicker::Source partner_type_source = {
    QStringLiteral("*** všechny typy ***"), QStringLiteral("Vyberte typ partnera"),
    QStringLiteral("SELECT RECID, PARTNER_TYPE FROM PAR_TYPE ORDER BY RECID"),
    QStringLiteral("PAR_TYPE"), QStringLiteral("PAR_TYPE"), QStringLiteral("PARTNER_TYPE")};

QLabel *add_label(QWidget *panel, const QString &text, int top)
{
    auto *label = new QLabel(text, panel);
    label->setGeometry(field_left, top, field_width, 16);
    return label;
}

ReportPicker *add_picker(QWidget *panel, const QString &name, const ReportPicker::Source &source,
                         int top)
{
    auto *picker = new ReportPicker(name, source, panel);
    picker->setGeometry(field_left, top, field_width, field_height);
    return picker;
}

QRadioButton *add_option(QWidget *panel, QButtonGroup *group, const QString &name,
                         const QString &text, int top)
{
    auto *option = new QRadioButton(text, panel);
    option->setObjectName(name);
    option->setGeometry(option_left, top, field_width - option_left + field_left, 20);
    group->addButton(option);
    return option;
}

QCheckBox *add_check(QWidget *panel, const QString &name, const QString &text, int top)
{
    auto *check = new QCheckBox(text, panel);
    check->setObjectName(name);
    check->setGeometry(option_left, top, field_width - option_left + field_left, 20);
    check->setChecked(true);
    return check;
}

QWidget *new_panel(QWidget *parent, const char *name)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFixedSize(panel_width, TfSetWhere::panel_height);
    panel->hide();
    return panel;
}

} // namespace

TfSetWhere::TfSetWhere(ReportMode mode, int doc_type, QWidget *parent)
    : QDialog(parent, fixed_dialog_flags), m_mode(mode), m_doc_type(doc_type)
{
    clear_report_parameters();
    setObjectName(QStringLiteral("fSetWhere"));
    setWindowTitle(report_parameters_caption(mode, doc_type));
    set_help_topic(this, report_parameters_help_topic(mode));

    create_panels();
    QWidget *shown = mode_panel();
    if (mode == ReportMode::Year)
        create_year_options();
    if (has_period(mode))
        create_period_block(shown);
    // Wide enough for its caption, which names the list to print.
    const int caption_width = fontMetrics().horizontalAdvance(windowTitle()) + 96;
    shown->setFixedWidth(std::max(shown->width(), caption_width));
    shown->show();

    QPushButton *help =
        command_button(QStringLiteral("Nápověda"), QStringLiteral("BitBtnHelp"), this);
    BitBtnOK = new QPushButton(QStringLiteral("OK"), this);
    BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
    BitBtnOK->setDefault(true);
    QPushButton *cancel =
        command_button(QStringLiteral("Storno"), QStringLiteral("BitBtnCancel"), this);
    connect(help, &QPushButton::clicked, this, [this] { show_help(this); });
    connect(BitBtnOK, &QPushButton::clicked, this, &TfSetWhere::BitBtnOKClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(BitBtnOK);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(shown, 0, Qt::AlignTop);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    apply_dialog_color(*this);
    install_help_key(this);
    enter_as_tab(*this);
}

TfSetWhere::~TfSetWhere()
{
    window_host().set_status_hint(QString());
}

void TfSetWhere::create_panels()
{
    Panel = new_panel(this, "Panel");
    PanelDocs = create_docs_panel();
    PanelCat = create_cat_panel();
    PanelPar = create_par_panel();
    PanelCash = create_cash_panel();
}

QWidget *TfSetWhere::create_docs_panel()
{
    QWidget *panel = new_panel(this, "PanelDocs");
    add_label(panel, QStringLiteral("Tisknout doklady:"), 8);
    CheckDocsPay = add_check(panel, QStringLiteral("CheckDocsPay"), QStringLiteral("Uhrazené"), 28);
    CheckDocsPartialPay = add_check(panel, QStringLiteral("CheckDocsPartialPay"),
                                    QStringLiteral("Částečně uhrazené"), 48);
    CheckNoPay = add_check(panel, QStringLiteral("CheckNoPay"), QStringLiteral("Neuhrazené"), 68);
    for (QCheckBox *check : {CheckDocsPay, CheckDocsPartialPay, CheckNoPay})
        connect(check, &QCheckBox::toggled, this, &TfSetWhere::update_ok_button);
    QLabel *partner_label =
        add_label(panel, QStringLiteral("Tisk pouze za obchodního partnera:"), 84);
    paredit = add_picker(panel, QStringLiteral("paredit"), partner_source, 102);
    partner_label->setBuddy(paredit);
    // The caller of a partner's documents has chosen the partner already.
    if (m_mode == ReportMode::PartnerDocuments) {
        partner_label->hide();
        paredit->hide();
    }
    return panel;
}

QWidget *TfSetWhere::create_cat_panel()
{
    QWidget *panel = new_panel(this, "PanelCat");
    add_label(panel, QStringLiteral("Tisk pouze skupiny produktů:"), 8);
    catedit = add_picker(panel, QStringLiteral("catedit"), product_group_source, 26);
    QLabel *sort_label = add_label(panel, QStringLiteral("Třídit podle:"), 58);
    auto *sort = new QButtonGroup(panel);
    catsortno = add_option(panel, sort, QStringLiteral("catsortno"),
                           QStringLiteral("skupiny a kódu (čísla) produktu"), 76);
    catsortname = add_option(panel, sort, QStringLiteral("catsortname"),
                             QStringLiteral("skupiny a názvu produktu"), 96);
    catsortno->setChecked(true);
    if (m_mode == ReportMode::Sales) {
        sort_label->hide();
        catsortno->hide();
        catsortname->hide();
    }
    return panel;
}

QWidget *TfSetWhere::create_par_panel()
{
    QWidget *panel = new_panel(this, "PanelPar");
    add_label(panel, QStringLiteral("Tisk pouze skupiny partnerů:"), 8);
    paredit2 = add_picker(panel, QStringLiteral("paredit2"), partner_group_source, 26);
    add_label(panel, QStringLiteral("Tisk pouze typu partnera:"), 56);
    typedit = add_picker(panel, QStringLiteral("typedit"), partner_type_source, 74);
    add_label(panel, QStringLiteral("Třídit podle:"), 106);
    auto *sort = new QButtonGroup(panel);
    parsortno = add_option(panel, sort, QStringLiteral("parsortno"),
                           QStringLiteral("čísla partnera"), 124);
    parsortname = add_option(panel, sort, QStringLiteral("parsortname"),
                             QStringLiteral("jména (názvu) partnera"), 144);
    parsortgrp = add_option(panel, sort, QStringLiteral("parsortgrp"),
                            QStringLiteral("skupiny partnera"), 164);
    parsorttype = add_option(panel, sort, QStringLiteral("parsorttype"),
                             QStringLiteral("typu partnera"), 184);
    parsortno->setChecked(true);
    return panel;
}

QWidget *TfSetWhere::create_cash_panel()
{
    QWidget *panel = new_panel(this, "PanelCash");
    auto *kind = new QButtonGroup(panel);
    RadioButtonIn = add_option(panel, kind, QStringLiteral("RadioButtonIn"),
                               QStringLiteral("Tisk příjmových dokladů"), 24);
    RadioButtonOut = add_option(panel, kind, QStringLiteral("RadioButtonOut"),
                                QStringLiteral("Tisk výdajových dokladů"), 48);
    RadioButtonIn->setChecked(true);
    return panel;
}

void TfSetWhere::create_year_options()
{
    QVector<int> years;
    if (dbAPI) {
        const ScopedSet rows = dbAPI->select_scoped(
            QStringLiteral("VIEW_YEARS"),
            QStringLiteral("SELECT * FROM VIEW_YEARS ORDER BY TE_YEARS DESC"));
        if (rows && rows->field_count() > 0) {
            for (rows->first(); !rows->eof(); rows->next()) {
                bool number = false;
                const int year = rows->field(0).as_string().trimmed().toInt(&number);
                years.append(number ? year : 0);
            }
        }
    }
    auto *group = new QButtonGroup(Panel);
    int right = panel_width;
    for (int index = 0; index < years.size(); ++index) {
        const int year = years[index];
        auto *option = new QRadioButton(QStringLiteral("Rok %1").arg(year), Panel);
        option->setObjectName(QStringLiteral("year%1").arg(index));
        const QPoint at = year_option_position(index);
        option->setGeometry(at.x(), at.y(), 180, 24);
        right = std::max(right, at.x() + 180 + field_left);
        group->addButton(option);
        connect(option, &QRadioButton::clicked, this, [this, option, year] {
            if (option->isChecked())
                m_year = year;
        });
        year_options.append(option);
    }
    if (!year_options.isEmpty()) {
        year_options.first()->setChecked(true);
        m_year = years.first();
    }
    Panel->setFixedSize(right, panel_height);
}

void TfSetWhere::create_period_block(QWidget *panel)
{
    const int top = period_block_top(m_mode);
    auto *caption = new QLabel(QStringLiteral("Období"), panel);
    QFont bold(QStringLiteral("Arial"));
    bold.setBold(true);
    caption->setFont(bold);
    caption->setGeometry(field_left, top, field_width, 16);
    auto *line = new QFrame(panel);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(field_left, top + 16, field_width, 2);

    const bool sales = m_mode == ReportMode::Sales;
    const QString from_text = sales ? QStringLiteral("prodeje za období OD:")
                                    : QStringLiteral("datum OD:");
    const QString to_text = sales ? QStringLiteral("prodeje za období DO:")
                                  : QStringLiteral("datum DO:");
    const auto add_date = [&](const QString &name, const QString &text, int date_top) {
        auto *edit = new TDateEdit(panel);
        edit->setObjectName(name);
        // The sales captions are longer; their fields move right to make room.
        const int label_width = sales ? 150 : 108;
        edit->setGeometry(field_left + label_width + 2, date_top, 108, field_height);
        auto *label = new QLabel(text, panel);
        label->setGeometry(field_left, date_top, label_width, field_height);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(edit);
        return edit;
    };
    dt_from_date = add_date(QStringLiteral("dt_from_date"), from_text, top + 22);
    dt_to_date = add_date(QStringLiteral("dt_to_date"), to_text, top + 44);
    const QDate now = today();
    dt_from_date->set_date(QDate(now.year(), 1, 1));
    dt_to_date->set_date(now);
}

QWidget *TfSetWhere::mode_panel() const
{
    switch (m_mode) {
    case ReportMode::Year:
        return Panel;
    case ReportMode::DocumentList:
    case ReportMode::PartnerDocuments:
        return PanelDocs;
    case ReportMode::Catalogue:
    case ReportMode::Sales:
        return PanelCat;
    case ReportMode::PartnerList:
        return PanelPar;
    case ReportMode::CashVouchers:
        return PanelCash;
    }
    return Panel;
}

void TfSetWhere::update_ok_button()
{
    BitBtnOK->setEnabled(ticked_payment_states(choices()) > 0);
}

ReportChoices TfSetWhere::choices() const
{
    ReportChoices choices;
    choices.year = m_year;
    if (dt_from_date) {
        choices.from = dt_from_date->date();
        choices.to = dt_to_date->date();
    }
    choices.paid = CheckDocsPay->isChecked();
    choices.partly_paid = CheckDocsPartialPay->isChecked();
    choices.unpaid = CheckNoPay->isChecked();
    choices.partner = paredit->value();
    choices.product_group = catedit->value();
    choices.products_by_name = catsortname->isChecked();
    choices.partner_group = paredit2->value();
    choices.partner_type = typedit->value();
    if (parsortname->isChecked())
        choices.partner_order = PartnerOrder::Name;
    else if (parsortgrp->isChecked())
        choices.partner_order = PartnerOrder::Group;
    else if (parsorttype->isChecked())
        choices.partner_order = PartnerOrder::Type;
    choices.income_vouchers = RadioButtonIn->isChecked();
    return choices;
}

void TfSetWhere::BitBtnOKClick()
{
    const ReportChoices chosen = choices();
    if (has_period(m_mode)) {
        const QString error = period_error(chosen.from, chosen.to);
        if (!error.isEmpty()) {
            show_message(QStringLiteral("Chyba"), error, mbIconWarning);
            dt_from_date->setFocus();
            return;
        }
    }
    const ReportParameters result = build_report_parameters(m_mode, chosen);
    report_where = result.where;
    report_filter = result.filter;
    report_order = result.order;
    accept();
}

void TfSetWhere::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    localize_component(this);
    window_host().set_status_hint(
        QStringLiteral("Parametry tisku (grafu).|OK - zobraz tiskovou sestavu (graf), Storno - "
                       "zpět."));
    for (int press = 0; press < 2; ++press)
        QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab,
                                                        Qt::NoModifier));
}

bool ask_report_parameters(ReportMode mode, int doc_type)
{
    TfSetWhere window(mode, doc_type, owner_window());
    return window.exec() == QDialog::Accepted;
}
