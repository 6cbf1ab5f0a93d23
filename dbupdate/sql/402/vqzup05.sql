/* Data 4.0.2, vqzup05.sql: no schema change of its own. */
