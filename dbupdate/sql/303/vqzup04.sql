/* Data 3.0.3, vqzup04.sql: no schema change of its own. */
