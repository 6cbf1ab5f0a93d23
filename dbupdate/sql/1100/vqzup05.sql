/* Data 11.0.0, vqzup05.sql: no schema change of its own. */
