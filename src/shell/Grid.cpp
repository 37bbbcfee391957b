#include "shell/Grid.h"

#include "data/ListCopy.h"
#include "reportengine/Planilha.h"
#include "shell/Arquivos.h"
#include "shell/ListaFiltrada.h"
#include "shell/Messages.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QItemSelectionModel>
#include <QScopeGuard>
#include <QTableView>
#include <stdexcept>

namespace {

// A cell of what the grid shows, as a cell of the list under it.
QModelIndex listIndex(QModelIndex index) {
    while (auto* proxy = qobject_cast<const QAbstractProxyModel*>(index.model()))
        index = proxy->mapToSource(index);
    return index;
}

// A row of what the grid shows, as a row of the list under it; -1 when
// there is none.
int listRow(const QAbstractItemModel* shown, int row) {
    const QModelIndex index = listIndex(shown->index(row, 0));
    return index.isValid() ? index.row() : -1;
}

// A row of the list as the grid shows it: invalid when the grid hides it.
QModelIndex shownIndex(QAbstractItemModel* shown, ListCopy* list, int row, int column) {
    std::vector<const QAbstractProxyModel*> chain;
    for (auto* proxy = qobject_cast<const QAbstractProxyModel*>(shown); proxy;
         proxy = qobject_cast<const QAbstractProxyModel*>(proxy->sourceModel()))
        chain.push_back(proxy);
    QModelIndex index = list->index(row, column);
    for (auto proxy = chain.rbegin(); proxy != chain.rend() && index.isValid(); ++proxy)
        index = (*proxy)->mapFromSource(index);
    return index;
}

void showCurrent(QTableView* grid, ListCopy* list) {
    // rowCount, unlike RecNo, never loads a list that waits for its first use.
    if (list->rowCount() == 0)
        return;
    const int row = list->RecNo();
    if (row < 0 || listRow(grid->model(), grid->currentIndex().row()) == row)
        return;
    const QModelIndex index =
        shownIndex(grid->model(), list, row, std::max(grid->currentIndex().column(), 0));
    if (index.isValid())
        grid->setCurrentIndex(index);
}

// The list as one grid shows it: the same rows and cells, its own titles.
class GridTitles : public QIdentityProxyModel {
public:
    GridTitles(QObject* parent, QAbstractItemModel* rows, QHash<int, QString> titles)
        : QIdentityProxyModel(parent), titles(std::move(titles)) {
        setSourceModel(rows);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && titles.contains(section))
            return titles.value(section);
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

private:
    QHash<int, QString> titles; // by column of the list
};

// Every column as wide as its title and the texts of its first rows, so that
// headings and usual contents show whole; a very long text is cut rather
// than pushing the other columns away.
void fitColumns(QTableView* grid) {
    QHeaderView* header = grid->horizontalHeader();
    header->setResizeContentsPrecision(100);
    const int widest = grid->fontMetrics().averageCharWidth() * 50;
    for (int column = 0; column < header->count(); ++column) {
        if (header->isSectionHidden(column))
            continue;
        grid->resizeColumnToContents(column);
        if (header->sectionSize(column) > widest)
            header->resizeSection(column, widest);
    }
}

// The grid as it shows the list: the window's title, the visible columns in
// their order under their headings, and every row the grid shows with the
// stored values.
report::Planilha gridSheet(QTableView* grid, ListCopy* list, const QString& title) {
    list->RecordCount(); // a list still waiting for its first use loads now
    report::Planilha sheet;
    sheet.addTitle(title);
    sheet.addBlank();
    const QAbstractItemModel* shown = grid->model();
    const QHeaderView* header = grid->horizontalHeader();
    std::vector<int> columns;
    QStringList headings;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (header->isSectionHidden(column))
            continue;
        columns.push_back(column);
        headings << shown->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    sheet.addHeadings(headings);
    for (int row = 0; row < shown->rowCount(); ++row) {
        std::vector<report::Cell> cells;
        for (int column : columns) {
            const QModelIndex cell = listIndex(shown->index(row, column));
            cells.push_back(report::Cell::of(cell.data(ListCopy::ValueRole),
                                             list->fields()[cell.column()].format));
        }
        sheet.addRow(std::move(cells));
    }
    return sheet;
}

void exportGrid(QTableView* grid, ListCopy* list) {
    const QString title = grid->window()->windowTitle();
    const QString path = Arquivos::escolhePlanilha(grid, title);
    if (path.isEmpty())
        return;
    QString failure;
    {
        // A long list takes a few seconds.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        failure = gridSheet(grid, list, title).write(path);
    }
    if (!failure.isEmpty())
        Messages::warning(failure);
}

// Every grid exports what it shows, from its context menu or with Ctrl+E.
void addExport(QTableView* grid, ListCopy* list) {
    const QString name = QStringLiteral("acExportar");
    delete grid->findChild<QAction*>(name, Qt::FindDirectChildrenOnly); // bound before
    auto* action = new QAction(QStringLiteral("Exportar Planilha"), grid);
    action->setObjectName(name);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    action->setShortcutContext(Qt::WidgetShortcut);
    grid->addAction(action);
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    QObject::connect(action, &QAction::triggered, grid, [grid, list] { exportGrid(grid, list); });
}

void bind(QTableView* grid, ListCopy* list, QAbstractItemModel* shown, RowShading shading) {
    grid->setModel(shown);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setShowGrid(true);
    grid->setTabKeyNavigation(false); // Tab leaves the grid like any control
    grid->verticalHeader()->setVisible(true);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->horizontalHeader()->setStretchLastSection(true);

    if (shading == RowShading::Alternating) {
        QPalette palette = grid->palette();
        palette.setColor(QPalette::Base, QApplication::palette().color(QPalette::ToolTipBase));
        palette.setColor(QPalette::AlternateBase, QApplication::palette().color(QPalette::Base));
        grid->setPalette(palette);
        grid->setAlternatingRowColors(true);
    }

    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, list,
                     [list, shown](const QModelIndex& current) {
                         if (current.isValid())
                             list->setRecNo(listRow(shown, current.row()));
                     });
    QObject::connect(list, &ListCopy::currentRowChanged, grid,
                     [grid, list] { showCurrent(grid, list); });
    QObject::connect(shown, &QAbstractItemModel::modelReset, grid, [grid, list] {
        fitColumns(grid);
        showCurrent(grid, list);
    });
    fitColumns(grid);
    showCurrent(grid, list);
    addExport(grid, list);
}

} // namespace

void bindGrid(QTableView* grid, ListCopy* list, RowShading shading) {
    bind(grid, list, list, shading);
}

namespace {

void bindColumns(QTableView* grid, ListCopy* list, QAbstractItemModel* rows,
                 const std::vector<GridColumn>& columns, RowShading shading) {
    QHash<int, QString> titles;
    std::vector<int> order;
    for (const GridColumn& column : columns) {
        const int field = list->fieldIndex(column.field);
        if (field < 0)
            throw std::logic_error("grid column without a field: " + column.field.toStdString());
        titles.insert(field, column.title);
        order.push_back(field);
    }
    bind(grid, list, new GridTitles(grid, rows, titles), shading);
    QHeaderView* header = grid->horizontalHeader();
    for (int position = 0; position < int(order.size()); ++position)
        header->moveSection(header->visualIndex(order[position]), position);
    for (int field = 0; field < list->columnCount(); ++field)
        header->setSectionHidden(field, !titles.contains(field));
}

} // namespace

void bindGrid(QTableView* grid, ListCopy* list, const std::vector<GridColumn>& columns,
              RowShading shading) {
    bindColumns(grid, list, list, columns, shading);
}

void bindGrid(QTableView* grid, ListaFiltrada* rows, const std::vector<GridColumn>& columns,
              RowShading shading) {
    bindColumns(grid, rows->lista(), rows, columns, shading);
}
