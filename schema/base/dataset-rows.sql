/* A data set's database at its first release: the rows it starts with. */

INSERT INTO ACCVERSION (REC, MAJOR, MINOR1, MINOR2, MEMO) VALUES (1, 0, 1, 0, '');

INSERT INTO ACCDEF1 (REC, DATATYPE, CODETYPE, NENDO, KISHU, KIMATU, KAISI, SIME, KAISINO)
VALUES (1, 2, 1, 1, '2024-01-01', '2024-12-31', '2024-01-01', 99, 1);

/* The blank department: balances kept without departments. */
INSERT INTO BUMONMST (BCODE, BNAME) VALUES (' ', '');
