/* Data 6.1.3, vqzup02.sql: no schema change of its own. */
