/* Data-set database: domains. */

/* Money: a signed amount with four decimals (yen scaled by 10,000). */
CREATE DOMAIN CURRENCY AS NUMERIC(16,4);
CREATE DOMAIN LONGINT AS INTEGER;
/* Account, sub-account, facility, department and group codes. */
CREATE DOMAIN AC_CODE AS VARCHAR(6) CHARACTER SET ASCII;
CREATE DOMAIN AC_NAME AS VARCHAR(20) CHARACTER SET SJIS_0208;
