/* Data 13.0.0, vqzup02.sql: no schema change of its own. */
