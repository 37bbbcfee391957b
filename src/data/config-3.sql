-- Configuration database (config.gdb), from schema 2 to 3: the schema's
-- version moves from the database's description, which database tools write
-- too, into the table ESQUEMA, which only this program writes.
--
-- Firebird gives a new table rows only once the transaction that created it
-- has committed, so this step runs in two: until the row is in, the version
-- still reads as 2 and the whole step runs again, RECREATE replacing the
-- empty table.
RECREATE TABLE ESQUEMA (
    VERSAO INTEGER NOT NULL
);
COMMIT;
INSERT INTO ESQUEMA (VERSAO) VALUES (3);

-- Every later step's script ends by updating this row:
--   UPDATE ESQUEMA SET VERSAO = N;
