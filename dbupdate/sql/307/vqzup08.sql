/* Data 3.0.7, vqzup08.sql: no schema change of its own. */
