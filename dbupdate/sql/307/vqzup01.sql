/* Data 3.0.7: the balance-row trigger in its current form (the step
   makes an empty one first when the data set lacks it). */
SET TERM ^ ;
CREATE OR ALTER TRIGGER KAMOKUSZ_AFTER_DELETE2 FOR KAMOKU_SZ
ACTIVE AFTER DELETE POSITION 0
AS
DECLARE dvSITEN INTEGER;
BEGIN
END^
SET TERM ; ^
COMMIT;
