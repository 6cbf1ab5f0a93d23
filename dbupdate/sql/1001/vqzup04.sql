/* Data 10.0.1, vqzup04.sql: no schema change of its own. */
