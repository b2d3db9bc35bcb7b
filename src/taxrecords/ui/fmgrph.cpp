#include "taxrecords/ui/fmgrph.h"

#include "data/db_api.h"
#include "data/glob.h"
#include "data/tdatetime.h"
#include "reports/report_parameters.h"
#include "reports/ui/fsetwhere.h"
#include "taxrecords/graph_charts.h"
#include "text/number_format.h"
#include "widgets/help.h"
#include "widgets/image_list16.h"
#include "widgets/localize.h"
#include "widgets/owner_window.h"
#include "widgets/window_host.h"

#include <QChart>
#include <QChartView>
#include <QCategoryAxis>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMenuBar>
#include <QPainter>
#include <QPieSeries>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString caption = QStringLiteral("Grafický výstup");

QLinearGradient silver_gradient()
{
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0.0, QColor(250, 250, 250));
    gradient.setColorAt(1.0, QColor(192, 192, 192));
    return gradient;
}

// A chart of the program's look: a white back wall on a silver gradient, the legend at the
// right and the title in bold blue.
QChart *new_chart()
{
    auto *chart = new QChart;
    chart->setBackgroundBrush(silver_gradient());
    chart->setPlotAreaBackgroundBrush(Qt::white);
    chart->setPlotAreaBackgroundVisible(true);
    QFont title_font(QStringLiteral("Arial"));
    title_font.setPointSize(19);
    title_font.setBold(true);
    chart->setTitleFont(title_font);
    chart->setTitleBrush(QColor(Qt::blue));
    chart->legend()->setAlignment(Qt::AlignRight);
    return chart;
}

} // namespace

Tfgrph::Tfgrph(const QString &year_text, QWidget *parent)
    : QDialog(parent ? parent : window_host().host_window(),
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                  Qt::WindowMaximizeButtonHint | Qt::CustomizeWindowHint),
      m_year(year_text)
{
    setObjectName(QStringLiteral("fmgrph"));
    setWindowTitle(caption);
    setMinimumSize(300, 300);
    set_help_topic(this, help_topic);

    m_view = new QChartView(this);
    m_view->setObjectName(QStringLiteral("Chart"));
    m_view->setRenderHint(QPainter::Antialiasing);

    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("cbGraph"));
    for (const GraphChart &chart : graph_charts())
        m_list->addItem(chart.caption);
    create_commands();

    QPushButton *close = new QPushButton(QStringLiteral("Zavřít"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    QPushButton *help = new QPushButton(QStringLiteral("Nápověda"), this);
    help->setObjectName(QStringLiteral("btnHelp"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { show_help(this); });
    auto *tools = new QToolBar(this);
    tools->addAction(m_print);
    tools->addSeparator();
    for (QAction *action : m_chart_actions)
        tools->addAction(action);

    auto *top = new QHBoxLayout;
    top->addWidget(close);
    top->addWidget(help);
    top->addSpacing(12);
    top->addWidget(new QLabel(QStringLiteral("Vyberte graf:"), this));
    top->addWidget(m_list);
    top->addWidget(tools);
    top->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(m_menu_bar);
    layout->addLayout(top);
    layout->addWidget(m_view, 1);

    const QWidget *host = window_host().host_window();
    if (host)
        setGeometry(host->x(), host->y(), host->width(),
                    std::max(300, host->height() - window_host().status_bar_height()));
    else
        resize(900, 640);

    connect(m_list, &QComboBox::activated, this, &Tfgrph::build_chart);
    localize_component(this);
    install_help_key(this);
    build_chart(0);
}

Tfgrph::~Tfgrph()
{
    free_set();
    window_host().set_status_hint(QString());
}

void Tfgrph::create_commands()
{
    m_print = new QAction(ImageList16::icon(ImageList16::printer), QStringLiteral("Vytisknout tento graf"),
                          this);
    m_print->setObjectName(QStringLiteral("actPrint"));
    connect(m_print, &QAction::triggered, this, &Tfgrph::actPrintExecute);
    m_menu_bar = new QMenuBar(this);
    QMenu *print = m_menu_bar->addMenu(QStringLiteral("Tisk"));
    print->addAction(m_print);
    print->addSeparator();
    print->addAction(QStringLiteral("Zavřít"), this, &QDialog::reject);
    QMenu *charts = m_menu_bar->addMenu(QStringLiteral("Graf"));
    for (int index = 0; index < int(graph_charts().size()); ++index) {
        auto *action = new QAction(graph_charts()[size_t(index)].caption, this);
        action->setObjectName(QStringLiteral("actGraph%1").arg(index));
        action->setToolTip(action->text());
        connect(action, &QAction::triggered, this, [this, index] { build_chart(index); });
        charts->addAction(action);
        m_chart_actions << action;
    }
}

void Tfgrph::free_set()
{
    if (m_set && dbAPI)
        dbAPI->free_set(m_set);
    m_set = nullptr;
}

void Tfgrph::build_chart(int index)
{
    if (index < 0 || index >= int(graph_charts().size()))
        return;
    const GraphChart &chart = graph_charts()[size_t(index)];
    // A new chart each time: the axes of a line chart must not survive into the next one.
    QChart *previous = m_chart;
    m_chart = new_chart();
    m_view->setChart(m_chart);
    delete previous;
    free_set();
    if (dbAPI)
        m_set = dbAPI->select_sql(chart.set_name, graph_select(chart, m_year));
    const bool empty = !m_set || m_set->record_count() == 0;
    m_chart->setTitle(graph_title(chart, m_year, empty).join(QStringLiteral("<br>")));
    if (chart.kind == ChartKind::Pie)
        add_pie();
    else
        add_line(chart.income);
    m_list->setCurrentIndex(index);
}

void Tfgrph::add_pie()
{
    auto *series = new QPieSeries;
    QStringList names;
    if (m_set && m_set->field_count() >= 2) {
        const TField &name = m_set->field(0);
        const TField &value = m_set->field(1);
        for (m_set->first(); !m_set->eof(); m_set->next()) {
            names << name.as_string();
            series->append(names.last(), parse_amount(value.as_string()))->setLabelVisible(true);
        }
        m_set->first();
    }
    m_chart->addSeries(series);
    m_chart->legend()->setVisible(true);
    // The marks show the share, the legend the name and the amount.
    const QList<QLegendMarker *> markers = m_chart->legend()->markers(series);
    const QList<QPieSlice *> slices = series->slices();
    for (int index = 0; index < slices.size(); ++index) {
        slices[index]->setLabel(
            QStringLiteral("%1 %").arg(slices[index]->percentage() * 100, 0, 'f', 1));
        if (index < markers.size())
            markers[index]->setLabel(names[index] + QStringLiteral("   ") +
                                     graph_value_text(slices[index]->value()));
    }
}

void Tfgrph::add_line(bool income)
{
    auto *series = new QLineSeries;
    QPen pen(income ? QColor(Qt::green) : QColor(Qt::red));
    pen.setWidth(2);
    series->setPen(pen);
    series->setName(income ? QStringLiteral("příjmy") : QStringLiteral("výdaje"));
    if (m_set && m_set->field_count() >= 2) {
        const TField &date = m_set->field(0);
        const TField &value = m_set->field(1);
        for (m_set->first(); !m_set->eof(); m_set->next())
            series->append(double(datetime_from_days(date.as_datetime()).toMSecsSinceEpoch()),
                           parse_amount(value.as_string()));
        m_set->first();
    }
    m_chart->addSeries(series);
    auto *days = new QDateTimeAxis;
    days->setFormat(QStringLiteral("d.M."));
    // Labels of the program's own format: a printf format cannot group thousands.
    double top = 0.0;
    for (const QPointF &point : series->points())
        top = std::max(top, point.y());
    auto *amounts = new QCategoryAxis;
    amounts->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const int steps = 5;
    const double step = top > 0 ? top / steps : 1.0;
    amounts->setRange(0.0, step * steps);
    for (int tick = 0; tick <= steps; ++tick)
        amounts->append(format_number(tick * step, QStringLiteral("#,##0.00 Kč")), tick * step);
    m_chart->addAxis(days, Qt::AlignBottom);
    m_chart->addAxis(amounts, Qt::AlignLeft);
    series->attachAxis(days);
    series->attachAxis(amounts);
    m_chart->legend()->setVisible(false);
}

void Tfgrph::actPrintExecute()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter(&printer);
    m_view->render(&painter);
}

bool Tfgrph::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        window_host().set_status_hint(caption + QStringLiteral("|F10 - menu"));
    return QDialog::event(event);
}

void Tfgrph::keyPressEvent(QKeyEvent *event)
{
    if (help_key(this, event))
        return;
    QDialog::keyPressEvent(event);
}

void show_graphs()
{
    if (!ask_report_parameters(ReportMode::Year))
        return;
    Tfgrph window(report_filter, owner_window());
    window.exec();
}
