/* System database: triggers. */

SET TERM ^ ;

/* Each applied step adds a version row; its number follows the last one. */
CREATE TRIGGER VERSION_REC FOR VERSION
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
  NEW.REC = COALESCE((SELECT MAX(REC) FROM VERSION), 0) + 1;
END^

SET TERM ; ^
