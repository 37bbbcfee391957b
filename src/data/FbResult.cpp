#include "data/FbResult.h"

#include "data/DbError.h"

namespace fb {

int ResultSet::indexOf(const QString& name) const {
    for (std::size_t i = 0; i < cols.size(); ++i)
        if (cols[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int ResultSet::columnIndex(const QString& name) const {
    const int index = indexOf(name);
    if (index < 0)
        throw DbError(QStringLiteral("Field '%1' not found").arg(name));
    return index;
}

void ResultSet::appendRow(std::vector<QVariant>& row) {
    for (auto& v : row)
        cells.push_back(std::move(v));
}

} // namespace fb
