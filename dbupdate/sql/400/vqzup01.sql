/* Data 4.0.0, vqzup01.sql: no schema change of its own. */
