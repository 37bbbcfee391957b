#include "shell/Tela.h"

#include "shell/Conventions.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

TelaDeDados::TelaDeDados(QDialog* tela)
    : tela(tela), layout(new QVBoxLayout(tela)), grade(new QGridLayout), botoes(new QHBoxLayout) {
    layout->setContentsMargins(16, 12, 16, 12);
    grade->setColumnStretch(1, 1);
}

QLabel* TelaDeDados::titulo(const QString& nome) {
    auto* label = new QLabel(tela);
    label->setObjectName(nome);
    QFont fonte = label->font();
    fonte.setPointSize(fonte.pointSize() + 4);
    fonte.setBold(true);
    label->setFont(fonte);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    layout->addSpacing(8);
    return label;
}

namespace {

QLineEdit* criaCampo(QDialog* tela, const QString& nome, int maxLength, int larguraEmLetras) {
    auto* edit = new QLineEdit(tela);
    edit->setObjectName(nome);
    edit->setMaxLength(maxLength);
    edit->setFixedWidth(
        edit->fontMetrics().horizontalAdvance(QString(larguraEmLetras, u'M')) / 10 * 7 + 16);
    return edit;
}

} // namespace

void TelaDeDados::linha(const QString& legenda, QWidget* controle) {
    rotuloAtual = new QLabel(legenda, tela);
    NomeiaPeloRotulo(rotuloAtual, controle);
    grade->addWidget(rotuloAtual, linhas, 0, Qt::AlignRight | Qt::AlignVCenter);
    linhaAtual = new QHBoxLayout;
    linhaAtual->addWidget(controle);
    linhaAtual->addStretch();
    grade->addLayout(linhaAtual, linhas++, 1);
    ordem << controle;
}

void TelaDeDados::aoLado(QWidget* controle) {
    linhaAtual->insertWidget(linhaAtual->count() - 1, controle);
    ordem << controle;
}

QLineEdit* TelaDeDados::campo(const QString& nome, const QString& legenda, int maxLength,
                              int larguraEmLetras) {
    QLineEdit* edit = criaCampo(tela, nome, maxLength, larguraEmLetras);
    linha(legenda, edit);
    return edit;
}

QLineEdit* TelaDeDados::campoAoLado(const QString& nome, const QString& legenda, int maxLength,
                                    int larguraEmLetras) {
    QLineEdit* edit = criaCampo(tela, nome, maxLength, larguraEmLetras);
    if (legenda.isEmpty()) {
        // A text shown beside the row's field (a group's name beside its
        // code) is named by the row's label.
        edit->setAccessibleName(rotuloAtual->text().remove(u':'));
    } else {
        auto* rotulo = new QLabel(legenda, tela);
        linhaAtual->insertWidget(linhaAtual->count() - 1, rotulo);
        NomeiaPeloRotulo(rotulo, edit);
    }
    aoLado(edit);
    return edit;
}

QPlainTextEdit* TelaDeDados::caixaTexto(const QString& nome, const QString& legenda,
                                        int maxLength) {
    auto* caixa = new QPlainTextEdit(tela);
    caixa->setObjectName(nome);
    caixa->setTabChangesFocus(true);
    caixa->setFixedHeight(caixa->fontMetrics().lineSpacing() * 3 + 12);
    LimitaTexto(caixa, maxLength);
    linha(legenda, caixa);
    return caixa;
}

QPushButton* TelaDeDados::botao(const QString& nome, const QString& legenda) {
    auto* button = new QPushButton(legenda, tela);
    button->setObjectName(nome);
    button->setAutoDefault(false);
    botoes->addWidget(button);
    ordem << button;
    return button;
}

void TelaDeDados::conclui(Enter enter) {
    layout->addLayout(grade);
    layout->addSpacing(8);
    botoes->insertStretch(0);
    botoes->addStretch();
    layout->addLayout(botoes);
    for (qsizetype i = 0; i + 1 < ordem.size(); ++i)
        QWidget::setTabOrder(ordem[i], ordem[i + 1]);
    for (QWidget* controle : ordem)
        if (qobject_cast<QLineEdit*>(controle) || qobject_cast<QPlainTextEdit*>(controle) ||
            qobject_cast<QAbstractSpinBox*>(controle) || qobject_cast<QComboBox*>(controle))
            followFocusColour(controle);
    if (enter == Enter::Avanca)
        enterMovesOn(tela);
}

QLineEdit* SoLeitura(QLineEdit* campo) {
    campo->setReadOnly(true);
    campo->setFocusPolicy(Qt::ClickFocus);
    return campo;
}

void LimitaTexto(QPlainTextEdit* caixa, int maximo) {
    QObject::connect(caixa, &QPlainTextEdit::textChanged, caixa, [caixa, maximo] {
        const QString texto = caixa->toPlainText();
        if (texto.size() <= maximo)
            return;
        QTextCursor cursor = caixa->textCursor();
        const int posicao = cursor.position();
        caixa->setPlainText(texto.left(maximo));
        cursor.setPosition(std::min(posicao, maximo));
        caixa->setTextCursor(cursor);
    });
}

void LimitaDigitacao(QLineEdit* campo, int maximo) {
    campo->setMaxLength(32767);
    // Only the operator's edits are cut back: what was just typed or pasted
    // ends at the cursor, and the excess is taken from there.
    QObject::connect(campo, &QLineEdit::textEdited, campo, [campo, maximo](const QString& texto) {
        const qsizetype excesso = texto.size() - maximo;
        if (excesso <= 0)
            return;
        const qsizetype cursor = campo->cursorPosition();
        const qsizetype inicio = std::max<qsizetype>(0, cursor - excesso);
        QString cortado = texto;
        cortado.remove(inicio, std::min(excesso, cursor - inicio));
        campo->setText(cortado.left(maximo));
        campo->setCursorPosition(int(std::min<qsizetype>(inicio, maximo)));
    });
}

QPushButton* Botao(QWidget* tela, const QString& nome, const QString& legenda) {
    auto* button = new QPushButton(legenda, tela);
    button->setObjectName(nome);
    button->setAutoDefault(false);
    return button;
}

QRadioButton* Radio(QWidget* tela, const QString& nome, const QString& legenda) {
    auto* radio = new QRadioButton(legenda, tela);
    radio->setObjectName(nome);
    return radio;
}

QLabel* Rotulo(QWidget* tela, const QString& nome, const QString& texto) {
    auto* label = new QLabel(texto, tela);
    label->setObjectName(nome);
    return label;
}

QLineEdit* CampoBusca(QWidget* tela, const QString& nome, int maxLength) {
    auto* edit = new QLineEdit(tela);
    edit->setObjectName(nome);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    edit->setMinimumWidth(220);
    followFocusColour(edit);
    return edit;
}

void NomeiaPeloRotulo(QLabel* rotulo, QWidget* controle) {
    rotulo->setBuddy(controle);
    for (QLineEdit* interno : controle->findChildren<QLineEdit*>())
        interno->setAccessibleName(rotulo->text());
}

QTableView* Grade(QWidget* tela, const QString& nome) {
    auto* grid = new QTableView(tela);
    grid->setObjectName(nome);
    // A grid is the screen's list, named by the screen's title.
    grid->setAccessibleName(tela->windowTitle());
    QObject::connect(tela, &QWidget::windowTitleChanged, grid,
                     [grid](const QString& titulo) { grid->setAccessibleName(titulo); });
    grid->setMinimumSize(520, 260);
    return grid;
}

QGroupBox* Caixa(QWidget* tela, const QString& titulo, std::initializer_list<QWidget*> controles) {
    auto* caixa = new QGroupBox(titulo, tela);
    auto* linha = new QHBoxLayout(caixa);
    for (QWidget* controle : controles) {
        controle->setParent(caixa);
        linha->addWidget(controle);
    }
    return caixa;
}

QPushButton* BotaoBusca(QWidget* tela, const QString& nome) {
    QPushButton* botao = Botao(tela, nome, QStringLiteral("..."));
    botao->setFixedWidth(botao->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 12);
    return botao;
}

namespace {

// A date typed whole ("01/02/2024") is that date wherever the click or the
// focus put the cursor: the first digit typed after either starts the day.
class DataDigitada : public QObject {
public:
    explicit DataDigitada(QDateEdit* data) : QObject(data), data(data) {
        data->installEventFilter(this);
        for (QObject* filho : data->children())
            if (filho->isWidgetType())
                filho->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::MouseButtonPress:
            nova = true;
            break;
        case QEvent::KeyPress: {
            const QString texto = static_cast<QKeyEvent*>(event)->text();
            const bool digito = texto.size() == 1 && texto.front().isDigit();
            if (nova && digito) {
                data->setCurrentSection(QDateTimeEdit::DaySection);
                data->setSelectedSection(QDateTimeEdit::DaySection);
            }
            nova = false;
            // A full section moves on by itself; the "/" typed after it
            // must not move on once more.
            if (texto == QStringLiteral("/") && secaoDoDigito != QDateTimeEdit::NoSection &&
                data->currentSection() != secaoDoDigito) {
                secaoDoDigito = QDateTimeEdit::NoSection;
                return true;
            }
            secaoDoDigito = digito ? data->currentSection() : QDateTimeEdit::NoSection;
            break;
        }
        default:
            break;
        }
        return false;
    }

private:
    QDateEdit* data;
    bool nova = true;
    QDateTimeEdit::Section secaoDoDigito = QDateTimeEdit::NoSection;
};

} // namespace

QDateEdit* Data(QWidget* tela, const QString& nome) {
    auto* data = new QDateEdit(tela);
    data->setObjectName(nome);
    data->setCalendarPopup(true);
    data->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    new DataDigitada(data);
    return data;
}

void LarguraEmLetras(QLineEdit* campo, int letras) {
    campo->setMinimumWidth(campo->fontMetrics().horizontalAdvance(QString(letras, u'0')) + 12);
}

QLabel* RotuloDe(QWidget* tela, QWidget* controle, const QString& texto) {
    QLabel* rotulo = Rotulo(tela, QStringLiteral("lb") + controle->objectName(), texto);
    NomeiaPeloRotulo(rotulo, controle);
    return rotulo;
}

void OrdemTab(std::initializer_list<QWidget*> controles) {
    const QWidget* anterior = nullptr;
    for (QWidget* controle : controles) {
        if (anterior)
            QWidget::setTabOrder(const_cast<QWidget*>(anterior), controle);
        anterior = controle;
    }
}
