/* Data 3.0.4: the account trigger the cash-book exchange looks for; read
   only when the data set lacks it. */
SET TERM ^ ;
CREATE TRIGGER KAMOKUMST_AFTER_UPDATE2 FOR KAMOKUMST
ACTIVE AFTER UPDATE POSITION 2
AS
BEGIN
END^
SET TERM ; ^
COMMIT;
