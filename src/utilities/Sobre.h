#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about box: product, maker and version.
class TfSobre : public QDialog {
    Q_OBJECT
public:
    explicit TfSobre(QWidget* parent = nullptr);

    QLabel* lbVersao;
    QLabel* lbPagina;
    QPushButton* btnSobre_Fechar;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void lbPaginaClick();
};

extern TfSobre* fSobre;
