/* File-transfer database (vqfileman.fdb) of a server office: it carries
   backup files between a workstation and the server. A row lives only while
   one transfer runs; CONTENT_ID names the transfer ("VQZ_" and the operator
   code), CONTENT holds the whole file. */

CREATE TABLE FILETRANS (
  CONTENT_ID VARCHAR(20) CHARACTER SET ASCII NOT NULL,
  CONTENT    BLOB SUB_TYPE 0,
  CONSTRAINT PK_FILETRANS PRIMARY KEY (CONTENT_ID)
);
