#include "reports/Busca_Rel_Grupo.h"

#include <QLineEdit>

TfBusca_Rel_Grupo* fBusca_Rel_Grupo = nullptr;

TfBusca_Rel_Grupo::TfBusca_Rel_Grupo(QWidget* parent)
    : QDialog(parent), edCodGrupo(new QLineEdit(this)), edDescGrupo(new QLineEdit(this)) {
    setObjectName(QStringLiteral("fBusca_Rel_Grupo"));
    edCodGrupo->setObjectName(QStringLiteral("edCodGrupo"));
    edDescGrupo->setObjectName(QStringLiteral("edDescGrupo"));
}
