/* Data 6.0.0, vqzup11.sql: no schema change of its own. */
