/* Data 5.0.5, vqzup05.sql: no schema change of its own. */
