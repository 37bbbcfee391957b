#pragma once

#include <QString>
#include <vector>

class ListCopy;
class ListaFiltrada;
class QTableView;

enum class RowShading { Alternating, None };

// Shows a shared list in a read-only grid: whole-row selection, column titles,
// a row indicator, resizable columns, row and column lines. The grid's
// current row and the list's are one: moving either moves the other.
// Alternating shading paints odd rows (1, 3, ...) on the info-background
// colour and even rows on the window colour; the selected row keeps the
// selection colours. Its context menu (and Ctrl+E) exports what it shows
// to a spreadsheet file: the window's title, the visible columns under their
// headings and every row shown, numbers and dates as such.
void bindGrid(QTableView* grid, ListCopy* list, RowShading shading = RowShading::Alternating);

// A column of a grid: a field of its list under the grid's own title.
struct GridColumn {
    QString field;
    QString title;
};

// The same, but the grid shows the fields given, in the order given, under
// the titles given; the list keeps its own order of fields for the code and
// reports that read it.
void bindGrid(QTableView* grid, ListCopy* list, const std::vector<GridColumn>& columns,
              RowShading shading = RowShading::Alternating);

// The same over one screen's filtered view of a list: the grid shows the
// rows that pass; its current row and the list's are still one.
void bindGrid(QTableView* grid, ListaFiltrada* rows, const std::vector<GridColumn>& columns,
              RowShading shading = RowShading::Alternating);
