/* Data 3.0.7, vqzup03.sql: no schema change of its own. */
