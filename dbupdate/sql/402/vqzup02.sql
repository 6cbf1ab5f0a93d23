/* Data 4.0.2, vqzup02.sql: no schema change of its own. */
