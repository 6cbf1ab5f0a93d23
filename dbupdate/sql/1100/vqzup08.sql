/* Data 11.0.0, vqzup08.sql: no schema change of its own. */
