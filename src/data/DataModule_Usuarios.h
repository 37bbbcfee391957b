#pragma once

#include "data/ListCopy.h"
#include "data/SqlQuery.h"

#include <QObject>

// Users who may log in: the command query and the user list.
class TdmUsuarios : public QObject {
    Q_OBJECT
public:
    explicit TdmUsuarios(QObject* parent = nullptr);

    SqlQuery* SQLQ_Usuarios;
    SqlQuery* SQLQ_Usuarios2;
    ListCopy* cds_Usuarios;
};

extern TdmUsuarios* dmUsuarios;
