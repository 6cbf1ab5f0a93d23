/* The journal monitor a page at a time. */
SET TERM ^ ;
/* PROCEDURE SP_MONITOR_LISTUP AS IN data_1_0_3 */
/* PROCEDURE SP_MONITOR_LISTDOWN AS IN data_1_0_3 */
SET TERM ; ^
