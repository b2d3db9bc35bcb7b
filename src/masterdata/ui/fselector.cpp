#include "masterdata/ui/fselector.h"

#include "data/db_api.h"
#include "data/memtable.h"
#include "masterdata/ui/frsearch.h"
#include "widgets/dbgrid.h"
#include "widgets/grid_columns.h"
#include "widgets/help.h"
#include "widgets/image_list16.h"
#include "widgets/localize.h"
#include "widgets/owner_window.h"
#include "widgets/window_host.h"

#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const int selector_column_width = 288;
const int default_width = 480;
const int default_height = 320;

Qt::WindowFlags selector_flags(const QWidget *anchor)
{
    if (anchor)
        return Qt::Popup | Qt::FramelessWindowHint;
    return Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;
}

QPushButton *make_button(const QString &text, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    // Enter on a focused button presses it.
    button->setAutoDefault(true);
    return button;
}

} // namespace

Tfm_selector::Tfm_selector(QWidget *anchor, int help_topic, const QString &caption,
                           const QString &select, const QString &table)
    : QWidget(anchor ? anchor->window() : owner_window(), selector_flags(anchor)), m_anchor(anchor)
{
    setObjectName(QStringLiteral("fm_selector"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(caption);
    set_help_topic(this, help_topic);
    create_layout();
    m_set = dbAPI ? dbAPI->select_sql(table, select) : nullptr;
    m_grid->set_table(m_set);
    m_grid->setToolTip(caption);
    limit_column_widths(*m_grid, selector_column_width);
    m_search->attach_grid(m_grid);
    m_search->use_first_visible_column();
    localize_component(this);
    install_help_key(this);
}

Tfm_selector::~Tfm_selector()
{
    m_grid->set_table(nullptr);
    if (dbAPI)
        dbAPI->free_set(m_set);
}

void Tfm_selector::create_layout()
{
    m_grid = new TDBGrid(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    connect(m_grid, &TDBGrid::enter_pressed, this, [this] { decide(Chosen); });
    connect(m_grid, &TDBGrid::record_double_clicked, this, [this] { decide(Chosen); });

    m_search = new Tfr_search(this);

    auto *help = new QToolButton(this);
    help->setObjectName(QStringLiteral("btnHelp"));
    help->setIcon(ImageList16::icon(ImageList16::help));
    help->setToolTip(QStringLiteral("Nápověda"));
    connect(help, &QToolButton::clicked, this, [this] { show_help(this); });
    QPushButton *choose = make_button(QStringLiteral("vybrat"), "btnSelect", this);
    QPushButton *close = make_button(QStringLiteral("zavřít"), "btnClose", this);
    connect(choose, &QPushButton::clicked, this, [this] { decide(Chosen); });
    connect(close, &QPushButton::clicked, this, [this] { decide(Cancelled); });

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 4, 4, 4);
    buttons->addWidget(help);
    buttons->addStretch(1);
    buttons->addWidget(choose);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_search);
    layout->addLayout(buttons);
}

void Tfm_selector::place(int height, int min_width)
{
    int width = m_anchor ? m_anchor->width() : default_width;
    if (min_width > 0 && width < min_width)
        width = min_width;
    resize(width, height > 0 ? height : default_height);
    if (!m_anchor) {
        const QWidget *host = window_host().host_window();
        const QWidget *over = host ? host : parentWidget();
        if (over)
            move(over->frameGeometry().center() - QPoint(width / 2, this->height() / 2));
        return;
    }
    // Below the anchor; above it when the screen ends first.
    QPoint at = m_anchor->mapToGlobal(QPoint(0, m_anchor->height()));
    if (const QScreen *screen = m_anchor->screen()) {
        const QRect area = screen->availableGeometry();
        if (at.y() + this->height() > area.bottom() &&
            at.y() - m_anchor->height() - this->height() >= area.top())
            at.setY(at.y() - m_anchor->height() - this->height());
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - width)));
    }
    move(at);
}

void Tfm_selector::go_to(int recid)
{
    if (dbAPI)
        dbAPI->locate_recid(recid, m_set);
}

void Tfm_selector::decide(int choice)
{
    if (m_choice != Undecided)
        return;
    m_choice = choice;
    emit decided();
}

int Tfm_selector::run()
{
    const QString caption = windowTitle();
    // A drop-down under its field is part of the editor that opened it.
    const bool announced = !m_anchor;
    if (announced)
        window_host().editor_opened(caption);
    QPointer<Tfm_selector> alive(this);
    show();
    raise();
    activateWindow();
    m_grid->setFocus();
    if (m_choice == Undecided) {
        QEventLoop loop;
        connect(this, &Tfm_selector::decided, &loop, &QEventLoop::quit);
        connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
        loop.exec();
    }
    int recid = 0;
    if (alive) {
        if (m_choice == Chosen && m_set && m_set->active())
            recid = dbAPI->current_recid(m_set);
        hide();
    }
    if (announced)
        window_host().editor_closed(caption);
    return recid;
}

// Activation lost to another window of the program, or a click outside the drop-down
// (which closes a pop-up), means the user went elsewhere.
bool Tfm_selector::event(QEvent *event)
{
    if (event->type() == QEvent::WindowDeactivate)
        decide(Cancelled);
    return QWidget::event(event);
}

void Tfm_selector::hideEvent(QHideEvent *event)
{
    decide(Cancelled);
    QWidget::hideEvent(event);
}

// A drop-down has no window frame of its own to set it off from what lies below.
void Tfm_selector::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!m_anchor)
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Tfm_selector::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        decide(Cancelled);
    else
        QWidget::keyPressEvent(event);
}

int select_row(QWidget *anchor, int help_topic, int initial_recid,
               const SelectorGridHook &grid_hook, int height, int min_width, const QString &caption,
               const QString &select, const QString &table)
{
    QPointer<Tfm_selector> selector = new Tfm_selector(anchor, help_topic, caption, select, table);
    selector->place(height, min_width);
    if (initial_recid != 0)
        selector->go_to(initial_recid);
    if (grid_hook)
        grid_hook(*selector->grid());
    const int recid = selector->run();
    delete selector.data();
    return recid;
}
