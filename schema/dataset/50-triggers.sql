/* Data-set database: triggers. */

SET TERM ^ ;

/* A new journal row is added to the totals; a fixed-asset link (LINKKUB 8)
   marks its assets as booked. A row written already deleted (copied or
   restored history) stays out of the totals, as any deleted row: counting
   it would count it twice once it is brought back (1 -> 0). */
CREATE TRIGGER SIWAKE_AFTER_INSERT FOR SIWAKE
ACTIVE AFTER INSERT POSITION 0
AS
BEGIN
  IF (COALESCE(NEW.DELFLG, 0) = 0) THEN
    EXECUTE PROCEDURE SP_SIWAKE_TOTAL_ADD(NEW.SCODE, NEW.BCODE, NEW.KCODE, NEW.HCODE, NEW.MNUM,
                                          NEW.TAISHAKU, NEW.NUK, NEW.ZEI, NEW.TAXUH, 1);
  IF (NEW.LINKKUB = 8) THEN
    EXECUTE PROCEDURE SP_KS_SISAN_TRANSKBN(NEW.SCODE, NEW.LINKKEY, NEW.LINKREC, 1, 0);
END^

/* Only the deleted flag moves totals: a row marked deleted (0 -> not 0)
   leaves them, and the assets of its fixed-asset link are unmarked once no
   journal row of that link remains; a deleted row that comes back (1 -> 0)
   rejoins them. Corrections replace rows (flag 2 and a new row), so any
   other update changes no total. */
CREATE TRIGGER SIWAKE_AFTER_UPDATE FOR SIWAKE
ACTIVE AFTER UPDATE POSITION 0
AS
BEGIN
  IF (COALESCE(OLD.DELFLG, 0) = 0 AND COALESCE(NEW.DELFLG, 0) <> 0) THEN
  BEGIN
    EXECUTE PROCEDURE SP_SIWAKE_TOTAL_ADD(OLD.SCODE, OLD.BCODE, OLD.KCODE, OLD.HCODE, OLD.MNUM,
                                          OLD.TAISHAKU, OLD.NUK, OLD.ZEI, OLD.TAXUH, -1);
    IF (OLD.LINKKUB = 8) THEN
    BEGIN
      IF (NOT EXISTS (SELECT 1 FROM SIWAKE
                       WHERE SCODE = OLD.SCODE AND LINKKUB = 8 AND LINKREC = OLD.LINKREC)) THEN
        EXECUTE PROCEDURE SP_KS_SISAN_TRANSKBN(OLD.SCODE, OLD.LINKKEY, OLD.LINKREC, 0, 1);
    END
  END
  ELSE IF (COALESCE(OLD.DELFLG, 0) = 1 AND COALESCE(NEW.DELFLG, 0) = 0) THEN
    EXECUTE PROCEDURE SP_SIWAKE_TOTAL_ADD(NEW.SCODE, NEW.BCODE, NEW.KCODE, NEW.HCODE, NEW.MNUM,
                                          NEW.TAISHAKU, NEW.NUK, NEW.ZEI, NEW.TAXUH, 1);
END^

/* Every new account gets its blank sub-account (HCODE ' '), the account's
   own line. */
CREATE TRIGGER KAMOKUMST_AFTER_INSERT FOR KAMOKUMST
ACTIVE AFTER INSERT POSITION 0
AS
BEGIN
  INSERT INTO HOJOMST (KCODE, HCODE, HNAME, TAX_LCODE, TAX_RCODE, BPFLG)
  VALUES (NEW.KCODE, ' ', '', NEW.TAX_LCODE, NEW.TAX_RCODE, NEW.BPFLG);
END^

/* Sub-account rows are numbered. */
CREATE TRIGGER HOJOMST_BEFORE_INSERT FOR HOJOMST
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
  IF (NEW.REC IS NULL) THEN
    NEW.REC = NEXT VALUE FOR HOJOMST_REC_GEN;
END^

/* A new facility gets the balance rows of every account in use and of its
   sub-accounts (department ' '), its tax-total rows and, when it keeps
   departments, its department list. The other rows the accounting programs
   give a new facility (dictionaries, headcounts, forecasts, fixed-asset
   journal settings) belong to tables this database does not carry: nothing
   here reads them. */
CREATE TRIGGER SISETUMST_AFTER_INSERT FOR SISETUMST
ACTIVE AFTER INSERT POSITION 0
AS
DECLARE VARIABLE vKCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE vHCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE vBCODE VARCHAR(6) CHARACTER SET ASCII;
BEGIN
  FOR SELECT K.KCODE, H.HCODE
        FROM KAMOKUMST K
       INNER JOIN HOJOMST H ON (H.KCODE = K.KCODE)
       WHERE K.USE = 1
       ORDER BY K.GROUPM1, K.KCODE, H.HCODE
        INTO :vKCODE, :vHCODE
  DO
    INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE)
    VALUES (NEW.SCODE, :vKCODE, :vHCODE, ' ');
  EXECUTE PROCEDURE SP_KAMOKU_TAX_INSERT(NEW.SCODE, ' ');
  IF (NEW.BUMEX = 1) THEN
    FOR SELECT BCODE FROM BUMONMST WHERE BCODE <> ' ' ORDER BY BCODE INTO :vBCODE
    DO
      INSERT INTO SISETUBUM (SCODE, BCODE) VALUES (NEW.SCODE, :vBCODE);
END^

/* Every balance row comes with its period rows of the current year
   (KAMOKU_MS, MNUM 1 to 16) and of the past balances (KAMOKU_PZ, MNUM -32 to
   16), so that the totals and the past-balance triggers always find them. */
CREATE TRIGGER KAMOKUSZ_AFTER_INSERT FOR KAMOKU_SZ
ACTIVE AFTER INSERT POSITION 0
AS
DECLARE VARIABLE vMNUM INTEGER;
BEGIN
  vMNUM = 1;
  WHILE (vMNUM <= 16) DO
  BEGIN
    IF (NOT EXISTS (SELECT 1 FROM KAMOKU_MS
                     WHERE SCODE = NEW.SCODE AND KCODE = NEW.KCODE AND HCODE = NEW.HCODE
                       AND BCODE = NEW.BCODE AND MNUM = :vMNUM)) THEN
      INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM)
      VALUES (NEW.SCODE, NEW.KCODE, NEW.HCODE, NEW.BCODE, :vMNUM);
    vMNUM = vMNUM + 1;
  END
  vMNUM = -32;
  WHILE (vMNUM <= 16) DO
  BEGIN
    IF (NOT EXISTS (SELECT 1 FROM KAMOKU_PZ
                     WHERE SCODE = NEW.SCODE AND KCODE = NEW.KCODE AND HCODE = NEW.HCODE
                       AND BCODE = NEW.BCODE AND MNUM = :vMNUM)) THEN
      INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM)
      VALUES (NEW.SCODE, NEW.KCODE, NEW.HCODE, NEW.BCODE, :vMNUM);
    vMNUM = vMNUM + 1;
  END
END^

/* A changed opening balance is also the past balance at the end of the
   period before the data began (MNUM 0 when it began with the year):
   corporations except for the retained earnings; individuals except for the
   capital and the owner's accounts when the data began with the year or was
   carried over from a previous year (OPINF jobs 翌年度更新, 繰越残高調整). The
   past balance never flows back into the opening balance. */
CREATE TRIGGER KAMOKUSZ_AFTER_UPDATE FOR KAMOKU_SZ
ACTIVE AFTER UPDATE POSITION 0
AS
DECLARE VARIABLE vDATATYPE INTEGER;
DECLARE VARIABLE vKAISINO INTEGER;
DECLARE VARIABLE vPERIOD INTEGER;
DECLARE VARIABLE vWRITE INTEGER;
DECLARE VARIABLE vCARRIED INTEGER;
DECLARE VARIABLE vSUM NUMERIC(18,4);
BEGIN
  IF (NEW.KAISIZAN IS NOT DISTINCT FROM OLD.KAISIZAN) THEN
    EXIT;
  SELECT DATATYPE, KAISINO FROM ACCDEF1 WHERE REC = 1 INTO :vDATATYPE, :vKAISINO;
  vWRITE = 0;
  IF (vDATATYPE = 1) THEN
  BEGIN
    IF (NEW.KCODE <> (SELECT CODE FROM SYSKMKCODEINF('繰越利益剰余金'))) THEN
      vWRITE = 1;
  END
  ELSE IF (vDATATYPE = 2) THEN
  BEGIN
    SELECT COUNT(*) FROM OPINF WHERE JOBNAME IN ('翌年度更新', '繰越残高調整') INTO :vCARRIED;
    IF (vCARRIED > 0 OR vKAISINO = 1) THEN
    BEGIN
      IF (NEW.KCODE <> (SELECT CODE FROM SYSKMKCODEINF('元入金'))
          AND NEW.KCODE <> (SELECT CODE FROM SYSKMKCODEINF('事業主貸'))
          AND NEW.KCODE <> (SELECT CODE FROM SYSKMKCODEINF('事業主借'))) THEN
        vWRITE = 1;
    END
    ELSE
      vWRITE = 1;
  END
  IF (vWRITE = 0) THEN
    EXIT;
  SELECT PERIOD FROM SP_KAISI_PERIOD INTO :vPERIOD;
  SELECT COALESCE(SUM(KAISIZAN), 0) FROM KAMOKU_SZ
   WHERE SCODE = NEW.SCODE AND KCODE = NEW.KCODE AND HCODE = NEW.HCODE AND BCODE = NEW.BCODE
    INTO :vSUM;
  UPDATE KAMOKU_PZ SET NUKIZAN = :vSUM
   WHERE SCODE = NEW.SCODE AND KCODE = NEW.KCODE AND HCODE = NEW.HCODE
     AND BCODE = NEW.BCODE AND MNUM = :vPERIOD;
END^

/* The latest past balance of a key is kept as its KAKOZAN: the largest
   NUKIZAN other than 0 outside MNUM -32, or 0 when there is none. */
CREATE TRIGGER KAMOKU_PZ_AFTER_UPDATE FOR KAMOKU_PZ
ACTIVE AFTER UPDATE POSITION 0
AS
DECLARE VARIABLE vZAN NUMERIC(18,4);
BEGIN
  IF (NEW.NUKIZAN IS NOT DISTINCT FROM OLD.NUKIZAN) THEN
    EXIT;
  SELECT MAX(NUKIZAN) FROM KAMOKU_PZ
   WHERE SCODE = NEW.SCODE AND KCODE = NEW.KCODE AND HCODE = NEW.HCODE
     AND BCODE = NEW.BCODE AND NUKIZAN <> 0 AND MNUM <> -32
    INTO :vZAN;
  UPDATE KAMOKU_SZ SET KAKOZAN = COALESCE(:vZAN, 0)
   WHERE SCODE = NEW.SCODE AND KCODE = NEW.KCODE AND HCODE = NEW.HCODE AND BCODE = NEW.BCODE;
END^

/* Kept so that the update scripts can switch it off and on by name. */
CREATE TRIGGER ACCVERSION_AFTER_UPDATE FOR ACCVERSION
ACTIVE AFTER UPDATE POSITION 0
AS
BEGIN
END^

SET TERM ; ^
