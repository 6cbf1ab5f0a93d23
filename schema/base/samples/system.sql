/* The system database of an office at its first release, with what the
   system steps convert: two operators of group 10000 with their settings
   rows (SYSDEF) and typed settings (SYSREG), the office row 10 of
   SYSTEMINI with its Name=Value lines, and the menu rights of a general and
   a medical-corporation operator level by old menu position (JOBCONTROL).
   The system user (operator 1) comes with a step. Operator codes are the
   group times 10000 plus the operator's number; 9999 is the office's. */

INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME, JOBLEVEL, PASWORD, DATAPAS, JIMUSHO, OKINIIRI, KANSA)
VALUES (10000, 2, '見本　花子', 9, 'hana', '', 1, 0, 0);
INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME, JOBLEVEL, PASWORD, DATAPAS, JIMUSHO, OKINIIRI, KANSA)
VALUES (10000, 3, '見本　一郎', 5, '', '', 0, 0, 1);

/* Description and customer fields opened by dictionary (1) or by
   association (2) or not at all (0); the print flags of the statements. */
INSERT INTO SYSDEF (OPCODE, DATADIR, FONTNAME, FONTSIZE, DICSWITCH, DICTEKAUTO, DICTORAUTO,
                    SWKLINE, KINGAKUPLUS, ZEROPRINT, SANKAKUPLUS, TEK_AUTOUP, TOR_AUTOUP,
                    RESERVE1, RESERVE2, RESERVE3, RESERVE4, RESERVE5, SSTR)
VALUES (100000002, 'C:\VQ\DATA\0001', 'ＭＳ ゴシック', 10, 1, 1, 2, 1, 0, 1, 1, 1, 0, 0, 3, 0, 4, 0, '');
INSERT INTO SYSDEF (OPCODE, DATADIR, FONTNAME, FONTSIZE, DICSWITCH, DICTEKAUTO, DICTORAUTO,
                    SWKLINE, KINGAKUPLUS, ZEROPRINT, SANKAKUPLUS, TEK_AUTOUP, TOR_AUTOUP,
                    RESERVE1, RESERVE2, RESERVE3, RESERVE4, RESERVE5, SSTR)
VALUES (100000003, 'C:\VQ\DATA\0002', 'ＭＳ ゴシック', 10, 1, 0, 0, 0, 1, 2, 0, 0, 0, 0, 2, 0, 0, 0, '');

INSERT INTO SYSREG (OPCODE, SCODE, STYPE, STEXT) VALUES (100000002, '摘要項目の入力区分', '整数', '0');
INSERT INTO SYSREG (OPCODE, SCODE, STYPE, STEXT) VALUES (100000002, '取引先項目の入力区分', '整数', '1');
INSERT INTO SYSREG (OPCODE, SCODE, STYPE, STEXT) VALUES (100000002, '決算書販売費組入区分', '整数', '1');
INSERT INTO SYSREG (OPCODE, SCODE, STYPE, STEXT) VALUES (100000002, '試算表集計出力区分', '整数', '0');
INSERT INTO SYSREG (OPCODE, SCODE, STYPE, STEXT) VALUES (100000003, '摘要項目の入力区分', '整数', '1');
INSERT INTO SYSREG (OPCODE, SCODE, STYPE, STEXT) VALUES (100000003, '決算書手形相殺区分', '整数', '1');
INSERT INTO SYSREG (OPCODE, SCODE, STYPE, STEXT) VALUES (100000003, '試算表集計出力区分', '整数', '0');
INSERT INTO SYSREG (OPCODE, SCODE, STYPE, STEXT) VALUES (100009999, 'データ破損チェック区', '整数', '1');

/* The office: name, address and telephone as lines of the text, and
   RESERVE1 1 for an office that prints them. */
INSERT INTO SYSTEMINI (REC, RESERVE1, RESERVE2, RESERVE3, RESERVE4, RESERVE5, SSTR)
VALUES (10, 1, 0, 0, 0, 0,
        'NAME=見本会計事務所' || ASCII_CHAR(13) || ASCII_CHAR(10)
        || 'JYUSHO=東京都千代田区見本町１－２－３' || ASCII_CHAR(13) || ASCII_CHAR(10)
        || 'TEL=03-1234-5678' || ASCII_CHAR(13) || ASCII_CHAR(10));

/* Level 200 by the general menu: journal entry, monitor, ledger, trial
   balance, statements, simulation, accounts, audit-menu control. */
INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (200, 1, 0);
INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (200, 1, 1);
INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (200, 1, 2);
INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (200, 1, 3);
INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (200, 1, 4);
INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (200, 1, 6);
INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (200, 2, 0);
INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (200, 4, 0);
INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (200, 5, 2);
INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (200, 9, 3);

/* Level 1200 by the medical-corporation menu, whose pages 10, 11 and 12
   were later moved round: the affiliated-institution, cost-allocation and
   comparison pages. */
INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (1200, 1, 0);
INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (1200, 2, 4);
INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (1200, 10, 1);
INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (1200, 11, 1);
INSERT INTO JOBCONTROL (LEVELNO, PAGENO, MENUNO) VALUES (1200, 12, 10);
