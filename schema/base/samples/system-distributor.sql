/* What the distributor editions (edition byte 1 and 2) add to the sample
   system database: their own journal-entry and job-cost menu positions on
   the first page of the general menu. */

INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (200, 1, 15);
INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (200, 1, 17);
INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (200, 1, 18);
INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (200, 1, 19);
