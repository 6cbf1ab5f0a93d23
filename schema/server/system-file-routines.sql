/* The system database's file routines as the server plugin's routines
   (module vqfileops, built from udr/ and installed into the server by its
   setup). The databases are built with stand-ins that answer "not done",
   because an engine refuses a routine whose module it cannot load and the
   embedded engine has none; a system database that a Firebird server with
   the module serves gets these declarations. Paths travel as UTF-8. */

CREATE OR ALTER PROCEDURE DIRECTORYTEST (
  MODE       VARCHAR(10),
  FILEPATH1  VARCHAR(255) CHARACTER SET UTF8)
RETURNS (
  WBOOL      INTEGER)
EXTERNAL NAME 'vqfileops!directorytest' ENGINE UDR;

CREATE OR ALTER PROCEDURE FILEOPERATION (
  MODE       VARCHAR(10),
  FILEPATH1  VARCHAR(255) CHARACTER SET UTF8,
  FILEPATH2  VARCHAR(255) CHARACTER SET UTF8)
RETURNS (
  WBOOL      INTEGER)
EXTERNAL NAME 'vqfileops!fileoperation' ENGINE UDR;

CREATE OR ALTER PROCEDURE LONGTOSHORTFILENAME (
  LONGNAME   VARCHAR(255) CHARACTER SET UTF8)
RETURNS (
  SHORTNAME  VARCHAR(255) CHARACTER SET UTF8)
EXTERNAL NAME 'vqfileops!longtoshortfilename' ENGINE UDR;

COMMIT;

/* Only the office's database user runs the file routines (it owns them and
   holds EXECUTE from their creation): a grant to PUBLIC that a database
   built before this rule still carries is withdrawn. */
SET TERM ^ ;
EXECUTE BLOCK AS
  DECLARE NAME VARCHAR(63);
  DECLARE KIND VARCHAR(10);
  DECLARE GRANTOR VARCHAR(63);
BEGIN
  FOR SELECT TRIM(RDB$RELATION_NAME), IIF(RDB$OBJECT_TYPE = 5, 'PROCEDURE', 'FUNCTION'), TRIM(RDB$GRANTOR)
      FROM RDB$USER_PRIVILEGES
      WHERE RDB$USER = 'PUBLIC' AND RDB$PRIVILEGE = 'X' AND RDB$OBJECT_TYPE IN (5, 15)
        AND RDB$RELATION_NAME IN ('DIRECTORYTEST', 'FILEOPERATION', 'LONGTOSHORTFILENAME')
      INTO :NAME, :KIND, :GRANTOR DO
    EXECUTE STATEMENT 'REVOKE EXECUTE ON ' || KIND || ' "' || NAME || '" FROM PUBLIC GRANTED BY "' || GRANTOR || '"';
END^
SET TERM ; ^

COMMIT;
