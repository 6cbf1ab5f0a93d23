/* The accounts every sample data set has, before the rows of its data kind:
   cash, a current account kept by bank as sub-accounts, and the suspense
   account, with the system-account names the procedures look codes up by. */

INSERT INTO ACCDEF2 (KCODE, KNAME, KGROUP, HYOUJYUN) VALUES ('1101', '現金', '1110', 1);
INSERT INTO ACCDEF2 (KCODE, KNAME, KGROUP, HYOUJYUN) VALUES ('9999', '諸口', '9900', 1);

INSERT INTO KAMOKUMST (KCODE, USERCODE, REC, GROUPM1, GROUPM2, KNAME, DAC, BPFLG, HOJOSW) VALUES ('1101', '1101', 1, '1110', '1180', '現金', 1, 'B', '－');
INSERT INTO KAMOKUMST (KCODE, USERCODE, REC, GROUPM1, GROUPM2, KNAME, DAC, BPFLG, HOJOSW) VALUES ('1103', '1103', 2, '1110', '1180', '普通預金', 1, 'B', '○');
INSERT INTO KAMOKUMST (KCODE, USERCODE, REC, GROUPM1, GROUPM2, KNAME, DAC, BPFLG, HOJOSW) VALUES ('9999', '9999', 99, '9900', '9900', '諸口', 0, 'B', '－');

INSERT INTO HOJOMST (KCODE, HCODE, HNAME, BPFLG) VALUES ('1103', '001', '第一銀行', 'B');
INSERT INTO HOJOMST (KCODE, HCODE, HNAME, BPFLG) VALUES ('1103', '002', '中央信用金庫', 'B');
