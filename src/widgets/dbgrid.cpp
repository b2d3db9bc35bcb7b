#include "widgets/dbgrid.h"

#include "data/db_api.h"
#include "data/memtable.h"
#include "widgets/command_key.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>
#include <vector>

namespace {

// Enough rows to judge a column's usual width without reading the whole set.
constexpr int width_sample_rows = 50;
constexpr int cell_padding = 12;

} // namespace

TDBGrid::TDBGrid(QWidget *parent) : QTableView(parent)
{
    m_title_click = [](const TField &column) {
        if (dbAPI)
            dbAPI->sort_by_title(column);
    };
    setModel(&m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTabKeyNavigation(false);

    QHeaderView *rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    rows->hide();

    QHeaderView *titles = horizontalHeader();
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setSectionsClickable(true);
    titles->setHighlightSections(false);
    titles->setStretchLastSection(false);
    connect(titles, &QHeaderView::sectionClicked, this, &TDBGrid::title_clicked);

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    m_column = current.column();
                follow_view(current);
            });
    connect(&m_model, &QAbstractItemModel::modelReset, this, &TDBGrid::follow_set);
    connect(this, &QAbstractItemView::doubleClicked, this, &TDBGrid::record_double_clicked);
}

void TDBGrid::set_table(TMemTable *table, const QStringList &columns)
{
    if (TMemTable *old = m_model.table())
        disconnect(old, nullptr, this, nullptr);
    if (table != m_model.table())
        m_column = 0;
    std::vector<int> widths;
    if (m_keep_widths && m_fitted_on_rows && table && m_model.table())
        for (int column = 0; column < m_model.columnCount(); ++column)
            widths.push_back(columnWidth(column));
    m_model.set_table(table, columns);
    if (table)
        connect(table, &TMemTable::current_changed, this, &TDBGrid::follow_set);
    if (!widths.empty() && int(widths.size()) == m_model.columnCount()) {
        for (int column = 0; column < int(widths.size()); ++column)
            setColumnWidth(column, widths[size_t(column)]);
    } else {
        fit_columns();
    }
    follow_set();
}

void TDBGrid::fit_columns()
{
    const QFontMetrics title_metrics(horizontalHeader()->font());
    const QFontMetrics cell_metrics(font());
    const int sample = std::min(m_model.rowCount(), width_sample_rows);
    m_fitted_on_rows = sample > 0;
    for (int column = 0; column < m_model.columnCount(); ++column) {
        int width = title_metrics.horizontalAdvance(
            m_model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
        for (int row = 0; row < sample; ++row)
            width = std::max(width, cell_metrics.horizontalAdvance(
                                        m_model.index(row, column).data().toString()));
        setColumnWidth(column, width + cell_padding);
    }
}

void TDBGrid::follow_set()
{
    const TMemTable *set = m_model.table();
    if (m_following || !set)
        return;
    const int row = set->current_index();
    if (row < 0 || row >= m_model.rowCount() || m_model.columnCount() == 0)
        return;
    if (currentIndex().row() == row)
        return;
    // A reset of the rows forgets the current cell; the user's column stays.
    const int column = currentIndex().isValid()
                           ? currentIndex().column()
                           : std::clamp(m_column, 0, m_model.columnCount() - 1);
    m_following = true;
    const QModelIndex target = m_model.index(row, column);
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
    scrollTo(target);
    m_following = false;
}

void TDBGrid::follow_view(const QModelIndex &current)
{
    TMemTable *set = m_model.table();
    if (m_following || !set || !current.isValid() || current.row() == set->current_index())
        return;
    m_following = true;
    set->set_row_number(current.row() + 1);
    m_following = false;
}

void TDBGrid::title_clicked(int column)
{
    const TField *field = m_model.column_field(column);
    if (field && m_title_click)
        m_title_click(*field);
}

void TDBGrid::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        is_plain_key(*event)) {
        emit enter_pressed();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TDBGrid::keyboardSearch(const QString &search)
{
    emit text_typed(search);
}
