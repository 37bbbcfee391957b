#pragma once

#include "data/ListCopy.h"
#include "data/SqlQuery.h"

#include <QObject>

// Types of stock exit: the command query and the shared exit-type list.
class TdmTipos : public QObject {
    Q_OBJECT
public:
    explicit TdmTipos(QObject* parent = nullptr);

    SqlQuery* SQLQ_Tipos;
    SqlQuery* SQLQ_Tipos2;
    ListCopy* cds_Tipos;
};

extern TdmTipos* dmTipos;
