/* Data 3.0.7, vqzup02.sql: no schema change of its own. */
