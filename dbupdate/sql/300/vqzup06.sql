/* Data 3.0.0, vqzup06.sql: no schema change of its own. */
