/* System database at its first release: the objects that the update steps
   drop and make again, or drop for good, in the form they had then. */

/* The shared-server data list before it was keyed by group: the group is a
   plain column at the end, in no key, so that the step that rebuilds the
   table can drop it. */
CREATE TABLE SERVERDATALIST (
  DRIVELETTER VARCHAR(1) CHARACTER SET ASCII NOT NULL,
  REC         INTEGER NOT NULL,
  ENTTEXT     VARCHAR(20),
  SHOUGOU     VARCHAR(20),
  PASNAME     VARCHAR(128),
  DATATYPE    INTEGER,
  CODETYPE    INTEGER,
  NENDO       INTEGER,
  KISHU       TIMESTAMP,
  KIMATU      TIMESTAMP,
  DATALOCK    INTEGER DEFAULT 0,
  TANTOU      INTEGER DEFAULT 0,
  VER_MAJOR   INTEGER DEFAULT 0,
  VER_MINOR1  INTEGER DEFAULT 0,
  VER_MINOR2  INTEGER DEFAULT 0,
  GROUPID     INTEGER DEFAULT 10000,
  CONSTRAINT PK_SERVERDATALIST PRIMARY KEY (DRIVELETTER, REC)
);

SET TERM ^ ;

/* Numbered per drive letter. */
CREATE TRIGGER SERVERDATALIST_NO FOR SERVERDATALIST
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
  IF (NEW.REC IS NULL OR NEW.REC = 0) THEN
    NEW.REC = COALESCE((SELECT MAX(REC) FROM SERVERDATALIST WHERE DRIVELETTER = NEW.DRIVELETTER), 0) + 1;
END^

SET TERM ; ^

SET TERM ^ ;

/* The data-list folders under a folder, compared without regard to letter
   case and left as they are; the lists of other data places came later. */
CREATE PROCEDURE SP_DATALIST_UPDATE (
  PATHTEXT   VARCHAR(254))
RETURNS (
  ROWCOUNT   INTEGER)
AS
BEGIN
  SELECT COUNT(*) FROM DATALIST
   WHERE UPPER(PASNAME) STARTING WITH UPPER(:PATHTEXT) INTO :ROWCOUNT;
  SUSPEND;
END^

SET TERM ; ^
