/* Data 4.0.2, vqzup04.sql: no schema change of its own. */
