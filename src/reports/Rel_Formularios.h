#pragma once

#include "reports/FormularioRelatorio.h"

// Report forms whose layouts are still to come: each prints its company
// header and page footer and holds the labels the output chooser writes.

class TfRel_Mov_ESTQ_EST : public FormularioRelatorio {
    Q_OBJECT
public:
    TfRel_Mov_ESTQ_EST();
    report::BandReport* const qrMov_Estq_EST;
    report::Label* lbTitulo;
    report::Label* lbTotal_Quantidade;
    report::Label* lbTotal_Reais;
    report::Label* lbDataIni;
    report::Label* lbDataFim;
};

class TfRelMovEstq_EST2 : public FormularioRelatorio {
    Q_OBJECT
public:
    TfRelMovEstq_EST2();
    report::BandReport* const qrMovEstq_EST2;
    report::Label* lbTitulo;
    report::Label* lbTotalQuantidadeEE;
    report::Label* lbTotalQuantidadeTT;
    report::Label* lbTotal_ReaisEE;
    report::Label* lbTotal_ReaisTT;
    report::Label* lbTotalTER;
    report::Label* lbTotalTEQ;
    report::Label* lbDataIni;
    report::Label* lbDataFim;
};

class TfRel_MovEstq_Produto_Geral : public FormularioRelatorio {
    Q_OBJECT
public:
    TfRel_MovEstq_Produto_Geral();
    report::BandReport* const qrMovEstq_Produto_Geral;
    report::Label* lbDataInicial;
    report::Label* lbDataFim;
    report::Label* lbCodPro;
    report::Label* lbDescPro;
};

class TfRel_Mov_Estq_Produto_ES : public FormularioRelatorio {
    Q_OBJECT
public:
    TfRel_Mov_Estq_Produto_ES();
    report::BandReport* const qrMov_Estq_Produto_ES;
    report::Label* lbDataInicial;
    report::Label* lbDataFim;
    report::Label* lbCodPro;
    report::Label* lbDescPro;
    report::Label* lbTitulo;
    report::Label* lbTit_EEQ;
    report::Label* lbTIT_EER;
    report::Label* lbTit_TipoSaida;
};

class TfRel_Mov_Estq_Grupo : public FormularioRelatorio {
    Q_OBJECT
public:
    TfRel_Mov_Estq_Grupo();
    report::BandReport* const qrMov_Estq_Grupos;
    report::Label* lbDataInicial;
    report::Label* lbDataFim;
    report::Label* lbCodPro;
    report::Label* lbDescPro;
};

class TfRel_Mov_Estq_Grupo_ES : public FormularioRelatorio {
    Q_OBJECT
public:
    TfRel_Mov_Estq_Grupo_ES();
    report::BandReport* const qrMov_Estq_Grupo_ES;
    report::Label* lbDataInicial;
    report::Label* lbDataFim;
    report::Label* lbCodPro;
    report::Label* lbDescPro;
    report::Label* lbTitulo;
    report::Label* lbTit_EEQ;
    report::Label* lbTIT_EER;
};

class TfRel_Mov_Estq_Tipo : public FormularioRelatorio {
    Q_OBJECT
public:
    TfRel_Mov_Estq_Tipo();
    report::BandReport* const qrMov_Estq_Tipo;
    report::Label* lbDataInicial;
    report::Label* lbDataFim;
    report::Label* lbCodPro;
    report::Label* lbDescPro;
};

class TfRel_Listas_Precos : public FormularioRelatorio {
    Q_OBJECT
public:
    TfRel_Listas_Precos();
    report::BandReport* const qp_Listas_Precos;
};

class TfRel_Itens_Estoque : public FormularioRelatorio {
    Q_OBJECT
public:
    TfRel_Itens_Estoque();
    report::BandReport* const qrItens_Estoque;
};

class TfRel_Itens_Estoque_Grupo : public FormularioRelatorio {
    Q_OBJECT
public:
    TfRel_Itens_Estoque_Grupo();
    report::BandReport* const qrItens_Estoque_Grupo;
};

class TfRelEstMin : public FormularioRelatorio {
    Q_OBJECT
public:
    TfRelEstMin();
    report::BandReport* const qrEstMin;
};

extern TfRel_Mov_ESTQ_EST* fRel_Mov_ESTQ_EST;
extern TfRelMovEstq_EST2* fRelMovEstq_EST2;
extern TfRel_MovEstq_Produto_Geral* fRel_MovEstq_Produto_Geral;
extern TfRel_Mov_Estq_Produto_ES* fRel_Mov_Estq_Produto_ES;
extern TfRel_Mov_Estq_Grupo* fRel_Mov_Estq_Grupo;
extern TfRel_Mov_Estq_Grupo_ES* fRel_Mov_Estq_Grupo_ES;
extern TfRel_Mov_Estq_Tipo* fRel_Mov_Estq_Tipo;
extern TfRel_Listas_Precos* fRel_Listas_Precos;
extern TfRel_Itens_Estoque* fRel_Itens_Estoque;
extern TfRel_Itens_Estoque_Grupo* fRel_Itens_Estoque_Grupo;
extern TfRelEstMin* fRelEstMin;
