/* Data 6.1.3, vqzup04.sql: no schema change of its own. */
