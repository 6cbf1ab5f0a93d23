/* Data 6.0.0, vqzup09.sql: no schema change of its own. */
