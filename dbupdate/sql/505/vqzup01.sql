/* Data 5.0.5, vqzup01.sql: no schema change of its own. */
