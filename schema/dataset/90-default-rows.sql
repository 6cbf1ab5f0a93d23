/* Data-set database: the rows a new data set starts with. The description
   row is that of an individual's general business for calendar 2024; whoever
   makes a data set replaces its values. Accounts come before the facility:
   a new facility gets the balance rows of the accounts that exist. */

INSERT INTO ACCVERSION (REC, MAJOR, MINOR1, MINOR2, MEMO) VALUES (1, 14, 0, 0, '');

INSERT INTO ACCDEF1 (REC, DATATYPE, CODETYPE, NENDO, KISHU, KIMATU, KAISI, SIME, KAISINO, WEB_HOLDER)
VALUES (1, 2, 1, 1, '2024-01-01', '2024-12-31', '2024-01-01', 99, 1, '');

INSERT INTO TUSIN_ID (REC, HOLDER, PASWORD) VALUES (1, '', '');

/* The blank department: balances kept without departments. */
INSERT INTO BUMONMST (BCODE, BNAME) VALUES (' ', '');

/* Management analysis: the comparison items as the analysis steps leave
   them (written without a column list), their columns and the bands of the
   budget-versus-actual variable-cost statement. */
INSERT INTO HALBRIN_HIKAKU VALUES (1, 1, '売上総利益率', '％', 0.95, 0, 1.05, 1, '4100', '5280', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (2, 1, '売上高営業利益率', '％', 0.95, 0, 1.05, 1, '4100', '6100', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (3, 1, '売上高経常利益率', '％', 0.95, 0, 1.05, 1, '4100', '7200', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (4, 1, '総資本営業利益率', '％', 0.95, 0, 1.05, 1, '1100', '6100', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (5, 1, '総資本経常利益率', '％', 0.95, 0, 1.05, 1, '1100', '7200', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (6, 1, '自己資本経常利益率', '％', 0.95, 0, 1.05, 1, '3100', '7200', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (7, 2, '総資本回転率', '回', 0.95, 0, 1.05, 1, '2100', '4110', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (8, 2, '総資本回転日数', '日', 0.95, 0, 1.05, 1, '2100', '4110', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (9, 2, '流動資産回転率', '回', 0.95, 0, 1.05, 1, '1100', '1320', '4100', '4110');
INSERT INTO HALBRIN_HIKAKU VALUES (10, 2, '流動資産回転日数', '日', 0.95, 0, 1.05, 1, '1100', '1320', '4100', '4110');
INSERT INTO HALBRIN_HIKAKU VALUES (11, 2, '固定資産回転率', '回', 0.95, 0, 1.05, 1, '1100', '1600', '4100', '4110');
INSERT INTO HALBRIN_HIKAKU VALUES (12, 2, '固定資産回転日数', '日', 0.95, 0, 1.05, 1, '1100', '1600', '4100', '4110');
INSERT INTO HALBRIN_HIKAKU VALUES (13, 2, '受取債権回転率', '回', 0.95, 0, 1.05, 1, '1130', '1130', '4100', '4110');
INSERT INTO HALBRIN_HIKAKU VALUES (14, 2, '受取債権回転日数', '日', 0.95, 0, 1.05, 1, '1130', '1130', '4100', '4110');
INSERT INTO HALBRIN_HIKAKU VALUES (15, 2, '支払勘定回転率', '回', 0.95, 0, 1.05, 1, '2100', '2100', '4100', '4110');
INSERT INTO HALBRIN_HIKAKU VALUES (16, 2, '支払勘定回転日数', '日', 0.95, 0, 1.05, 1, '2100', '2100', '4100', '4110');
INSERT INTO HALBRIN_HIKAKU VALUES (17, 3, '流動比率', '％', 0.95, 0, 1.05, 1, '1100', '1320', '2100', '2100');
INSERT INTO HALBRIN_HIKAKU VALUES (18, 3, '当座比率', '％', 0.95, 0, 1.05, 1, '1100', '1100', '2100', '2100');
INSERT INTO HALBRIN_HIKAKU VALUES (19, 3, '固定長期適合率', '％', 0.95, 0, 1.05, 1, '1100', '3600', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (20, 3, '自己資本対固定資産率', '％', 0.95, 0, 1.05, 1, '1400', '1800', '3100', '3340');
INSERT INTO HALBRIN_HIKAKU VALUES (21, 3, '自己資本比率', '％', 0.95, 0, 1.05, 1, '1100', '3430', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (22, 3, '損益分岐点売上高', '円', 0.95, 0, 1.05, 1, '4100', '6100', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (23, 4, '売上高対支払利息比率', '％', 1.05, 1, 0.95, 0, '4100', '4110', '7100', '7200');
INSERT INTO HALBRIN_HIKAKU VALUES (24, 4, '売上高対販管費比率', '％', 1.05, 1, 0.95, 0, '4100', '4110', '6100', '6100');
INSERT INTO HALBRIN_HIKAKU VALUES (25, 4, '売上高対人件費比率', '％', 1.05, 1, 0.95, 0, '4100', '4110', '6100', '6100');
INSERT INTO HALBRIN_HIKAKU VALUES (26, 4, '人件費計合計', '円', 1.05, 1, 0.95, 0, '6100', '6100', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (27, 4, '従業員延人数', '人', 1.05, 1, 0.95, 0, '', '', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (28, 5, '付加価値', '円', 0.95, 0, 1.05, 1, '4100', '5820', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (29, 5, '労働分配率', '％', 0.95, 0, 1.05, 1, '4100', '5820', '6100', '6100');
INSERT INTO HALBRIN_HIKAKU VALUES (30, 5, '一人当たり売上高', '円', 0.95, 0, 1.05, 1, '4100', '4110', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (31, 5, '一人当たりに人件費', '円', 0.95, 0, 1.05, 1, '6100', '6100', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (32, 5, '一人当たり販管費', '円', 0.95, 0, 1.05, 1, '6100', '6100', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (33, 5, '一人当たり経常利益', '円', 0.95, 0, 1.05, 1, '4100', '7200', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (34, 5, '一人当たり資本集約度', '円', 0.95, 0, 1.05, 1, '1100', '3340', '', '');
INSERT INTO HALBRIN_HIKAKU VALUES (35, 5, '一人当たり労働装備率', '円', 0.95, 0, 1.05, 1, '1400', '1710', '', '');
UPDATE HALBRIN_HIKAKU SET MEISHOU = '一人当たり人件費' WHERE REC = 31;
UPDATE HALBRIN_HIKAKU SET GROUPA1 = '4100', GROUPA2 = '5820', GROUPB1 = '', GROUPB2 = '' WHERE REC = 1;
UPDATE HALBRIN_HIKAKU SET GROUPA1 = '4100', GROUPA2 = '4110', GROUPB1 = '', GROUPB2 = '' WHERE REC = 13;
UPDATE HALBRIN_HIKAKU SET GROUPA1 = '4100', GROUPA2 = '4110', GROUPB1 = '', GROUPB2 = '' WHERE REC = 14;
UPDATE HALBRIN_HIKAKU SET GROUPA1 = '4100', GROUPA2 = '4110', GROUPB1 = '', GROUPB2 = '' WHERE REC = 15;
UPDATE HALBRIN_HIKAKU SET GROUPA1 = '4100', GROUPA2 = '4110', GROUPB1 = '', GROUPB2 = '' WHERE REC = 16;
UPDATE HALBRIN_HIKAKU SET GROUPA1 = '4100', GROUPA2 = '4110', GROUPB1 = '', GROUPB2 = '' WHERE REC = 22;
UPDATE HALBRIN_HIKAKU SET GROUPA1 = '4100', GROUPA2 = '4110', GROUPB1 = '', GROUPB2 = '' WHERE REC = 23;
UPDATE HALBRIN_HIKAKU SET GROUPA1 = '4100', GROUPA2 = '4110', GROUPB1 = '', GROUPB2 = '' WHERE REC = 25;
UPDATE HALBRIN_HIKAKU SET GROUPA1 = '', GROUPA2 = '', GROUPB1 = '', GROUPB2 = '' WHERE REC = 26;
UPDATE HALBRIN_HIKAKU SET GROUPA1 = '5100', GROUPA2 = '5300', GROUPB1 = '5510', GROUPB2 = '5530' WHERE REC = 28;
UPDATE HALBRIN_HIKAKU SET GROUPA1 = '5100', GROUPA2 = '5300', GROUPB1 = '5510', GROUPB2 = '5530' WHERE REC = 29;
UPDATE HALBRIN_HIKAKU SET GROUPA1 = '', GROUPA2 = '', GROUPB1 = '', GROUPB2 = '' WHERE REC = 31;
UPDATE HALBRIN_HIKAKU SET GROUPA1 = '1400', GROUPA2 = '1410', GROUPB1 = '', GROUPB2 = '' WHERE REC = 35;
INSERT INTO HALBRIN_HIKAKU_COL VALUES (1, 1, '過去3ヶ月');
INSERT INTO HALBRIN_HIKAKU_COL VALUES (2, 2, '過去6ヶ月');
INSERT INTO HALBRIN_HIKAKU_COL VALUES (3, 3, '過去12ヶ月');
INSERT INTO HALBRIN_HIKAKU_COL VALUES (4, 4, '過去24ヶ月');
INSERT INTO HALBRIN_HIKAKU_COL VALUES (5, 5, '当期平均');
INSERT INTO HALBRIN_HIKAKU_COL VALUES (6, 6, '前期平均');
INSERT INTO HALBRIN_HIKAKU_COL VALUES (7, 7, '前々期平均');
INSERT INTO HALBRIN_HIKAKU_COL VALUES (8, 8, '２期平均');
INSERT INTO HALBRIN_YOJITUHENDOU VALUES (1, '売    上', 0.95, 0, 1.05, 1);
INSERT INTO HALBRIN_YOJITUHENDOU VALUES (2, '変 動 費', 1.05, 1, 0.95, 0);
INSERT INTO HALBRIN_YOJITUHENDOU VALUES (3, '限界利益', 0.95, 0, 1.05, 1);
INSERT INTO HALBRIN_YOJITUHENDOU VALUES (4, '固 定 費', 1.05, 1, 0.95, 0);
INSERT INTO HALBRIN_YOJITUHENDOU VALUES (5, '営業利益', 0.95, 0, 1.05, 1);

/* The evaluation bands of the budget-versus-actual statement of an
   individual's data (six values in column order). */
INSERT INTO HALBRIN_YOJITU_HYOKARULE VALUES ('4800', '売上', 0.95, 0, 1.05, 1);
INSERT INTO HALBRIN_YOJITU_HYOKARULE VALUES ('5100', '変動費', 1.05, 1, 0.95, 0);
INSERT INTO HALBRIN_YOJITU_HYOKARULE VALUES ('5400', '限界利益', 0.95, 0, 1.05, 1);
INSERT INTO HALBRIN_YOJITU_HYOKARULE VALUES ('5600', '人件費', 1.05, 1, 0.95, 0);
INSERT INTO HALBRIN_YOJITU_HYOKARULE VALUES ('5700', '固定費', 1.05, 1, 0.95, 0);
INSERT INTO HALBRIN_YOJITU_HYOKARULE VALUES ('6200', '営業利益', 0.95, 0, 1.05, 1);
INSERT INTO HALBRIN_YOJITU_HYOKARULE VALUES ('7180', '営業外収益', 0.95, 0, 1.05, 1);
INSERT INTO HALBRIN_YOJITU_HYOKARULE VALUES ('7280', '営業外費用', 1.05, 1, 0.95, 0);
INSERT INTO HALBRIN_YOJITU_HYOKARULE VALUES ('7300', '経常利益', 0.95, 0, 1.05, 1);
INSERT INTO HALBRIN_YOJITU_HYOKARULE VALUES ('8400', '青申特別控除前所得', 0.95, 0, 1.05, 1);

/* The audit report and its twelve standard items (an individual's codes in
   items 8, 10 and 12; a corporation has 1306, 6206 and 6212). */
INSERT INTO KANSA (REC, TITLE, NOTE, JIMUSHO, TANTOU) VALUES (1, '監査報告書', '', '', '');
INSERT INTO KANSA_ITEM VALUES (1, 1, '監査済み仕訳の修正チェック', '前回監査から今回監査までの間に訂正・追加・削除した監査済み仕訳を確認しました。', 0, 0, 1, 1, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
INSERT INTO KANSA_ITEM VALUES (2, 2, '現・預金の残高確認', '現金及び預金の残高を確認しました。', 0, 0, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
INSERT INTO KANSA_ITEM VALUES (3, 3, '当座残高調整表の作成', '当座残高調整表を作成し、残高照合表と元帳の差額を確認しました。', 0, 0, 3, 0, NULL, NULL, NULL, NULL, NULL, '1102', NULL, NULL);
INSERT INTO KANSA_ITEM VALUES (4, 4, '売掛残の確認', '売掛金の残高を確認しました。', 0, 0, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
INSERT INTO KANSA_ITEM VALUES (5, 5, '買掛残の確認', '買掛金の残高を確認しました。', 0, 0, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
INSERT INTO KANSA_ITEM VALUES (6, 6, '受取手形の確認', '受取手形の残高を確認しました。', 0, 0, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
INSERT INTO KANSA_ITEM VALUES (7, 7, '支払手形の確認', '支払手形の残高を確認しました。', 0, 0, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
INSERT INTO KANSA_ITEM VALUES (8, 8, '経過勘定の確認', '仮払金、未払金等経過勘定の明細を確認しました。', 0, 0, 2, 0, NULL, NULL, '2104', NULL, NULL, NULL, NULL, NULL);
INSERT INTO KANSA_ITEM VALUES (9, 9, '不明勘定の確認', '帳簿入力で相手科目の指定がなかった仕訳を確認し、正しい科目を割り当てました。', 0, 0, 2, 0, NULL, NULL, '1101', NULL, NULL, NULL, NULL, NULL);
INSERT INTO KANSA_ITEM VALUES (10, 10, '資本的支出の確認', '修繕費の中に資本的支出（維持管理・原状回復費用）が含まれているかどうかを確認しました。', 0, 0, 2, 0, NULL, NULL, '6109', NULL, NULL, NULL, NULL, NULL);
INSERT INTO KANSA_ITEM VALUES (11, 11, '高額経費の確認', '経費処理した取引の中に資産計上すべき取引がなかったかを確認しました。', 0, 0, 1, 1, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
INSERT INTO KANSA_ITEM VALUES (12, 12, '消費税区分の確認', '商品券の購入を課税取引とするなど、消費税の取り扱いに誤りがないか確認しました。', 0, 0, 2, 0, NULL, NULL, '6107', NULL, NULL, NULL, NULL, NULL);

/* Settlement-statement settings, the lease depreciation method, the two
   loan rows of the real-estate statement and the rows of the breakdown
   statements that come with every data set. */
INSERT INTO KESSAN (REC) VALUES (1);
INSERT INTO GENKADIV (CODE, GDNAM) VALUES (6, 'リース期間定額法');
INSERT INTO AO_RISI (REC) VALUES (1);
INSERT INTO AO_RISI (REC) VALUES (2);
INSERT INTO UTIWAKE05_INI VALUES (1, 0, '', '', '');
INSERT INTO UTIWAKE09B VALUES (1, '', '', '', 0);
INSERT INTO UTIWAKE09B VALUES (2, '', '', '', 0);
INSERT INTO UTIWAKE09B VALUES (3, '', '', '', 0);
INSERT INTO UTIWAKE09B VALUES (4, '', '', '', 0);
INSERT INTO UTIWAKE10B VALUES (1, '', '', '', 0);
INSERT INTO UTIWAKE10B VALUES (2, '', '', '', 0);
INSERT INTO UTIWAKE10B VALUES (3, '', '', '', 0);
INSERT INTO UTIWAKE10B VALUES (4, '', '', '', 0);
INSERT INTO UTIWAKE10B VALUES (5, '', '', '', 0);
INSERT INTO UTIWAKE10B VALUES (6, '', '', '', 0);
INSERT INTO UTIWAKE10B VALUES (7, '', '', '', 0);
INSERT INTO UTIWAKE10B VALUES (8, '', '', '', 0);
INSERT INTO UTIWAKE10B VALUES (9, '', '', '', 0);
INSERT INTO UTIWAKE10B VALUES (10, '', '', '', 0);
INSERT INTO UTIWAKE10B VALUES (11, '', '', '', 0);
INSERT INTO UTIWAKE10B VALUES (12, '', '', '', 0);
INSERT INTO UTIWAKE14B (REC, TEGAKI, SOUGAKU1, SOUGAKU2, SOUGAKU3, KAZOKU1, KAZOKU2, KAZOKU3)
VALUES (1, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO UTIWAKE17_TITLE VALUES (1, '', '', '', '', '');

COMMIT;
