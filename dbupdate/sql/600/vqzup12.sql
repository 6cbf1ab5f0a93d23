/* Data 6.0.0, vqzup12.sql: no schema change of its own. */
