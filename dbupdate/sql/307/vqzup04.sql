/* Data 3.0.7, vqzup04.sql: no schema change of its own. */
