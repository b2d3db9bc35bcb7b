#include "masterdata/ui/frsearch.h"

#include "widgets/image_list16.h"
#include "data/db_api.h"
#include "data/memtable.h"
#include "widgets/appearance.h"
#include "widgets/dbgrid.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

namespace {

const QString no_column_text = QStringLiteral("ve sloupci...");
const QString column_prefix = QStringLiteral("ve sloupci: ");
const int search_field_width = 150;
const int image_magnifier = 8;

bool is_grid_move(int key)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

bool is_enter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Numbers are shown with the process decimal separator but may be typed with either mark.
QString without_decimal_marks(QString text)
{
    text.replace(u',', u'.');
    return text;
}

} // namespace

Tfr_search::Tfr_search(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("frSearch"));
    auto *find_label = new QLabel(QStringLiteral("Najít:"), this);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("edSearch"));
    m_edit->setFixedWidth(search_field_width);
    m_edit->installEventFilter(this);
    find_label->setBuddy(m_edit);
    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("btnSearch"));
    m_button->setIcon(ImageList16::icon(image_magnifier));
    m_button->setToolTip(QStringLiteral("Najít řádek začínající zadaným textem."));
    m_button->setFocusPolicy(Qt::NoFocus);
    m_column_label = new QLabel(no_column_text, this);
    m_column_label->setObjectName(QStringLiteral("lblColumn"));
    QFont bold = m_column_label->font();
    bold.setBold(true);
    m_column_label->setFont(bold);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->setSpacing(4);
    layout->addWidget(find_label);
    layout->addWidget(m_edit);
    layout->addWidget(m_button);
    layout->addSpacing(6);
    layout->addWidget(m_column_label, 1);

    connect(m_edit, &QLineEdit::textChanged, this, &Tfr_search::text_changed);
    connect(m_button, &QToolButton::clicked, this, &Tfr_search::search_and_return);
}

void Tfr_search::attach_grid(TDBGrid *grid)
{
    if (m_grid)
        disconnect(m_grid, nullptr, this, nullptr);
    m_grid = grid;
    if (!grid)
        return;
    setAutoFillBackground(true);
    QPalette strip = palette();
    strip.setColor(QPalette::Window, appearance().ruler_color);
    setPalette(strip);
    connect(grid->selectionModel(), &QItemSelectionModel::currentColumnChanged, this,
            [this](const QModelIndex &current) { column_entered(current.column()); });
    connect(grid, &TDBGrid::text_typed, this, [this](const QString &text) {
        if (!text.isEmpty() && text.front().unicode() > 32 && text.front().isPrint())
            start_search(text.left(1));
    });
}

void Tfr_search::set_search_column(const QString &field_name)
{
    if (!m_grid)
        return;
    const TMemTableModel &model = m_grid->table_model();
    for (int column = 0; column < model.columnCount(); ++column) {
        if (model.column_field(column)->name().compare(field_name, Qt::CaseInsensitive) != 0)
            continue;
        const int row = std::max(m_grid->currentIndex().row(), 0);
        if (row < model.rowCount())
            m_grid->setCurrentIndex(model.index(row, column));
        // An empty grid has no current cell to move; the strip follows the column anyway.
        column_entered(column);
        return;
    }
}

void Tfr_search::use_first_visible_column()
{
    if (!m_grid)
        return;
    const TMemTableModel &model = m_grid->table_model();
    for (int column = 0; column < model.columnCount(); ++column) {
        if (!m_grid->isColumnHidden(column)) {
            set_search_column(model.column_field(column)->name());
            return;
        }
    }
}

void Tfr_search::column_entered(int column)
{
    m_edit->clear();
    const TField *field = m_grid ? m_grid->column_field(column) : nullptr;
    if (!field) {
        m_field_name.clear();
        m_numeric = false;
        m_column_label->setText(no_column_text);
        show_searchable(true);
        return;
    }
    m_field_name = field->name().toUpper();
    m_numeric = field->type() != FieldType::Text;
    m_column_label->setText(column_prefix + field->display_label);
    show_searchable(!TdbAPI::is_flag_field(field->name()));
}

void Tfr_search::show_searchable(bool searchable)
{
    m_edit->setEnabled(searchable);
    m_button->setEnabled(searchable);
    QPalette field = m_edit->palette();
    field.setColor(QPalette::Base, palette().color(searchable ? QPalette::Base : QPalette::Button));
    m_edit->setPalette(field);
    QPalette label = m_column_label->palette();
    label.setColor(QPalette::WindowText, searchable ? QColor(Qt::black) : QColor(Qt::gray));
    m_column_label->setPalette(label);
}

bool Tfr_search::has_search_focus() const
{
    return m_edit->hasFocus();
}

void Tfr_search::start_search(const QString &character)
{
    if (!m_edit->isEnabled())
        return;
    m_edit->setFocus();
    if (m_numeric && !character.isEmpty() && !accepts(character.front()))
        return;
    m_edit->setText(character);
    m_edit->end(false);
}

bool Tfr_search::accepts(QChar character) const
{
    return !m_numeric || character.isDigit() || character == u',' || character == u'.';
}

void Tfr_search::text_changed()
{
    if (!m_numeric)
        search();
}

void Tfr_search::search_and_return()
{
    search();
    if (m_grid)
        m_grid->setFocus();
}

void Tfr_search::search()
{
    const QString text = m_edit->text();
    TMemTable *set = m_grid ? m_grid->table() : nullptr;
    if (text.trimmed().isEmpty() || m_field_name.isEmpty() || !set || !set->active())
        return;
    const int remembered = set->row_number();
    if (!find_prefix(text) && remembered > 0)
        set->set_row_number(remembered);
}

bool Tfr_search::find_prefix(const QString &text)
{
    TMemTable *set = m_grid->table();
    if (!m_numeric)
        return set->locate(m_field_name, text,
                           TMemTable::loCaseInsensitive | TMemTable::loPartialKey);
    const TField *field = set->find_field(m_field_name);
    if (!field)
        return false;
    const QString wanted = without_decimal_marks(text);
    for (int row = 0; row < set->record_count(); ++row) {
        if (without_decimal_marks(set->cell_text(row, field->index())).startsWith(wanted)) {
            set->set_row_number(row + 1);
            return true;
        }
    }
    return false;
}

bool Tfr_search::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_edit || event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (is_enter(key->key())) {
        search_and_return();
        return true;
    }
    if (is_grid_move(key->key()) && m_grid) {
        m_edit->clear();
        m_grid->setFocus();
        QKeyEvent moved(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
        QCoreApplication::sendEvent(m_grid, &moved);
        return true;
    }
    const QString typed = key->text();
    if (!typed.isEmpty() && typed.front().isPrint() && !accepts(typed.front()))
        return true;
    return QFrame::eventFilter(watched, event);
}
