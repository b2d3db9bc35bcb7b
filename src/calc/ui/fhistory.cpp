#include "calc/ui/fhistory.h"

#include "calc/user_hist.h"
#include "data/db_api.h"
#include "data/memtable.h"
#include "widgets/dbgrid.h"
#include "widgets/help.h"
#include "widgets/owner_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const int help_history = 107;
const int below_field_top = 20;
const int history_height = 220;

bool clears_type_ahead(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

} // namespace

Tfhistory::Tfhistory(int field_key, QWidget *parent) : ChoiceWindow(parent), m_field_key(field_key)
{
    setObjectName(QStringLiteral("fhistory"));
    set_help_topic(this, help_history);
    create_layout();
    m_owner = dbAPI;
    m_set = m_owner ? select_history(m_field_key) : nullptr;
    if (m_owner)
        connect(m_owner, &QObject::destroyed, this, [this] {
            m_grid->set_table(nullptr);
            m_set = nullptr;
            decide(Cancelled);
        });
    m_grid->set_table(m_set);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    install_help_key(this);
}

Tfhistory::~Tfhistory()
{
    free_set();
}

void Tfhistory::create_layout()
{
    auto *header = new DragHeader(QStringLiteral("historie"), this);
    auto *close = new QPushButton(QStringLiteral("zavřít"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setFocusPolicy(Qt::NoFocus);
    connect(close, &QPushButton::clicked, this, [this] { decide(Cancelled); });

    m_grid = new TDBGrid(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->set_title_click({});
    m_grid->installEventFilter(this);
    connect(m_grid, &TDBGrid::record_double_clicked, this, &Tfhistory::choose);
    connect(m_grid, &TDBGrid::enter_pressed, this, &Tfhistory::choose);

    auto button = [this](const QString &caption, const char *name, void (Tfhistory::*slot)()) {
        auto *pushed = new QPushButton(caption, this);
        pushed->setObjectName(QLatin1String(name));
        pushed->setFocusPolicy(Qt::NoFocus);
        connect(pushed, &QPushButton::clicked, this, slot);
        return pushed;
    };
    QPushButton *choose_button = button(QStringLiteral("vybrat"), "btnChoose", &Tfhistory::choose);
    QPushButton *delete_one = button(QStringLiteral("vymazat vybranou položku historie"),
                                     "btnDeleteText", &Tfhistory::delete_text);
    QPushButton *delete_all = button(QStringLiteral("vymazat celou historii"), "btnDeleteAll",
                                     &Tfhistory::delete_whole_history);

    auto *top = new QHBoxLayout;
    top->setSpacing(0);
    top->addWidget(header, 1);
    top->addWidget(close);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 0, 4, 4);
    buttons->addWidget(choose_button);
    buttons->addWidget(delete_one);
    buttons->addWidget(delete_all);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(2);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    setAutoFillBackground(true);
}

int Tfhistory::run_history(const QRect &field)
{
    resize(std::max(field.width(), minimumSizeHint().width()), history_height);
    move(field.left(), field.top() + below_field_top);
    keep_on_screen();
    m_grid->setFocus();
    if (!wait_for_choice())
        return 0;
    const int recid = state() == Chosen && m_set && !m_set->is_empty()
                          ? dbAPI->current_recid(m_set)
                          : 0;
    free_set();
    deleteLater();
    return recid;
}

void Tfhistory::choose()
{
    if (m_set && !m_set->is_empty())
        decide(Chosen);
}

void Tfhistory::delete_text()
{
    if (m_set)
        delete_history_text(*m_set);
    m_grid->setFocus();
}

void Tfhistory::delete_whole_history()
{
    if (delete_field_history(m_field_key))
        decide(Cancelled);
}

void Tfhistory::free_set()
{
    if (!m_set)
        return;
    m_grid->set_table(nullptr);
    if (m_owner)
        m_owner->free_set(m_set);
    m_set = nullptr;
}

// The grid would search its own way and keep Escape.
bool Tfhistory::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress && m_set) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape) {
            decide(Cancelled);
            return true;
        }
        if (clears_type_ahead(key->key())) {
            m_type_ahead.clear();
        } else if (!key->text().isEmpty() && key->text().front() >= u' ') {
            m_type_ahead.type(key->text(), *m_set);
            return true;
        }
    }
    return ChoiceWindow::eventFilter(watched, event);
}

void Tfhistory::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        decide(Cancelled);
        return;
    }
    ChoiceWindow::keyPressEvent(event);
}

Tfhistory *open_history(int field_key)
{
    return new Tfhistory(field_key, owner_window());
}
