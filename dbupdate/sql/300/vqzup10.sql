/* Data 3.0.0, vqzup10.sql: no schema change of its own. */
