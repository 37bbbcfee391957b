-- Configuration database (config.gdb), from schema 1 to 2: the company name
-- takes the PT_PT collation. Run in one transaction.

CREATE DOMAIN DM_TEXTO80 AS VARCHAR(80) CHARACTER SET ISO8859_1 COLLATE PT_PT;
ALTER TABLE EMPRESA ALTER COLUMN EMP_NOME TYPE DM_TEXTO80;
COMMENT ON DATABASE IS 'Kelvara: esquema 2';
