/* Data 3.0.7, vqzup06.sql: no schema change of its own. */
