/* Data 6.0.0, vqzup16.sql: no schema change of its own. */
