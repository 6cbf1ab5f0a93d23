/* Data 3.0.4, vqzup02.sql: no schema change of its own. */
