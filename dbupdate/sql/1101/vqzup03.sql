/* Data 11.0.1, vqzup03.sql: no schema change of its own. */
