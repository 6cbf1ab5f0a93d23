/* Data-set database: the rows a new data set starts with. The description
   row is that of an individual's general business for calendar 2024; whoever
   makes a data set replaces its values. Accounts come before the facility:
   a new facility gets the balance rows of the accounts that exist. */

INSERT INTO ACCVERSION (REC, MAJOR, MINOR1, MINOR2, MEMO) VALUES (1, 14, 0, 0, '');

INSERT INTO ACCDEF1 (REC, DATATYPE, CODETYPE, NENDO, KISHU, KIMATU, KAISI, SIME, KAISINO)
VALUES (1, 2, 1, 1, '2024-01-01', '2024-12-31', '2024-01-01', 99, 1);

INSERT INTO TUSIN_ID (REC, HOLDER, PASWORD) VALUES (1, '', '');

/* The blank department: balances kept without departments. */
INSERT INTO BUMONMST (BCODE, BNAME) VALUES (' ', '');

COMMIT;
