/* Data 6.1.3, vqzup06.sql: no schema change of its own. */
