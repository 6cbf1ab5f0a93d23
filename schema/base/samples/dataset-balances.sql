/* The balances of a sample data set, run after the rows of its data kind:
   department rows of KAMOKU_SZ, the periods of KAMOKU_MS (1 to 16) and
   KAMOKU_PZ (-32 to 16) of every KAMOKU_SZ row, and KAKOZAN. The base's
   triggers that would add them read columns of later releases and are
   empty, so the rows are written here in full (over whatever the triggers
   of a later version, built with --at, have added).

   Amounts follow the account: a profit-and-loss account moves by a monthly
   amount in the first half of the year and in every month of the two years
   before (the adjustment periods 4, 8, 12 and 16 stay 0), with 10 % tax up
   to the operating accounts; a balance-sheet account moves both ways and
   keeps its opening balance through the past years. Budgets are cumulative
   and carry half yen, which the later rounding of budgets must take away. */

SET TERM ^ ;

EXECUTE BLOCK AS
DECLARE VARIABLE vBUMON INTEGER;
DECLARE VARIABLE vDEPTS INTEGER;
DECLARE VARIABLE vSCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE vKCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE vHCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE vBCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE vRATE NUMERIC(16,4);
BEGIN
  /* Departments keep the profit-and-loss accounts (BUMON 1) or every
     account (BUMON 2) of the facilities that use them. The common
     department passes on all of its amounts; the others share them. */
  SELECT BUMON FROM ACCDEF1 WHERE REC = 1 INTO :vBUMON;
  SELECT COUNT(*) FROM BUMONMST WHERE BCODE NOT IN (' ', '00') INTO :vDEPTS;
  IF (vBUMON NOT IN (1, 2)) THEN
    EXIT;
  FOR SELECT Z.SCODE, Z.KCODE, Z.HCODE, B.BCODE
        FROM KAMOKU_SZ Z
       INNER JOIN KAMOKUMST K ON (K.KCODE = Z.KCODE)
       INNER JOIN SISETUMST S ON (S.SCODE = Z.SCODE)
       CROSS JOIN BUMONMST B
       WHERE Z.BCODE = ' ' AND B.BCODE <> ' ' AND S.BUMEX = 1
         AND (:vBUMON = 2 OR (K.GROUPM1 >= '4000' AND K.GROUPM1 < '8000'))
       ORDER BY Z.SCODE, Z.KCODE, Z.HCODE, B.BCODE
        INTO :vSCODE, :vKCODE, :vHCODE, :vBCODE
  DO
  BEGIN
    vRATE = CASE WHEN vBCODE = '00' OR vDEPTS = 0 THEN 100 ELSE 100 / vDEPTS END;
    UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE,
                           HAIBUN01, HAIBUN02, HAIBUN03, HAIBUN04, HAIBUN05, HAIBUN06, HAIBUN07, HAIBUN08,
                           HAIBUN09, HAIBUN10, HAIBUN11, HAIBUN12, HAIBUN13, HAIBUN14, HAIBUN15, HAIBUN16)
    VALUES (:vSCODE, :vKCODE, :vHCODE, :vBCODE,
            :vRATE, :vRATE, :vRATE, :vRATE, :vRATE, :vRATE, :vRATE, :vRATE,
            :vRATE, :vRATE, :vRATE, :vRATE, :vRATE, :vRATE, :vRATE, :vRATE)
    MATCHING (SCODE, KCODE, HCODE, BCODE);
  END
END^

EXECUTE BLOCK AS
DECLARE VARIABLE vSCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE vKCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE vHCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE vBCODE VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE vBPFLG VARCHAR(1) CHARACTER SET ASCII;
DECLARE VARIABLE vDAC INTEGER;
DECLARE VARIABLE vTAXED INTEGER;
DECLARE VARIABLE vKAISIZAN NUMERIC(16,4);
DECLARE VARIABLE vHAIBUN NUMERIC(16,4);
DECLARE VARIABLE vAMOUNT NUMERIC(16,4);
DECLARE VARIABLE vMOVE NUMERIC(16,4);
DECLARE VARIABLE vNUK NUMERIC(16,4);
DECLARE VARIABLE vZEI NUMERIC(16,4);
DECLARE VARIABLE vMNUM INTEGER;
DECLARE VARIABLE vPERIOD INTEGER;
DECLARE VARIABLE vMONTHS INTEGER;
BEGIN
  FOR SELECT Z.SCODE, Z.KCODE, Z.HCODE, Z.BCODE, Z.KAISIZAN, Z.HAIBUN01, K.BPFLG, K.DAC,
             CASE WHEN K.BPFLG = 'P' AND K.GROUPM1 < '7000' THEN 1 ELSE 0 END,
             10000 * (MOD(K.REC, 5) + 1) * CASE WHEN K.BPFLG = 'P' THEN 10 ELSE 1 END
             / CASE WHEN Z.BCODE = ' ' THEN 1 ELSE 2 END
        FROM KAMOKU_SZ Z
       INNER JOIN KAMOKUMST K ON (K.KCODE = Z.KCODE)
       ORDER BY Z.SCODE, Z.KCODE, Z.HCODE, Z.BCODE
        INTO :vSCODE, :vKCODE, :vHCODE, :vBCODE, :vKAISIZAN, :vHAIBUN, :vBPFLG, :vDAC, :vTAXED, :vAMOUNT
  DO
  BEGIN
    /* The current year, periods 1 to 16. */
    vMNUM = 1;
    vMONTHS = 0;
    WHILE (vMNUM <= 16) DO
    BEGIN
      vMOVE = 0;
      IF (MOD(vMNUM, 4) <> 0) THEN
      BEGIN
        vMONTHS = vMONTHS + 1;
        IF (vMNUM <= 7) THEN
          vMOVE = vAMOUNT;
      END
      vZEI = CASE WHEN vTAXED = 1 THEN vMOVE / 10 ELSE 0 END;
      UPDATE OR INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM, KAR_NUK, KAR_TAX, KAS_NUK, KAS_TAX, BYOSAN, BYOSOKU)
      VALUES (:vSCODE, :vKCODE, :vHCODE, :vBCODE, :vMNUM,
              CASE WHEN :vDAC = 1 THEN :vMOVE WHEN :vBPFLG = 'B' THEN :vMOVE * 0.8 ELSE 0 END,
              CASE WHEN :vDAC = 1 THEN :vZEI ELSE 0 END,
              CASE WHEN :vDAC = 2 THEN :vMOVE WHEN :vBPFLG = 'B' THEN :vMOVE * 0.8 ELSE 0 END,
              CASE WHEN :vDAC = 2 THEN :vZEI ELSE 0 END,
              CASE WHEN :vBPFLG = 'P' THEN :vMONTHS * (:vAMOUNT * 1.05 + 0.5) ELSE 0 END,
              0)
      MATCHING (SCODE, KCODE, HCODE, BCODE, MNUM);
      vMNUM = vMNUM + 1;
    END

    /* The closing of the third year back, the two years before and the
       current year's ratios of the common department. */
    vMNUM = -32;
    WHILE (vMNUM <= 16) DO
    BEGIN
      vPERIOD = MOD(vMNUM + 48, 16);
      vNUK = 0;
      IF (vMNUM = -32) THEN
        vNUK = CASE WHEN vBPFLG = 'B' THEN vKAISIZAN * 0.8 ELSE 0 END;
      ELSE IF (vMNUM <= 0) THEN
      BEGIN
        IF (vBPFLG = 'B') THEN
          vNUK = vKAISIZAN;
        ELSE IF (vPERIOD <> 0 AND MOD(vPERIOD, 4) <> 0) THEN
          vNUK = vAMOUNT * CASE WHEN vMNUM <= -16 THEN 0.9 ELSE 0.95 END;
      END
      vZEI = CASE WHEN vTAXED = 1 THEN vNUK / 10 ELSE 0 END;
      UPDATE OR INSERT INTO KAMOKU_PZ (SCODE, KCODE, HCODE, BCODE, MNUM, NUKIZAN, ZEIGAKU, HAIBUN, KOMIZAN)
      VALUES (:vSCODE, :vKCODE, :vHCODE, :vBCODE, :vMNUM, :vNUK, :vZEI,
              CASE WHEN :vMNUM >= 1 AND :vBCODE <> ' ' THEN :vHAIBUN ELSE 0 END,
              :vNUK + :vZEI)
      MATCHING (SCODE, KCODE, HCODE, BCODE, MNUM);
      vMNUM = vMNUM + 1;
    END
  END
END^

SET TERM ; ^

/* The largest past balance, as the balance trigger keeps it. */
UPDATE KAMOKU_SZ Z SET KAKOZAN = COALESCE((SELECT MAX(P.NUKIZAN) FROM KAMOKU_PZ P
   WHERE P.SCODE = Z.SCODE AND P.KCODE = Z.KCODE AND P.HCODE = Z.HCODE AND P.BCODE = Z.BCODE
     AND P.NUKIZAN <> 0 AND P.MNUM <> -32), 0);
