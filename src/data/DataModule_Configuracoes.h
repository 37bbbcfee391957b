#pragma once

#include "data/SqlQuery.h"

#include <QObject>

class TdmConfiguracoes : public QObject {
    Q_OBJECT
public:
    explicit TdmConfiguracoes(QObject* parent = nullptr);

    SqlQuery* SQLQ_Configuracoes;
};

extern TdmConfiguracoes* dmConfiguracoes;
