/* 2025/12/09 12:00:00,TESTPC,100012 */

CONNECT '/srv/vq/data/0001/vqacc.fdb' USER 'VORLEN';
UPDATE ACCVERSION SET MAJOR=3,MINOR1=0,MINOR2=5,MEMO='2025/12/09 12:00:00,12,O''Brien,TESTPC                                                                                          '
WHERE REC=1;
COMMIT;
UPDATE ACCDEF1 SET SHOUGOU='日本' WHERE REC=1;
EXIT;
