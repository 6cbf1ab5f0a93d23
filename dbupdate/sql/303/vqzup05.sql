/* Data 3.0.3, vqzup05.sql: no schema change of its own. */
