-- Stock database (qor.gdb), from schema 3 to 4: stock counts.

-- Stock counts (balanços). A count has a number, a description and a state:
-- "A" open, "P" applied, "C" cancelled.
CREATE TABLE BALANCO (
    BAL_NUMERO     INTEGER NOT NULL,
    BAL_DESCRICAO  VARCHAR(50) NOT NULL,
    BAL_ABERTURA   TIMESTAMP NOT NULL,
    BAL_SITUACAO   CHAR(1) NOT NULL,
    BAL_FECHAMENTO TIMESTAMP,
    CONSTRAINT PK_BALANCO PRIMARY KEY (BAL_NUMERO)
);

CREATE SEQUENCE GEN_BALANCO;

-- The products of each count, and what its apply found for each: the
-- quantity expected, the one counted and the cost price of the difference.
CREATE TABLE BALANCO_PRODUTO (
    BAP_NUMERO   INTEGER NOT NULL,
    BAP_CODPRO   VARCHAR(10) NOT NULL,
    BAP_ESPERADO NUMERIC(15,3),
    BAP_CONTADO  NUMERIC(15,3),
    BAP_PCUSTO   NUMERIC(15,2),
    CONSTRAINT PK_BALANCO_PRODUTO PRIMARY KEY (BAP_NUMERO, BAP_CODPRO)
);

-- A product in an open count, once: its key refuses a second open count of
-- the same product, whichever workstation opens it.
CREATE TABLE BALANCO_ABERTO (
    BAA_CODPRO VARCHAR(10) NOT NULL,
    BAA_NUMERO INTEGER NOT NULL,
    CONSTRAINT PK_BALANCO_ABERTO PRIMARY KEY (BAA_CODPRO)
);

-- The count lines, only ever inserted, so that workstations counting at once
-- never wait on one another: the quantity counted, the quantity on hand read
-- in the same transaction, when and who. A cancelled line stays, and a line
-- of the opposite quantity naming it (BLI_CANCELA) cancels it.
CREATE TABLE BALANCO_LINHA (
    BLI_ID      BIGINT NOT NULL,
    BLI_NUMERO  INTEGER NOT NULL,
    BLI_CODPRO  VARCHAR(10) NOT NULL,
    BLI_QUANT   NUMERIC(15,3) NOT NULL,
    BLI_ESTOQUE NUMERIC(15,3) NOT NULL,
    BLI_MOMENTO TIMESTAMP NOT NULL,
    BLI_QUEM    VARCHAR(30) NOT NULL,
    BLI_CANCELA BIGINT,
    CONSTRAINT PK_BALANCO_LINHA PRIMARY KEY (BLI_ID)
);

CREATE SEQUENCE GEN_BALANCO_LINHA;
CREATE INDEX IX_BALANCO_LINHA_PRODUTO ON BALANCO_LINHA (BLI_NUMERO, BLI_CODPRO);
CREATE UNIQUE INDEX IX_BALANCO_LINHA_CANCELA ON BALANCO_LINHA (BLI_CANCELA);

UPDATE ESQUEMA SET VERSAO = 4;
