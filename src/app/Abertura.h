#pragma once

#include <QWidget>

#include <exception>

class QLabel;

// What the operator is told when a database does not open: the not-found
// message, or that a restore is replacing it.
QString MensagemAoAbrir(const std::exception& e);

// The progress screen of start-up. Its show step opens the databases, or
// asks for their folder when there is no configuration file yet.
class TfAbertura : public QWidget {
    Q_OBJECT
public:
    explicit TfAbertura(QWidget* parent = nullptr);

    // Puts the text into the progress panel and paints it at once: the
    // message loop is not running yet, so nothing else would.
    void setProgress(const QString& text);

    QLabel* pCriando;
    // The databases were open in another Kelvara on this computer; the
    // operator has been told so and the start ends.
    bool JaAberto = false;
    // A database this program must not open now: newer, its upgrade failed,
    // or a restore of it runs or could not be taken up again.
    bool BancoRecusado = false;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    // Brings the folder's databases up to this version of the program,
    // telling the operator first.
    void atualizaBancos();
    // Finishes or undoes, as the operator chooses, the restores of the
    // folder's databases that were cut; answers whether the start goes on.
    bool retomaRestauracoes(const QString& pasta);
};
