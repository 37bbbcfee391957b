-- Configuration database (config.gdb), from schema 3 to 4: nothing changes
-- here but the version, which moves with the stock database's.
UPDATE ESQUEMA SET VERSAO = 4;
