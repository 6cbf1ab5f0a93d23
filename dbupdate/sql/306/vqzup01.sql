/* Data 3.0.6, vqzup01.sql: no schema change of its own. */
