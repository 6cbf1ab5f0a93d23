/* Data 3.0.4, vqzup03.sql: no schema change of its own. */
