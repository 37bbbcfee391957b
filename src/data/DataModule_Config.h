#pragma once

#include "data/SqlConnection.h"

#include <QObject>

// Holds the configuration connection (config.gdb).
class TdmConfig : public QObject {
    Q_OBJECT
public:
    explicit TdmConfig(QObject* parent = nullptr);

    SqlConnection* SQLC_Config;
};

extern TdmConfig* dmConfig;
