/* Data 3.0.6, vqzup02.sql: no schema change of its own. */
