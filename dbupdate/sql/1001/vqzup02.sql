/* Data 10.0.1, vqzup02.sql: no schema change of its own. */
