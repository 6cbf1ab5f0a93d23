/* Data 5.0.5, vqzup04.sql: no schema change of its own. */
