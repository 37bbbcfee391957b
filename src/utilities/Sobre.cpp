#include "utilities/Sobre.h"

#include "shell/Contato.h"
#include "shell/Sessao.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

TfSobre* fSobre = nullptr;

TfSobre::TfSobre(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("fSobre"));
    setWindowTitle(QStringLiteral("Sobre"));

    auto* titulo = new QLabel(QStringLiteral("Programa Kelvara"), this);
    QFont fonte = titulo->font();
    fonte.setPointSize(fonte.pointSize() + 6);
    fonte.setBold(true);
    titulo->setFont(fonte);

    lbVersao = new QLabel(this);
    lbVersao->setObjectName(QStringLiteral("lbVersao"));
    lbPagina = new QLabel(Contato::HomePage, this);
    lbPagina->setObjectName(QStringLiteral("lbPagina"));
    QPalette azul = lbPagina->palette();
    azul.setColor(QPalette::WindowText, Qt::blue);
    lbPagina->setPalette(azul);
    QFont sublinhado = lbPagina->font();
    sublinhado.setUnderline(true);
    lbPagina->setFont(sublinhado);
    lbPagina->setCursor(Qt::PointingHandCursor);
    lbPagina->installEventFilter(this);

    btnSobre_Fechar = new QPushButton(QStringLiteral("Fechar"), this);
    btnSobre_Fechar->setObjectName(QStringLiteral("btnSobre_Fechar"));

    auto* dados = new QFormLayout;
    dados->addRow(QStringLiteral("Versão:"), lbVersao);
    dados->addRow(QStringLiteral("Email:"), new QLabel(Contato::Email, this));
    dados->addRow(QStringLiteral("Home Page:"), lbPagina);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 20, 28, 16);
    layout->addWidget(titulo, 0, Qt::AlignHCenter);
    layout->addWidget(new QLabel(QString(), this));
    layout->addLayout(dados);
    layout->addSpacing(12);
    layout->addWidget(btnSobre_Fechar, 0, Qt::AlignHCenter);

    connect(btnSobre_Fechar, &QPushButton::clicked, this, &QDialog::close);
}

void TfSobre::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    lbVersao->setText(sessao().NumeroVersao);
}

bool TfSobre::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lbPagina && event->type() == QEvent::MouseButtonRelease)
        lbPaginaClick();
    return QDialog::eventFilter(watched, event);
}

void TfSobre::lbPaginaClick() {
    QDesktopServices::openUrl(QUrl::fromUserInput(lbPagina->text()));
}
