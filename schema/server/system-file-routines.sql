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
