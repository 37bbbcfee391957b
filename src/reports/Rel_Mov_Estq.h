#pragma once

#include "reports/FormularioRelatorio.h"
#include "reports/NoveTotais.h"

// Every movement of a period by date, with the totals per operation and the
// legend of the operation codes in the footer.
class TfRel_Mov_Estq : public FormularioRelatorio {
    Q_OBJECT
public:
    TfRel_Mov_Estq();

    report::BandReport* const qrMov_Estq;
    report::Label* lbTitulo;
    report::Label* lbDataIni; // written by the period dialog
    report::Label* lbDataFim;
    NoveTotais totais;

private:
    void qrMov_EstqBeforePrint();
    void DetailBand1BeforePrint(int row);
};

extern TfRel_Mov_Estq* fRel_Mov_Estq;
