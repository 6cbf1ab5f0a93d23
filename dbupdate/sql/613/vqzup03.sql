/* Data 6.1.3, vqzup03.sql: no schema change of its own. */
