#include "app/setup_series_page.h"

#include "app/setup_messages.h"
#include "data/company_records.h"
#include "data/db_api.h"
#include "data/memtable.h"
#include "data/messages.h"
#include "widgets/dialog_parts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

namespace {

const int journal_series = 128;
const int partner_series = 1024;
const int product_series = 1025;
const int prefix_length = 4;
const int help_saved = 1045;

struct SeriesRow {
    int series;
    const char *caption;
};

// In the order they are shown and written.
const SeriesRow series_rows[] = {
    {1, "Počátek číslování vydaných faktur:"},
    {2, "Počátek číslování došlých faktur:"},
    {3, "Počátek číslování vydaných dobropisů:"},
    {4, "Počátek číslování došlých dobropisů:"},
    {journal_series, "Počátek číslování položek v daňové evidenci:"},
    {partner_series, "Počátek číslování obchodních partnerů:"},
    {product_series, "Počátek číslování produktů:"},
};

bool has_step(int series)
{
    return series == partner_series || series == product_series;
}

QSpinBox *number_field(const QString &name, int minimum, QWidget *parent)
{
    auto *field = new QSpinBox(parent);
    field->setObjectName(name);
    field->setRange(minimum, std::numeric_limits<int>::max());
    field->setButtonSymbols(QAbstractSpinBox::NoButtons);
    field->setAlignment(Qt::AlignRight);
    field->setMinimumWidth(96);
    return field;
}

// The value as typed, also when Enter has not yet confirmed it.
int typed_value(QSpinBox &field)
{
    field.interpretText();
    return field.value();
}

} // namespace

TSetupSeriesPage::TSetupSeriesPage(QWidget *parent) : QWidget(parent)
{
    create_controls();
    load();
}

void TSetupSeriesPage::create_controls()
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    int line = 0;
    for (const SeriesRow &row : series_rows) {
        // The list series stand apart, under the title of their second column.
        if (row.series == partner_series) {
            grid->addWidget(new QLabel(QStringLiteral("krok číslování"), this), line, 2,
                            Qt::AlignLeft | Qt::AlignBottom);
            grid->setRowMinimumHeight(line, 32);
            ++line;
        }
        auto *caption = new QLabel(QString::fromUtf8(row.caption), this);
        QSpinBox *counter = number_field(QStringLiteral("edGen%1").arg(row.series), 0, this);
        caption->setBuddy(counter);
        grid->addWidget(caption, line, 0, Qt::AlignRight);
        grid->addWidget(counter, line, 1);
        m_counters[row.series] = counter;
        if (has_step(row.series)) {
            QSpinBox *step = number_field(QStringLiteral("edStep%1").arg(row.series), 1, this);
            grid->addWidget(step, line, 2);
            m_steps[row.series] = step;
        } else {
            grid->addWidget(new QLabel(QStringLiteral("(momentální stav)"), this), line, 2);
        }
        if (row.series == journal_series) {
            auto *prefix_label = new QLabel(QStringLiteral("prefix"), this);
            m_prefix = new QLineEdit(this);
            m_prefix->setObjectName(QStringLiteral("edPrefix"));
            m_prefix->setMaxLength(prefix_length);
            m_prefix->setFixedWidth(
                m_prefix->fontMetrics().horizontalAdvance(u'W') * prefix_length + 16);
            prefix_label->setBuddy(m_prefix);
            auto *prefix = new QHBoxLayout;
            prefix->addWidget(prefix_label);
            prefix->addWidget(m_prefix);
            grid->addLayout(prefix, line, 3);
        }
        ++line;
    }
    grid->setColumnStretch(4, 1);

    m_save = command_button(QStringLiteral("Uložit"), QStringLiteral("btnSaveSeries"), this);
    connect(m_save, &QPushButton::clicked, this, &TSetupSeriesPage::save);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_save);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

void TSetupSeriesPage::load()
{
    if (!dbAPI)
        return;
    TMemTable *set =
        dbAPI->select_sql(QStringLiteral("X"),
                          QStringLiteral("SELECT RECID, GEN_ID, INCREMENT_ID, TXT FROM GENER_NO"));
    if (!set)
        return;
    for (set->first(); !set->eof(); set->next()) {
        const int series = set->field(0).as_integer();
        if (!m_counters.count(series))
            continue;
        m_stored[series] = true;
        m_counters[series]->setValue(set->field(1).as_integer());
        if (has_step(series))
            m_steps[series]->setValue(set->field(2).as_integer());
        if (series == journal_series)
            m_prefix->setText(set->field(3).as_string());
    }
    dbAPI->free_set(set);
}

QSpinBox *TSetupSeriesPage::counter(int series) const
{
    const auto found = m_counters.find(series);
    return found != m_counters.end() ? found->second : nullptr;
}

QSpinBox *TSetupSeriesPage::step(int series) const
{
    const auto found = m_steps.find(series);
    return found != m_steps.end() ? found->second : nullptr;
}

bool TSetupSeriesPage::save()
{
    bool saved = false;
    if (dbAPI && show_message(QStringLiteral("Nastavení"), QStringLiteral("Uložit číselné řady?"),
                              mbIconQuestion | mbYesNo, false, help_saved) == mrYes) {
        saved = write_all_series();
        if (saved)
            report_settings_saved(QStringLiteral("Číselné řady byly uloženy"));
    }
    m_counters.at(1)->setFocus();
    return saved;
}

bool TSetupSeriesPage::write_all_series()
{
    std::vector<SeriesValues> rows;
    for (const SeriesRow &row : series_rows) {
        SeriesValues values;
        values.series = row.series;
        values.counter = typed_value(*m_counters.at(row.series));
        values.step = has_step(row.series) ? typed_value(*m_steps.at(row.series)) : 1;
        if (row.series == journal_series)
            values.prefix = m_prefix->text();
        values.stored = m_stored.count(row.series) != 0;
        rows.push_back(values);
    }
    if (!save_series(*dbAPI, rows))
        return false;
    for (const SeriesRow &row : series_rows)
        m_stored[row.series] = true;
    return true;
}
