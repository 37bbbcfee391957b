#pragma once

#include "data/SqlQuery.h"

#include <QObject>

class TdmGrupos : public QObject {
    Q_OBJECT
public:
    explicit TdmGrupos(QObject* parent = nullptr);

    SqlQuery* SQLQ_Grupos2;
};

extern TdmGrupos* dmGrupos;
