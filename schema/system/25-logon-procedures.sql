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
SET TERM ^ ;

CREATE OR ALTER PROCEDURE LOGONUSERTEST (
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

SET TERM ; ^
