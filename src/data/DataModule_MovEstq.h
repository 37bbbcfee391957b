#pragma once

#include "data/ListCopy.h"
#include "data/SqlQuery.h"

#include <QObject>

// Stock movements: the command query, the movement list that the query
// screen and the movement reports show, and the maintenance list.
class TdmMovEstq : public QObject {
    Q_OBJECT
public:
    explicit TdmMovEstq(QObject* parent = nullptr);

    // The statement of the movement list before a screen or report adds its
    // conditions and order.
    static inline const QString BaseMovEstq2 = QStringLiteral(
        "SElect m.*,p.PRO_Descricao, c.DESCRICAO,t.TIP_Descricao From Mov_Estq m join Produtos p "
        "on (m.MOV_CodPro = p.PRO_Codigo) join CodMOV c on (m.MOV_Oper=c.CODIGO)  Left Outer "
        "join Tipos t on (m.MOV_Tipo=t.TIP_CODIGO)");

    SqlQuery* SQLQ_MovEstq;
    SqlQuery* SQLQ_MovEstq2;
    ListCopy* cds_MovEstq;
    SqlQuery* SQLQ_MovEstq3;
    ListCopy* cds_movEstq2;
};

extern TdmMovEstq* dmMovEstq;
