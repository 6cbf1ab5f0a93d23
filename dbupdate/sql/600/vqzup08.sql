/* Data 6.0.0, vqzup08.sql: no schema change of its own. */
