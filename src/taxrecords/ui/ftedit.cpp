#include "taxrecords/ui/ftedit.h"

#include "calc/ui/user_calc_history.h"
#include "data/clock.h"
#include "data/db_api.h"
#include "data/memtable.h"
#include "data/messages.h"
#include "data/tdatetime.h"
#include "documents/doc_totals.h"
#include "masterdata/ui/flistedit.h"
#include "taxrecords/journal_entry.h"
#include "taxrecords/ui/amount_validator.h"
#include "widgets/dbcheckbox.h"
#include "widgets/dbdate_edit.h"
#include "widgets/dbedit.h"
#include "widgets/dblookup_combo.h"
#include "widgets/dbnumber_edit.h"
#include "widgets/help.h"
#include "widgets/image_list16.h"
#include "widgets/values_combobox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString status_keys = QStringLiteral("|OK - uložit položku, Storno - zpět.");
const QString no_document = QStringLiteral("Záznam nemá vazbu na doklad.");
const QString new_category_hint = QStringLiteral("Přidat nové členění daňové evidence");
const QString new_account_hint = QStringLiteral("Přidat nový bankovní účet.");
const QString amount_format = QStringLiteral(",0.00");
const QString rate_format = QStringLiteral(",0.0000");
const QString yes = QStringLiteral("T");

const int help_editor = 3021;
const int help_categories = 403;
const int help_accounts = 1042;
const int help_fully_paid = 9009;
const int image_both = 19;
const int image_income = 14;
const int image_outcome = 13;
const int wide = 320;
const int narrow = 120;

QLabel *caption_of(const QString &text, QWidget *control, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(control);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QToolButton *plus_button(const QString &name, const QString &hint, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(ImageList16::icon(ImageList16::plus));
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QGroupBox *amount_frame(const QString &title, const QColor &color, QWidget *input, QWidget *parent)
{
    auto *frame = new QGroupBox(title, parent);
    frame->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid %1; margin-top: 1.2em; }"
                                        "QGroupBox::title { subcontrol-origin: margin; left: 6px; "
                                        "color: %1; }")
                             .arg(color.name()));
    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(input);
    return frame;
}

bool flag_set(const TMemTable &set, int row, const char *column)
{
    const TField *flag = set.find_field(QLatin1String(column));
    return flag && set.cell_text(row, flag->index()).trimmed() == yes;
}

QString amount_format_of(const QString &currency)
{
    return QStringLiteral("### ### ##0.00 ") + currency;
}

} // namespace

TfTeEdit::TfTeEdit(int mode, TMemTable *set, int document_id, QWidget *parent)
    : TRecordEditor(mode, set, parent)
{
    setObjectName(QStringLiteral("fTeEdit"));
    set_status_keys(status_keys);
    set_help_topic(this, help_editor);
    m_document_id = mode == Add ? document_id : field("DOC_ID").as_integer();
    if (mode == Add) {
        setWindowTitle(QStringLiteral("Nový záznam do peněžního deníku."));
        field("DOC_ID").set_as_integer(m_document_id);
        field("ORIGIN_CURR").set_as_string(home_currency);
        field("CURR_AMOUNT").set_as_integer(1);
        field("CURR_KURS").set_as_float(1.0);
        field("INCOME").set_as_float(0.0);
        field("OUTCOME").set_as_float(0.0);
    } else {
        setWindowTitle(QStringLiteral("Oprava záznamu v peněžním deníku."));
    }
    m_groups = dbAPI->select_sql(QStringLiteral("TE_GRP"),
                                 QStringLiteral("SELECT * FROM TE_GRP ORDER BY IS_OUTCOME, RECID"));
    m_accounts = dbAPI->select_sql(QStringLiteral("CONF_BANKCASH"),
                                   QStringLiteral("SELECT * FROM CONF_BANKCASH"));
    m_currencies = entry_currencies(*dbAPI);

    create_controls();
    fill_currencies();
    apply_defaults();
    if (mode == Add) {
        if (m_groups && !m_groups->is_empty())
            field("GRP_ID").set_as_integer(m_groups->cell_value(0, 0).toInt());
        apply_currency(field("ORIGIN_CURR").as_string(), true);
    } else {
        if (field("IS_INCOME").as_string() == yes)
            restrict_categories(QStringLiteral("IS_INCOME"));
        else if (field("IS_OUTCOME").as_string() == yes)
            restrict_categories(QStringLiteral("IS_OUTCOME"));
        show_currency(field("ORIGIN_CURR").as_string());
    }
    category_changed();
    update_ok();
}

TfTeEdit::~TfTeEdit()
{
    m_group->set_lookup(nullptr, {});
    m_account->set_lookup(nullptr, {});
    if (dbAPI) {
        dbAPI->free_set(m_groups);
        dbAPI->free_set(m_accounts);
    }
}

TField &TfTeEdit::field(const char *name) const
{
    return set().field_by_name(QLatin1String(name));
}

bool TfTeEdit::appended() const
{
    return set().state() == TMemTable::State::Insert;
}

void TfTeEdit::create_controls()
{
    m_date = new TDBDateEdit(this);
    m_date->setObjectName(QStringLiteral("DBDateEdit1"));
    m_date->bind(&set(), QStringLiteral("DATE_D"));
    m_date->setFixedWidth(narrow);

    m_doc_no = new TDBEdit(this);
    m_doc_no->setObjectName(QStringLiteral("DBEditDocNo"));
    m_doc_no->bind(&set(), QStringLiteral("DOC_NO"));
    m_doc_no->setFixedWidth(narrow);

    m_group = new TDBLookupCombo(this);
    m_group->setObjectName(QStringLiteral("DBLookupGrp"));
    m_group->bind(&set(), QStringLiteral("GRP_ID"));
    m_group->set_lookup(m_groups, QStringLiteral("GRP_NAME"));
    m_group->setFixedWidth(wide);
    m_group->setIconSize(QSize(16, 16));
    if (m_groups) {
        connect(m_groups, &TMemTable::layout_changed, this, &TfTeEdit::set_category_icons);
        connect(m_groups, &TMemTable::row_changed, this, &TfTeEdit::set_category_icons);
    }
    set_category_icons();
    m_new_group = plus_button(QStringLiteral("btnNewGrp"), new_category_hint, this);
    connect(m_new_group, &QToolButton::clicked, this, &TfTeEdit::add_category);

    m_text = new TDBEdit(this);
    m_text->setObjectName(QStringLiteral("edit_te_text"));
    m_text->bind(&set(), QStringLiteral("TE_TEXT"));
    m_text->setFixedWidth(wide);
    m_text_history = attach_text_history(m_text);
    m_text_history->button()->setToolTip(QStringLiteral("uspořádat historii textů"));

    m_account = new TDBLookupCombo(this);
    m_account->setObjectName(QStringLiteral("DBLookupCash"));
    m_account->bind(&set(), QStringLiteral("CASH_ID"));
    m_account->set_lookup(m_accounts, QStringLiteral("MNAME"));
    m_account->setFixedWidth(wide);
    m_new_account = plus_button(QStringLiteral("btnNewCash"), new_account_hint, this);
    connect(m_new_account, &QToolButton::clicked, this, &TfTeEdit::add_account);

    const auto amount_input = [this](const char *name, const char *column) {
        auto *input = new TDBNumberEdit(this);
        input->setObjectName(QLatin1String(name));
        input->bind(&set(), QLatin1String(column));
        input->set_display_format(amount_format);
        delete input->validator();
        input->setValidator(new AmountValidator(std::nullopt, input));
        input->setFixedWidth(170);
        attach_calculator(input)->button()->setToolTip(QStringLiteral("uživatelský kalkulátor"));
        return input;
    };
    m_income = amount_input("RxDBCalcEdit1", "INCOME");
    m_outcome = amount_input("RxDBCalcEdit2", "OUTCOME");
    m_income_frame =
        amount_frame(QStringLiteral("Příjem celkem"), QColor(0, 128, 0), m_income, this);
    m_outcome_frame =
        amount_frame(QStringLiteral("Výdaj celkem"), QColor(192, 0, 0), m_outcome, this);

    auto *document_frame = new QGroupBox(QStringLiteral("Doklad"), this);
    m_document_text = new QLabel(no_document, document_frame);
    m_document_text->setObjectName(QStringLiteral("lbDocument"));
    m_document_text->setWordWrap(true);
    m_document_text->setFixedWidth(wide + 60);
    (new QVBoxLayout(document_frame))->addWidget(m_document_text);

    auto *currency_frame = new QGroupBox(QStringLiteral("Měna"), this);
    m_currency = new TValuesComboBox(currency_frame);
    m_currency->setObjectName(QStringLiteral("cbCurrency"));
    m_rate_amount = new TDBNumberEdit(currency_frame);
    m_rate_amount->setObjectName(QStringLiteral("DBEditCurrAmount"));
    m_rate_amount->bind(&set(), QStringLiteral("CURR_AMOUNT"));
    m_rate_amount->setFixedWidth(70);
    m_rate = new TDBNumberEdit(currency_frame);
    m_rate->setObjectName(QStringLiteral("DBEditCurrKurs"));
    m_rate->bind(&set(), QStringLiteral("CURR_KURS"));
    m_rate->set_display_format(rate_format);
    m_rate->setFixedWidth(100);
    m_rate_amount_label =
        caption_of(QStringLiteral("množství (kurs)"), m_rate_amount, currency_frame);
    m_rate_label = caption_of(QStringLiteral("kurs"), m_rate, currency_frame);
    auto *currency_line = new QHBoxLayout(currency_frame);
    currency_line->addWidget(m_currency);
    currency_line->addWidget(m_rate_amount_label);
    currency_line->addWidget(m_rate_amount);
    currency_line->addWidget(m_rate_label);
    currency_line->addWidget(m_rate);
    currency_line->addStretch(1);

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(6);
    const auto row_of = [fields](int row, QLabel *label, QWidget *control,
                                 QWidget *after = nullptr) {
        fields->addWidget(label, row, 0);
        auto *line = new QHBoxLayout;
        line->setSpacing(4);
        line->addWidget(control);
        if (after)
            line->addWidget(after);
        line->addStretch(1);
        fields->addLayout(line, row, 1);
    };
    row_of(0, caption_of(QStringLiteral("Datum:"), m_date, this), m_date);
    row_of(1, caption_of(QStringLiteral("Číslo dokladu:"), m_doc_no, this), m_doc_no);
    row_of(2, caption_of(QStringLiteral("Členění:"), m_group, this), m_group, m_new_group);
    row_of(3, caption_of(QStringLiteral("Text:"), m_text, this), m_text);
    row_of(4, caption_of(QStringLiteral("Způsob platby:"), m_account, this), m_account,
           m_new_account);
    auto *amounts = new QHBoxLayout;
    amounts->addWidget(m_income_frame);
    amounts->addWidget(m_outcome_frame);
    amounts->addStretch(1);
    fields->addLayout(amounts, 5, 0, 1, 2);
    fields->addWidget(document_frame, 6, 0, 1, 2);
    fields->addWidget(currency_frame, 7, 0, 1, 2);

    set_first_control(m_date);
    finish_layout(fields);

    for (TDBEdit *edit : {static_cast<TDBEdit *>(m_doc_no), m_text,
                          static_cast<TDBEdit *>(m_income), static_cast<TDBEdit *>(m_outcome),
                          static_cast<TDBEdit *>(m_rate_amount), static_cast<TDBEdit *>(m_rate)})
        connect(edit, &TDBEdit::edited, this, &TfTeEdit::update_ok);
    connect(m_date, &TDBDateEdit::edited, this, &TfTeEdit::update_ok);
    connect(m_group, &TDBLookupCombo::edited, this, &TfTeEdit::category_changed);
    connect(m_account, &TDBLookupCombo::edited, this, &TfTeEdit::update_ok);
    connect(m_currency, &QComboBox::activated, this, &TfTeEdit::currency_chosen);
}

void TfTeEdit::fill_currencies()
{
    for (const EntryCurrency &currency : m_currencies)
        m_currency->add_value(currency.title.isEmpty()
                                  ? currency.name
                                  : currency.name + QStringLiteral(" - ") + currency.title,
                              currency.name);
}

void TfTeEdit::set_category_icons()
{
    if (!m_groups)
        return;
    for (int row = 0; row < m_groups->record_count() && row < m_group->count(); ++row) {
        const bool income = flag_set(*m_groups, row, "IS_INCOME");
        const bool outcome = flag_set(*m_groups, row, "IS_OUTCOME");
        m_group->setItemIcon(row, ImageList16::icon(income && outcome ? image_both
                                                    : income          ? image_income
                                                                      : image_outcome));
    }
}

void TfTeEdit::apply_defaults()
{
    if (field("DATE_D").is_null())
        field("DATE_D").set_as_datetime(days_from_date(today()));
    if (field("DOC_NO").as_string().trimmed().isEmpty() && m_document_id == 0)
        field("DOC_NO").set_as_string(proposed_journal_number(*dbAPI));
    if (m_document_id == 0)
        return;
    m_document = read_entry_document(*dbAPI, m_document_id);
    if (!m_document) {
        show_document_text(missing_document_text(m_document_id));
        return;
    }
    show_document_text(m_document->description());
    apply_payment_rule(*m_document);
    if (appended()) {
        field("DOC_NO").set_as_string(m_document->doc_no);
        field("TE_TEXT").set_as_string(m_document->title);
    }
}

// A long title wraps; the frame takes the lines the text needs, which a fixed-size dialog
// would otherwise not give it.
void TfTeEdit::show_document_text(const QString &text)
{
    m_document_text->setText(text);
    m_document_text->setFixedHeight(
        m_document_text->heightForWidth(m_document_text->maximumWidth()));
}

void TfTeEdit::apply_payment_rule(const EntryDocument &document)
{
    m_paid_by_income = document.paid_by_income();
    const char *amount_column = m_paid_by_income ? "INCOME" : "OUTCOME";
    const double remaining = remaining_to_pay(*dbAPI, document, field(amount_column).as_float());
    if (::fully_paid(remaining)) {
        m_fully_paid = true;
        show_message(QStringLiteral("Úhrada dokladu"),
                     QStringLiteral("Tento doklad již byl celý uhrazen."), mbIconInformation, false,
                     help_fully_paid);
        return;
    }
    if (appended())
        field("ORIGIN_CURR").set_as_string(document.curr_name);
    m_currency->setEnabled(false);
    restrict_categories(m_paid_by_income ? QStringLiteral("IS_INCOME")
                                         : QStringLiteral("IS_OUTCOME"));
    m_limit = remaining;
    TDBNumberEdit *input = m_paid_by_income ? m_income : m_outcome;
    delete input->validator();
    input->setValidator(new AmountValidator(m_limit, input));
    if (appended())
        field(amount_column).set_as_float(remaining);
    if (field("CASH_ID").as_integer() == 0 && document.bank_id != 0)
        field("CASH_ID").set_as_integer(document.bank_id);
}

void TfTeEdit::restrict_categories(const QString &flag)
{
    if (!m_groups)
        return;
    m_groups->set_filter_text(flag + QStringLiteral(" = 'T'"));
    m_groups->set_filtered(true);
    m_group->refresh();
}

// An amount the category cannot hold is not shown, so it must not be stored either.
void TfTeEdit::category_changed()
{
    const int category = field("GRP_ID").as_integer();
    bool income = false;
    bool outcome = false;
    if (m_groups && m_groups->active()) {
        for (int row = 0; row < m_groups->record_count(); ++row) {
            if (m_groups->cell_value(row, 0).toInt() == category) {
                income = flag_set(*m_groups, row, "IS_INCOME");
                outcome = flag_set(*m_groups, row, "IS_OUTCOME");
                break;
            }
        }
    }
    m_income_frame->setVisible(income);
    m_outcome_frame->setVisible(outcome);
    for (const auto &[allowed, column] :
         {std::pair{income, "INCOME"}, std::pair{outcome, "OUTCOME"}})
        if (!allowed && money_cents(field(column).as_float()) != 0)
            field(column).set_as_float(0.0);
    update_ok();
}

void TfTeEdit::currency_chosen()
{
    const QString name = m_currency->currentData().toString();
    field("ORIGIN_CURR").set_as_string(name);
    apply_currency(name, true);
    update_ok();
}

// The rate of the chosen currency from the list; a payment whose currency the list lacks
// keeps the document's own rate, so that a foreign amount is never booked as Kč.
void TfTeEdit::apply_currency(const QString &name, bool take_rate)
{
    if (take_rate) {
        int amount = 1;
        double kurs = 1.0;
        if (const EntryCurrency *listed = find_currency(m_currencies, name)) {
            amount = listed->amount;
            kurs = listed->kurs;
        } else if (m_document && m_document->curr_name == name) {
            amount = m_document->curr_amount;
            kurs = m_document->curr_kurs;
        }
        field("CURR_AMOUNT").set_as_integer(amount);
        field("CURR_KURS").set_as_float(kurs);
    }
    show_currency(name);
}

void TfTeEdit::show_currency(const QString &name)
{
    const int item = m_currency->findData(name);
    if (item < 0 && !name.isEmpty()) {
        // A currency no longer listed still shows what the entry is kept in.
        m_currency->add_value(name, name);
        m_currency->setCurrentIndex(m_currency->count() - 1);
    } else {
        m_currency->setCurrentIndex(item);
    }
    const bool foreign = name != home_currency;
    for (QWidget *control :
         {static_cast<QWidget *>(m_rate_amount), static_cast<QWidget *>(m_rate),
          static_cast<QWidget *>(m_rate_amount_label), static_cast<QWidget *>(m_rate_label)})
        control->setVisible(foreign);
    m_income->set_display_format(amount_format_of(name));
    m_outcome->set_display_format(amount_format_of(name));
}

void TfTeEdit::add_category()
{
    const bool correction = mode() == Edit;
    const QString own_income = field("IS_INCOME").as_string();
    const QString own_outcome = field("IS_OUTCOME").as_string();
    const bool payment = m_document.has_value();
    const bool by_income = m_paid_by_income;
    const list_edit_hook hook = [=](QObject *object) {
        if (auto *box = qobject_cast<TDBCheckBox *>(object)) {
            TField *flag = box->field();
            const bool income_box = flag && flag->name() == QLatin1String("IS_INCOME");
            const bool outcome_box = flag && flag->name() == QLatin1String("IS_OUTCOME");
            if (correction && (income_box || outcome_box)) {
                flag->set_as_string(income_box ? own_income : own_outcome);
                box->refresh();
                box->setEnabled(false);
            }
            return true;
        }
        if (auto *groups = qobject_cast<TMemTable *>(object)) {
            TField &income = groups->field_by_name(QStringLiteral("IS_INCOME"));
            TField &outcome = groups->field_by_name(QStringLiteral("IS_OUTCOME"));
            if (income.as_string() != yes && outcome.as_string() != yes)
                (payment && !by_income ? outcome : income).set_as_string(yes);
        }
        return true;
    };
    const int id = edit_list_record(0, m_groups, QStringLiteral("TE_GRP"), hook, help_categories,
                                    new_category_hint);
    if (id == 0)
        return;
    field("GRP_ID").set_as_integer(id);
    m_group->refresh();
    category_changed();
}

void TfTeEdit::add_account()
{
    const list_edit_hook hook = [](QObject *object) {
        auto *box = qobject_cast<TDBCheckBox *>(object);
        TField *flag = box ? box->field() : nullptr;
        if (flag && flag->name() == QLatin1String("IS_BANK") &&
            flag->table().state() == TMemTable::State::Insert) {
            flag->set_as_string(yes);
            box->refresh();
            box->setEnabled(false);
        }
        return true;
    };
    const int id = edit_list_record(0, m_accounts, QStringLiteral("CONF_BANKCASH"), hook,
                                    help_accounts, new_account_hint);
    if (id == 0)
        return;
    field("CASH_ID").set_as_integer(id);
    m_account->refresh();
    update_ok();
}

bool TfTeEdit::complete() const
{
    const JournalEntry entry = JournalEntry::from_row(set());
    if (!entry.complete())
        return false;
    return !m_limit || amount_within(m_paid_by_income ? entry.income : entry.outcome, *m_limit);
}

int TfTeEdit::store(int recid)
{
    JournalEntry entry = JournalEntry::from_row(set());
    entry.recid = recid;
    entry.doc_id = m_document_id;
    return entry.save(*dbAPI);
}

void TfTeEdit::stored()
{
    m_text_history->store_history();
}
