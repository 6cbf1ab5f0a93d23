/* Indexes the journal procedures need to keep their pace as the journal
   grows: each lookup below would otherwise read every journal row, or every
   row of a day, for each entry written. */

/* SP_SIWAKE_INS: the next number in the facility's journal,
   MAX(SITREC) WHERE SCODE = ..., read from the top of this index. */
CREATE DESCENDING INDEX SIWAKE_SCODE_SITREC ON SIWAKE (SCODE, SITREC);

/* SP_SIWAKE_INS: the next number of the day, MAX(SDAYNUM) WHERE HIZUKE = ...
   AND DELFLG = 0, read from the top of the day's part of this index. */
CREATE DESCENDING INDEX SIWAKE_HIZUKE_SDAYNUM ON SIWAKE (HIZUKE, SDAYNUM);

/* SP_SIWAKE_UPD: the live entry of a number, MIN(REC) WHERE SWKNO = ...,
   and the renumbering UPDATE ... WHERE SWKNO = .... */
CREATE INDEX SIWAKE_SWKNO ON SIWAKE (SWKNO);
