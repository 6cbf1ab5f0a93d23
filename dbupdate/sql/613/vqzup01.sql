/* Data 6.1.3, vqzup01.sql: no schema change of its own. */
