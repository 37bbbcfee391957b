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

    SqlQuery* SQLQ_MovEstq;
    SqlQuery* SQLQ_MovEstq2;
    ListCopy* cds_MovEstq;
    SqlQuery* SQLQ_MovEstq3;
    ListCopy* cds_movEstq2;
};

extern TdmMovEstq* dmMovEstq;
