/* Data-set database: exceptions raised by the stored procedures. */

CREATE EXCEPTION SIWAKE_ACCOUNT_UNKNOWN '仕訳の勘定科目が科目マスタにありません。';
