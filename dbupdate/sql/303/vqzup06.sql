/* Data 3.0.3, vqzup06.sql: no schema change of its own. */
