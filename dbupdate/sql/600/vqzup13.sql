/* Data 6.0.0, vqzup13.sql: no schema change of its own. */
