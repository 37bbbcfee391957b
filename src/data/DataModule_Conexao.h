#pragma once

#include "data/SqlConnection.h"

#include <QObject>

// Holds the stock connection (qor.gdb).
class TdmConexao : public QObject {
    Q_OBJECT
public:
    explicit TdmConexao(QObject* parent = nullptr);

    SqlConnection* SQLC_QOR;
};

extern TdmConexao* dmConexao;
