/* Data 6.0.0, vqzup18.sql: no schema change of its own. */
