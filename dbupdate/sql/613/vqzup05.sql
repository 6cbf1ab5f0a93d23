/* Data 6.1.3, vqzup05.sql: no schema change of its own. */
