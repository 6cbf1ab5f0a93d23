/* Data 6.1.0, vqzup04.sql: no schema change of its own. */
