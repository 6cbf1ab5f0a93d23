/* Data 6.1.0, vqzup05.sql: no schema change of its own. */
