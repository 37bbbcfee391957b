#include "app/Grid.h"

#include "data/ListCopy.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

namespace {

void showCurrent(QTableView* grid, ListCopy* list) {
    const int row = list->RecNo();
    if (row < 0 || grid->currentIndex().row() == row)
        return;
    grid->setCurrentIndex(list->index(row, std::max(grid->currentIndex().column(), 0)));
}

} // namespace

void bindGrid(QTableView* grid, ListCopy* list, RowShading shading) {
    grid->setModel(list);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setShowGrid(true);
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
