#pragma once

#include "data/SqlQuery.h"

#include <QObject>

// The company row of the configuration database, read on demand.
class TdmEmpresa : public QObject {
    Q_OBJECT
public:
    explicit TdmEmpresa(QObject* parent = nullptr);

    SqlQuery* SQLQ_Empresa;
};

extern TdmEmpresa* dmEmpresa;
