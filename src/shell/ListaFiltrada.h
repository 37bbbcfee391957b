#pragma once

#include <QAbstractProxyModel>
#include <functional>
#include <vector>

class ListCopy;

// A shared list as one screen sees it through its own filter: the rows that
// pass, in the list's order. The list itself keeps every row, for the other
// screens and reports that show it; the view holds only the numbers of the
// rows that pass.
class ListaFiltrada : public QAbstractProxyModel {
    Q_OBJECT
public:
    // Whether a row of the list (by its number there) passes.
    using Criterio = std::function<bool(int linha)>;

    ListaFiltrada(ListCopy* lista, QObject* parent);

    ListCopy* lista() const { return origem; }
    // An empty criterion lets every row pass. The view filters again at once.
    void setCriterio(Criterio criterio);
    // Filters again, after the rows or what the criterion reads changed.
    void refiltra();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;

private:
    ListCopy* origem;
    Criterio criterio;
    std::vector<int> linhas; // rows of the list that pass, ascending
};
