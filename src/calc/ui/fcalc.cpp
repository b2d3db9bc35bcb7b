#include "calc/ui/fcalc.h"

#include "text/format_settings.h"
#include "text/number_format.h"
#include "widgets/help.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <utility>

namespace {

const QString choice_header = QStringLiteral("  kalkulátor");
const QString input_format = QStringLiteral("0.0000");

const int help_runner = 108;
const int first_row_top = 8;
const int row_step = 24;
const int label_left = 8;
const int label_width = 118;
const int field_left = 128;
const int field_width = 128;
const int field_height = 22;
const int panel_width = field_left + field_width + 8;
const int below_anchor_top = 20;

QColor result_green()
{
    return QColor(0, 128, 0);
}

double typed_value(const QLineEdit &field)
{
    QString text = field.text().trimmed();
    text.replace(u',', u'.');
    return text.isEmpty() ? 0.0 : text.toDouble();
}

} // namespace

TfCalc::TfCalc(double starting_value, QWidget *parent)
    : ChoiceWindow(parent), m_calculator(starting_value)
{
    setObjectName(QStringLiteral("fcalc"));
    set_help_topic(this, help_runner);
    create_layout();
    install_help_key(this);
    load_script({});
}

void TfCalc::create_layout()
{
    m_header = new DragHeader(choice_header, this);
    m_header->setObjectName(QStringLiteral("header"));
    m_help = new QPushButton(QStringLiteral("?"), this);
    m_help->setObjectName(QStringLiteral("btnHelp"));
    m_help->setFixedWidth(24);
    m_help->setFocusPolicy(Qt::NoFocus);
    m_close = new QPushButton(QStringLiteral("zavřít"), this);
    m_close->setObjectName(QStringLiteral("btnClose"));
    m_close->setFocusPolicy(Qt::NoFocus);
    connect(m_help, &QPushButton::clicked, this, [this] { show_help(this); });
    connect(m_close, &QPushButton::clicked, this, [this] { decide(Cancelled); });

    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("calculators"));
    connect(m_list, &QComboBox::activated, this,
            [this](int index) { load_script(m_list->itemData(index).toString()); });

    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("inputs"));
    m_panel->setFixedWidth(panel_width);

    m_fault = new QLabel(this);
    m_fault->setObjectName(QStringLiteral("fault"));
    m_fault->setWordWrap(true);
    m_fault->setMaximumWidth(panel_width - 16);
    QPalette red = m_fault->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    m_fault->setPalette(red);

    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("result"));
    m_result->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_compute = new QPushButton(QStringLiteral("Výsledek"), this);
    m_compute->setObjectName(QStringLiteral("btnResult"));
    m_compute->setAutoDefault(true);
    connect(m_compute, &QPushButton::clicked, this, &TfCalc::result_pressed);

    auto *top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addWidget(m_header, 1);
    top->addWidget(m_help);
    top->addWidget(m_close);

    auto *bottom = new QHBoxLayout;
    bottom->setContentsMargins(8, 0, 8, 8);
    bottom->addWidget(m_compute);
    bottom->addWidget(m_result, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(top);
    auto *list_row = new QHBoxLayout;
    list_row->setContentsMargins(8, 4, 8, 0);
    list_row->addWidget(m_list);
    layout->addLayout(list_row);
    layout->addWidget(m_panel);
    auto *fault_row = new QHBoxLayout;
    fault_row->setContentsMargins(8, 0, 8, 0);
    fault_row->addWidget(m_fault);
    layout->addLayout(fault_row);
    layout->addLayout(bottom);
    setAutoFillBackground(true);
}

void TfCalc::add_choice(const QString &name, const QString &script)
{
    m_list->addItem(name, script);
    if (m_list->count() == 1)
        load_script(script);
}

void TfCalc::hide_list()
{
    m_list->hide();
}

bool TfCalc::test_mode() const
{
    return m_list->isHidden();
}

// The lists are emptied first: a focused field that goes tells its focus-out to the
// runner, which must not compute over fields already gone.
void TfCalc::clear_inputs()
{
    const std::vector<QLineEdit *> fields = std::exchange(m_fields, {});
    const std::vector<QLabel *> labels = std::exchange(m_labels, {});
    for (QLineEdit *field : fields)
        delete field;
    for (QLabel *label : labels)
        delete label;
}

void TfCalc::load_script(const QString &script)
{
    clear_inputs();
    m_calculator.load(script);
    m_header->setText(test_mode() && m_calculator.title() ? *m_calculator.title()
                                                           : choice_header);
    int top = first_row_top;
    for (const CalcScriptVariable &variable : m_calculator.variables()) {
        add_input(variable, top);
        top += row_step;
    }
    m_panel->setFixedHeight(m_fields.empty() ? 0 : top);
    m_fault->setText(m_calculator.fault_text());
    m_fault->setVisible(!m_calculator.fault_text().isEmpty());
    m_compute->setVisible(m_calculator.can_compute());
    m_result->setVisible(m_calculator.can_compute());
    m_result->setText(format_number(m_calculator.starting_value(), input_format));
    m_result->setStyleSheet({});
    // The result button follows the fields, and the list comes before them.
    QWidget *previous = m_list;
    for (QLineEdit *field : m_fields) {
        setTabOrder(previous, field);
        previous = field;
    }
    setTabOrder(previous, m_compute);
    if (!m_fields.empty())
        m_fields.front()->setFocus();
    else if (!test_mode())
        m_list->setFocus();
}

void TfCalc::add_input(const CalcScriptVariable &variable, int top)
{
    auto *label = new QLabel(variable.prompt + u':', m_panel);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(label_left, top, label_width, field_height);
    auto *field = new QLineEdit(m_panel);
    field->setObjectName(QStringLiteral("input%1").arg(m_fields.size() + 1));
    field->setGeometry(field_left, top, field_width, field_height);
    field->setToolTip(variable.hint);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field->setPlaceholderText(format_number(0, input_format));
    field->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("-?\\d{0,15}([.,]\\d{0,4})?")), field));
    label->setBuddy(field);
    connect(field, &QLineEdit::editingFinished, field, [field] {
        if (!field->text().trimmed().isEmpty())
            field->setText(format_number(typed_value(*field), input_format));
    });
    if (!m_fields.empty())
        m_fields.back()->removeEventFilter(this);
    field->installEventFilter(this);
    label->show();
    field->show();
    m_labels.push_back(label);
    m_fields.push_back(field);
}

// Leaving the last input computes, so the result is there before the button is reached.
bool TfCalc::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && !m_fields.empty() && watched == m_fields.back() &&
        state() == Undecided)
        compute();
    return ChoiceWindow::eventFilter(watched, event);
}

void TfCalc::compute()
{
    if (m_fields.empty())
        return;
    std::vector<double> values;
    values.reserve(m_fields.size());
    for (const QLineEdit *field : m_fields)
        values.push_back(typed_value(*field));
    if (const std::optional<CalcAnswer> answer = m_calculator.compute(values))
        show_answer(*answer);
}

void TfCalc::show_answer(const CalcAnswer &answer)
{
    m_result->setText(answer.text);
    QFont font = m_result->font();
    font.setBold(answer.computed);
    font.setPointSize(answer.computed ? 14 : 8);
    m_result->setFont(font);
    QPalette colors = m_result->palette();
    colors.setColor(QPalette::WindowText, answer.computed ? result_green() : QColor(Qt::red));
    m_result->setPalette(colors);
}

void TfCalc::result_pressed()
{
    compute();
    if (!test_mode()) {
        decide(Chosen);
        return;
    }
    if (!m_fields.empty())
        m_fields.front()->setFocus();
}

void TfCalc::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        decide(Cancelled);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_list->hasFocus())
            load_script(m_list->currentData().toString());
        else
            focusNextChild();
        return;
    default:
        ChoiceWindow::keyPressEvent(event);
    }
}

double TfCalc::run()
{
    const double starting_value = m_calculator.starting_value();
    adjustSize();
    keep_on_screen();
    if (!wait_for_choice())
        return starting_value;
    return state() == Chosen ? m_calculator.result() : starting_value;
}

TfCalc *open_calculator(QWidget *anchor, double starting_value)
{
    auto *runner = new TfCalc(starting_value, anchor ? anchor->window() : nullptr);
    if (anchor)
        runner->move(anchor->mapToGlobal(QPoint(0, below_anchor_top)));
    return runner;
}

void add_calculator_choice(TfCalc *runner, const QString &name, const QString &script)
{
    runner->add_choice(name, script);
}

double run_calculator(TfCalc *runner)
{
    QPointer<TfCalc> guard(runner);
    const double result = runner->run();
    delete guard.data();
    return result;
}

double run_calculator_script(TfCalc *runner, const QString &script, int help_context)
{
    runner->hide_list();
    runner->load_script(script);
    if (help_context != 0)
        set_help_topic(runner, help_context);
    return run_calculator(runner);
}
