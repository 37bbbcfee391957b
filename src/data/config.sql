-- Configuration database (config.gdb). Created with default character set
-- ISO8859_1, dialect 3. Each statement ends with a semicolon at the end of
-- its line.

-- The company name sorts as a Brazilian reader expects (ISO 8859-1's PT_PT).
CREATE DOMAIN DM_TEXTO80 AS VARCHAR(80) CHARACTER SET ISO8859_1 COLLATE PT_PT;

CREATE TABLE EMPRESA (
    EMP_CODIGO VARCHAR(3) NOT NULL,
    EMP_NOME   DM_TEXTO80,
    EMP_INSC   VARCHAR(18),
    EMP_ENDER  VARCHAR(50),
    EMP_BAIRRO VARCHAR(30),
    EMP_CIDADE VARCHAR(29),
    EMP_UF     VARCHAR(4),
    EMP_FONE   VARCHAR(15),
    EMP_FAX    VARCHAR(15),
    EMP_EMAIL  VARCHAR(80),
    EMP_HOMEP  VARCHAR(80),
    EMP_OBS    VARCHAR(200),
    CONSTRAINT PK_EMPRESA PRIMARY KEY (EMP_CODIGO)
);

CREATE TABLE CONFIGURACOES (
    LOGIN VARCHAR(1)
);

INSERT INTO EMPRESA (EMP_CODIGO) VALUES ('001');

INSERT INTO CONFIGURACOES (LOGIN) VALUES ('N');

-- The version of this schema, in a table only this program writes; an older
-- database is brought up to it. Every numbered step's script ends by
-- updating this row.
CREATE TABLE ESQUEMA (
    VERSAO INTEGER NOT NULL
);

INSERT INTO ESQUEMA (VERSAO) VALUES (4);
