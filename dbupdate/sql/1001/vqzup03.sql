/* Data 10.0.1, vqzup03.sql: no schema change of its own. */
