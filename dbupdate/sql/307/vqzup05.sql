/* Data 3.0.7, vqzup05.sql: no schema change of its own. */
