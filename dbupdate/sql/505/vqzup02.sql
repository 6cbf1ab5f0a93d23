/* Data 5.0.5, vqzup02.sql: no schema change of its own. */
