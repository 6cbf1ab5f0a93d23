/* Data 3.0.1, vqzup01.sql: no schema change of its own. */
