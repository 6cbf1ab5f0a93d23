/* Data 4.0.2, vqzup03.sql: no schema change of its own. */
