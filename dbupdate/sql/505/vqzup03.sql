/* Data 5.0.5, vqzup03.sql: no schema change of its own. */
