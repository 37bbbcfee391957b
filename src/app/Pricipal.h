#pragma once

#include <QMainWindow>
#include <QString>

// The main window: the hub from which every other screen is opened.
class TfPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit TfPrincipal(QWidget* parent = nullptr);

    QString Opcao;
    QString NomeEmpresa;
    QString FoneEmpresa;
    QString NumeroVersao;
};

extern TfPrincipal* fPrincipal;
