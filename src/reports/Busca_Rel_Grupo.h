#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

// Asks for one group and lists its products in stock.
class TfBusca_Rel_Grupo : public QDialog {
    Q_OBJECT
public:
    explicit TfBusca_Rel_Grupo(QWidget* parent = nullptr);

    QString Relatorio;

    QLineEdit* edCodGrupo;
    QLineEdit* edDescGrupo;
};

extern TfBusca_Rel_Grupo* fBusca_Rel_Grupo;
