/* File-transfer database: reading and writing a file on the server inside
   a statement. This engine has no file access from SQL, so without the
   server's file plugin a file reads as no content (NULL), which the backup
   reports as a failed transfer, and a write fails, so that no restore
   starts from a file that was never written. */

CREATE EXCEPTION FILE_ACCESS_UNAVAILABLE 'このサーバーではファイルを転送できません。';

SET TERM ^ ;

CREATE FUNCTION SP_FILETOBLOB (FILENAME VARCHAR(255))
RETURNS BLOB SUB_TYPE 0
AS
BEGIN
  RETURN NULL;
END^

CREATE FUNCTION SP_BLOBTOFILE (FILENAME VARCHAR(255), CONTENT BLOB SUB_TYPE 0)
RETURNS BLOB SUB_TYPE 0
AS
BEGIN
  EXCEPTION FILE_ACCESS_UNAVAILABLE;
END^

SET TERM ; ^
