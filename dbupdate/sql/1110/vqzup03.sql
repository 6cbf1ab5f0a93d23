/* Data 11.1.0, vqzup03.sql: no schema change of its own. */
