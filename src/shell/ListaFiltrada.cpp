#include "shell/ListaFiltrada.h"

#include "data/ListCopy.h"

#include <algorithm>

ListaFiltrada::ListaFiltrada(ListCopy* lista, QObject* parent)
    : QAbstractProxyModel(parent), origem(lista) {
    QAbstractProxyModel::setSourceModel(lista);
    connect(lista, &QAbstractItemModel::modelReset, this, &ListaFiltrada::refiltra);
    connect(lista, &QAbstractItemModel::rowsRemoved, this, &ListaFiltrada::refiltra);
    refiltra();
}

void ListaFiltrada::setCriterio(Criterio novo) {
    criterio = std::move(novo);
    refiltra();
}

void ListaFiltrada::refiltra() {
    beginResetModel();
    linhas.clear();
    // rowCount, not RecordCount: filtering never loads a list that waits.
    const int total = origem->rowCount();
    linhas.reserve(std::size_t(total));
    for (int linha = 0; linha < total; ++linha)
        if (!criterio || criterio(linha))
            linhas.push_back(linha);
    endResetModel();
}

int ListaFiltrada::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(linhas.size());
}

int ListaFiltrada::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : origem->columnCount();
}

QModelIndex ListaFiltrada::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    return createIndex(row, column);
}

QModelIndex ListaFiltrada::parent(const QModelIndex&) const {
    return {};
}

QModelIndex ListaFiltrada::mapToSource(const QModelIndex& proxyIndex) const {
    if (!proxyIndex.isValid() || proxyIndex.row() >= int(linhas.size()))
        return {};
    return origem->index(linhas[std::size_t(proxyIndex.row())], proxyIndex.column());
}

QModelIndex ListaFiltrada::mapFromSource(const QModelIndex& sourceIndex) const {
    if (!sourceIndex.isValid())
        return {};
    const auto achada = std::lower_bound(linhas.begin(), linhas.end(), sourceIndex.row());
    if (achada == linhas.end() || *achada != sourceIndex.row())
        return {};
    return createIndex(int(achada - linhas.begin()), sourceIndex.column());
}
