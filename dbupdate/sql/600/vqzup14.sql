/* Data 6.0.0, vqzup14.sql: no schema change of its own. */
