#include "app/Abertura.h"

#include "app/Config_BancoDados.h"
#include "data/Conexao.h"
#include "data/ConfigIni.h"
#include "data/DbError.h"
#include "data/Esquema.h"
#include "data/Restauracao.h"
#include "shell/Arquivos.h"
#include "shell/Contato.h"
#include "shell/Messages.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

TfAbertura::TfAbertura(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("fAbertura"));
    setWindowTitle(QStringLiteral("Kelvara"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    QPalette info = panel->palette();
    info.setColor(QPalette::Window, palette().color(QPalette::ToolTipBase));
    panel->setPalette(info);

    auto addLabel = [panel](const QString& name, const QString& text, int pointSize) {
        auto* label = new QLabel(text, panel);
        label->setObjectName(name);
        label->setAlignment(Qt::AlignCenter);
        QFont font = label->font();
        font.setPointSize(pointSize);
        label->setFont(font);
        return label;
    };
    QLabel* title = addLabel(QStringLiteral("Label1"), QStringLiteral("Programa Kelvara"), 20);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    QLabel* empresa = addLabel(QStringLiteral("Label2"), Contato::Empresa, 11);
    QLabel* home = addLabel(QStringLiteral("Label3"), Contato::HomePage, 10);
    QLabel* email = addLabel(QStringLiteral("Label4"), Contato::Email, 10);

    pCriando = new QLabel(QStringLiteral("Criando"), panel);
    pCriando->setObjectName(QStringLiteral("pCriando"));
    pCriando->setAlignment(Qt::AlignCenter);
    pCriando->setAutoFillBackground(true);
    pCriando->setMinimumHeight(28);
    QPalette dark = pCriando->palette();
    dark.setColor(QPalette::Window, Qt::black);
    dark.setColor(QPalette::WindowText, Qt::white);
    pCriando->setPalette(dark);

    auto* inner = new QVBoxLayout(panel);
    inner->setContentsMargins(24, 20, 24, 16);
    inner->setSpacing(8);
    inner->addWidget(title);
    inner->addSpacing(12);
    inner->addWidget(empresa);
    inner->addWidget(home);
    inner->addWidget(email);
    inner->addSpacing(16);
    inner->addWidget(pCriando);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(panel);
    resize(460, 280);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfAbertura::setProgress(const QString& text) {
    pCriando->setText(text);
    pCriando->repaint();
}

void TfAbertura::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TfAbertura::FormShow() {
    if (!ConfigIni::exists()) {
        // The folder screen connects the folder it saves.
        if (fConfig_BancoDados->exec() == QDialog::Accepted)
            atualizaBancos();
        return;
    }
    const QString pasta = ConfigIni::readFolder();
    if (!retomaRestauracoes(pasta)) {
        BancoRecusado = true;
        return;
    }
    try {
        ConectaBancos(pasta);
    } catch (const std::exception& e) {
        if (AbertoEmOutroPrograma(e)) {
            Messages::information(MensagemJaAberto);
            JaAberto = true;
            return;
        }
        Messages::error(MensagemAoAbrir(e));
        BancoRecusado = Restauracao::emRestauracao(e);
        return;
    }
    atualizaBancos();
}

QString MensagemAoAbrir(const std::exception& e) {
    if (Restauracao::emRestauracao(e))
        return MensagemEmRestauracao + u'\n' + errorText(e);
    return MensagemBancoNaoEncontrado(errorText(e));
}

bool TfAbertura::retomaRestauracoes(const QString& pasta) {
    for (const QString& arquivo : {QStringLiteral("qor.gdb"), QStringLiteral("config.gdb")}) {
        try {
            const auto cortada = Restauracao::procuraInterrompida(CaminhoBanco(pasta, arquivo));
            if (!cortada)
                continue;
            bool concluir = true;
            if (cortada->podeDesfazer)
                concluir = Messages::confirm(
                    cortada->descricao() +
                    QStringLiteral("\n\nConcluir a restauração agora?\nSim: o Banco de Dados "
                                   "fica com os dados do backup.\nNão: o Banco de Dados volta "
                                   "aos dados de antes da restauração."));
            else
                Messages::information(cortada->descricao());
            EmSegundoPlano(this,
                           concluir
                               ? QStringLiteral("Concluindo a restauração...")
                               : QStringLiteral("Voltando aos dados de antes da restauração..."),
                           [&](const InformaProgresso& informa) {
                               if (concluir)
                                   Restauracao::conclui(*cortada, informa);
                               else
                                   Restauracao::desfaz(*cortada, informa);
                           });
            Messages::information(
                concluir ? QStringLiteral("A restauração do Banco de Dados %1 foi concluída.")
                               .arg(arquivo)
                         : QStringLiteral("O Banco de Dados %1 voltou aos dados de antes da "
                                          "restauração.")
                               .arg(arquivo));
        } catch (const std::exception& e) {
            Messages::error(errorText(e));
            return false;
        }
    }
    return true;
}

void TfAbertura::atualizaBancos() {
    const QString pasta = ConfigIni::readFolder();
    try {
        const QStringList antigos = BancosDesatualizados(pasta);
        if (antigos.isEmpty())
            return;
        Messages::information(
            QStringLiteral("%1 de uma versão anterior do Kelvara e vão ser atualizados agora: "
                           "a estrutura das tabelas é ajustada a esta versão do programa. "
                           "Nenhum dado é alterado, e se a atualização não puder ser feita o "
                           "Banco de Dados fica como está.")
                .arg(antigos.size() == 1 ? QStringLiteral("O Banco de Dados %1 é").arg(antigos[0])
                                         : QStringLiteral("Os Bancos de Dados %1 são")
                                               .arg(antigos.join(QStringLiteral(" e ")))));
        AtualizaBancos(pasta, [this](const QString& arquivo, int passo) {
            setProgress(QStringLiteral("Atualizando %1 (esquema %2)...").arg(arquivo).arg(passo));
        });
    } catch (const EsquemaRecusado& e) {
        Messages::error(e.message());
        BancoRecusado = true;
    } catch (const std::exception& e) {
        Messages::error(MensagemAoAbrir(e));
        BancoRecusado = true;
    }
}
