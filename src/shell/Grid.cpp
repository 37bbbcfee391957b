#include "shell/Grid.h"

#include "data/ListCopy.h"

#include <QApplication>
#include <QHash>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QItemSelectionModel>
#include <QTableView>
#include <stdexcept>

namespace {

void showCurrent(QTableView* grid, ListCopy* list) {
    const int row = list->RecNo();
    if (row < 0 || grid->currentIndex().row() == row)
        return;
    grid->setCurrentIndex(grid->model()->index(row, std::max(grid->currentIndex().column(), 0)));
}

// The list as one grid shows it: the same rows and cells, its own titles.
class GridTitles : public QIdentityProxyModel {
public:
    GridTitles(QObject* parent, ListCopy* list, QHash<int, QString> titles)
        : QIdentityProxyModel(parent), titles(std::move(titles)) {
        setSourceModel(list);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && titles.contains(section))
            return titles.value(section);
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

private:
    QHash<int, QString> titles; // by column of the list
};

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
                     [list](const QModelIndex& current) {
                         if (current.isValid())
                             list->setRecNo(current.row());
                     });
    QObject::connect(list, &ListCopy::currentRowChanged, grid,
                     [grid, list] { showCurrent(grid, list); });
    QObject::connect(list, &QAbstractItemModel::modelReset, grid,
                     [grid, list] { showCurrent(grid, list); });
    showCurrent(grid, list);
}

} // namespace

void bindGrid(QTableView* grid, ListCopy* list, RowShading shading) {
    bind(grid, list, list, shading);
}

void bindGrid(QTableView* grid, ListCopy* list, const std::vector<GridColumn>& columns,
              RowShading shading) {
    QHash<int, QString> titles;
    std::vector<int> order;
    for (const GridColumn& column : columns) {
        const int field = list->fieldIndex(column.field);
        if (field < 0)
            throw std::logic_error("grid column without a field: " + column.field.toStdString());
        titles.insert(field, column.title);
        order.push_back(field);
    }
    bind(grid, list, new GridTitles(grid, list, titles), shading);
    QHeaderView* header = grid->horizontalHeader();
    for (int position = 0; position < int(order.size()); ++position)
        header->moveSection(header->visualIndex(order[position]), position);
    for (int field = 0; field < list->columnCount(); ++field)
        header->setSectionHidden(field, !titles.contains(field));
}
