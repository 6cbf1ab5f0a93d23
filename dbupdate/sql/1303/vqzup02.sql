/* Data 13.0.3, vqzup02.sql: no schema change of its own. */
