/* Data-set database: the account groupings of medical corporations that the
   trial balances read. GROUPR1 and GROUPR2 group the accounts of the business
   kinds 2 and 4, GROUPM3 the lines of the settlement statement; other data
   sets leave them empty. */

ALTER TABLE KAMOKUMST
  ADD GROUPR1 AC_CODE DEFAULT '',
  ADD GROUPR2 AC_CODE DEFAULT '',
  ADD GROUPM3 AC_CODE DEFAULT '';
