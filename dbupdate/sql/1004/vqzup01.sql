/* Data 10.0.4, vqzup01.sql: no schema change of its own. */
