/* Data 10.0.3, vqzup01.sql: no schema change of its own. */
