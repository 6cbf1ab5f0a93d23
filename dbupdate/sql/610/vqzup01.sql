/* Data 6.1.0, vqzup01.sql: no schema change of its own. */
