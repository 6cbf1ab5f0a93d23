/* System database: functions and stored procedures. */

SET TERM ^ ;

/* The last N characters of a text (the slot procedure numbers folders with
   the last four digits of count + 10000). */
CREATE FUNCTION F_RIGHT (TXT VARCHAR(254), N INTEGER)
RETURNS VARCHAR(254)
AS
BEGIN
  RETURN RIGHT(TXT, N);
END^

/* Creates the fixed slots of a data place: from the highest REC of the
   place's list (none counts as 0) up to MAXCNT, one blank row per slot whose
   folder is PATHTEXT "\" and the slot number in four digits. Place 0 is the
   standard place (DATALIST), any other one lives in DATALIST_EX. Callers fetch
   every row so that the procedure runs to its end. The folder separator
   follows PATHTEXT: "\" for a Windows-style path, "/" for a path that has
   only "/" in it. */
CREATE PROCEDURE SP_DATALIST_INSERT (
  DATAPLACEREC INTEGER,
  PATHTEXT     VARCHAR(254),
  MAXCNT       INTEGER)
RETURNS (
  REC          INTEGER,
  PATHNAME     VARCHAR(254))
AS
DECLARE VARIABLE CNT INTEGER;
DECLARE VARIABLE vSEP CHAR(1);
BEGIN
  vSEP = IIF(POSITION('/' IN PATHTEXT) > 0 AND POSITION('\' IN PATHTEXT) = 0, '/', '\');
  IF (DATAPLACEREC = 0) THEN
    SELECT MAX(REC) FROM DATALIST INTO :CNT;
  ELSE
    SELECT MAX(REC) FROM DATALIST_EX WHERE DATAPLACEREC = :DATAPLACEREC INTO :CNT;
  CNT = COALESCE(CNT, 0);
  WHILE (CNT < MAXCNT) DO
  BEGIN
    CNT = CNT + 1;
    PATHNAME = PATHTEXT || vSEP || F_RIGHT(CAST(CNT + 10000 AS VARCHAR(12)), 4);
    IF (DATAPLACEREC = 0) THEN
      INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, SHOUGOU, PASNAME, NETDRIVE,
                            DATATYPE, CODETYPE, NENDO, KISHU, KIMATU)
      VALUES (:CNT, 10000, '', '', :PATHNAME, 0, 0, 0, 0,
              '1899-12-30', '1899-12-30');
    ELSE
      INSERT INTO DATALIST_EX (DATAPLACEREC, REC, GROUPID, ENTTEXT, SHOUGOU, PASNAME,
                               NETDRIVE, DATATYPE, CODETYPE, NENDO, KISHU, KIMATU)
      VALUES (:DATAPLACEREC, :CNT, 10000, '', '', :PATHNAME, 0, 0, 0, 0,
              '1899-12-30', '1899-12-30');
    REC = CNT;
    SUSPEND;
  END
END^

/* The logon check of the logon dialog.

   LOGONUSERTEST answers one row: NUM, LOGINCODE (the operator number) and
   JOBLEVEL.
     0  logged on; the operator's LOGONUSERLIST row is added
     1  logged on again from the same computer (its row is kept)
    -1  unknown operator or wrong password (compared exactly: letter case
        and trailing blanks count)
    -3  the operator is logged on from another computer now; nothing is
        recorded, the operator must log off there first
   A computer that ended without logging off gets its own operator back
   with 1, so a crash never locks an operator out of the computer it used. */
CREATE PROCEDURE LOGONUSERTEST (
  PCNAME     VARCHAR(64),
  GROUPID    INTEGER,
  OPCODE     INTEGER,
  APPVERSION INTEGER,
  PASWORD    VARCHAR(32))
RETURNS (
  NUM        INTEGER,
  LOGINCODE  INTEGER,
  JOBLEVEL   INTEGER)
AS
DECLARE VARIABLE FOUND INTEGER;
DECLARE VARIABLE STORED VARCHAR(16);
DECLARE VARIABLE LEVEL INTEGER;
DECLARE VARIABLE FULLCODE BIGINT;
BEGIN
  NUM = -1;
  LOGINCODE = OPCODE;
  JOBLEVEL = 0;
  SELECT 1, COALESCE(O.PASWORD, ''), COALESCE(O.JOBLEVEL, 0)
    FROM OPERATOR O
   WHERE O.GROUPID = :GROUPID AND O.OPCODE = :OPCODE
    INTO :FOUND, :STORED, :LEVEL;
  IF (FOUND IS NULL) THEN
  BEGIN
    SUSPEND;
    EXIT;
  END
  IF (STORED <> COALESCE(PASWORD, '')
      OR OCTET_LENGTH(STORED) <> OCTET_LENGTH(COALESCE(PASWORD, ''))) THEN
  BEGIN
    SUSPEND;
    EXIT;
  END
  FULLCODE = CAST(GROUPID AS BIGINT) * 10000 + OPCODE;
  JOBLEVEL = LEVEL;
  IF (EXISTS (SELECT 1 FROM LOGONUSERLIST L
               WHERE L.OPCODE = :FULLCODE AND L.PCNAME = :PCNAME)) THEN
    NUM = 1;
  ELSE IF (EXISTS (SELECT 1 FROM LOGONUSERLIST L
                    WHERE L.OPCODE = :FULLCODE
                      AND L.PCNAME IS DISTINCT FROM :PCNAME)) THEN
    NUM = -3;
  ELSE
  BEGIN
    INSERT INTO LOGONUSERLIST (OPCODE, OPERATORCODE, GROUPID, PCNAME)
    VALUES (:FULLCODE, :OPCODE, :GROUPID, :PCNAME);
    NUM = 0;
  END
  SUSPEND;
END^

/* The terminal-server variant: PCNAME carries the login user name. */
CREATE PROCEDURE TE_LOGONUSERTEST (
  PCNAME     VARCHAR(64),
  GROUPID    INTEGER,
  OPCODE     INTEGER,
  APPVERSION INTEGER,
  PASWORD    VARCHAR(32))
RETURNS (
  NUM        INTEGER,
  LOGINCODE  INTEGER,
  JOBLEVEL   INTEGER)
AS
BEGIN
  SELECT NUM, LOGINCODE, JOBLEVEL
    FROM LOGONUSERTEST(:PCNAME, :GROUPID, :OPCODE, :APPVERSION, :PASWORD)
    INTO :NUM, :LOGINCODE, :JOBLEVEL;
  SUSPEND;
END^

/* The data-list folders of a server office under one folder, compared
   without regard to letter case. The folders keep their case: file names
   are case-sensitive here, so a folder written in capitals would point
   nowhere. ROWCOUNT is the number of rows under the folder; one row. */
CREATE PROCEDURE SP_DATALIST_UPDATE (
  PATHTEXT   VARCHAR(254))
RETURNS (
  ROWCOUNT   INTEGER)
AS
BEGIN
  SELECT COUNT(*) FROM DATALIST
   WHERE UPPER(PASNAME) STARTING WITH UPPER(:PATHTEXT) INTO :ROWCOUNT;
  ROWCOUNT = ROWCOUNT + (SELECT COUNT(*) FROM DATALIST_EX
                          WHERE UPPER(PASNAME) STARTING WITH UPPER(:PATHTEXT));
  SUSPEND;
END^

/* Server-side file operations. This engine has no file access from SQL, so
   the folder and file operations answer WBOOL 0 (not done) and the callers
   report the failure instead of assuming success; the 8.3 name of a path is
   the path itself. */
CREATE PROCEDURE DIRECTORYTEST (
  MODE       VARCHAR(10),
  FILEPATH1  VARCHAR(255))
RETURNS (
  WBOOL      INTEGER)
AS
BEGIN
  WBOOL = 0;
  SUSPEND;
END^

CREATE PROCEDURE FILEOPERATION (
  MODE       VARCHAR(10),
  FILEPATH1  VARCHAR(255),
  FILEPATH2  VARCHAR(255))
RETURNS (
  WBOOL      INTEGER)
AS
BEGIN
  WBOOL = 0;
  SUSPEND;
END^

CREATE PROCEDURE LONGTOSHORTFILENAME (
  LONGNAME   VARCHAR(255))
RETURNS (
  SHORTNAME  VARCHAR(255))
AS
BEGIN
  SHORTNAME = LONGNAME;
  SUSPEND;
END^

SET TERM ; ^
