/* Data 10.0.0, vqzup04.sql: no schema change of its own. */
