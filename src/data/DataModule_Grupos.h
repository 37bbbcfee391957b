#pragma once

#include "data/ListCopy.h"
#include "data/SqlQuery.h"

#include <QObject>

// Product groups: the command query and the shared group list.
class TdmGrupos : public QObject {
    Q_OBJECT
public:
    explicit TdmGrupos(QObject* parent = nullptr);

    SqlQuery* SQLQ_Grupos;
    SqlQuery* SQLQ_Grupos2;
    ListCopy* cds_Grupos;
};

extern TdmGrupos* dmGrupos;

// The insertion of a group, by the group screen and the import alike.
inline const QStringList InsereGrupo = {
    QStringLiteral("Insert into GRUPOS (GRU_Codigo,GRU_Descricao)"),
    QStringLiteral("Values (:CodigoC,:DescricaoC)")};
