/* Data 11.0.0, vqzup03.sql: no schema change of its own. */
