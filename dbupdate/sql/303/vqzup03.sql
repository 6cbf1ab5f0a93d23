/* Data 3.0.3, vqzup03.sql: no schema change of its own. */
