/* Data 6.1.0, vqzup02.sql: no schema change of its own. */
