/* Data 6.0.0, vqzup17.sql: no schema change of its own. */
