/* Data-set database: functions. The engine runs no external function
   libraries, so the yen rounding the procedures and the database update use
   is a PSQL function. */

SET TERM ^ ;

/* An amount rounded to whole yen, halves away from zero (-1.5 gives -2). */
CREATE FUNCTION F_ROUND (X NUMERIC(16,4))
RETURNS NUMERIC(16,4)
AS
BEGIN
  RETURN ROUND(X, 0);
END^

SET TERM ; ^
