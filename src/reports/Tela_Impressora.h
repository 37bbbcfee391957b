#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

// The output chooser: the report its caller named in Relatorio goes to the
// screen or to the printer.
class TfTela_Impressora : public QDialog {
    Q_OBJECT
public:
    explicit TfTela_Impressora(QWidget* parent = nullptr);

    QString Relatorio;

    QLabel* Label1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;

private:
    void setupConnections();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void produz(bool naTela);
};

extern TfTela_Impressora* fTela_Impressora;
