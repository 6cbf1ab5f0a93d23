/* Data 5.0.2, vqzup01.sql: no schema change of its own. */
