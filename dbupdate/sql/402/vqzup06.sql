/* Data 4.0.2, vqzup06.sql: no schema change of its own. */
