#pragma once

#include "data/SqlQuery.h"

#include <QObject>

class TdmVersao : public QObject {
    Q_OBJECT
public:
    explicit TdmVersao(QObject* parent = nullptr);

    SqlQuery* SQLQ_Versao;
};

extern TdmVersao* dmVersao;
