/* Data 6.0.0, vqzup15.sql: no schema change of its own. */
