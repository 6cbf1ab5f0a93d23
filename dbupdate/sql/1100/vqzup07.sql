/* Data 11.0.0, vqzup07.sql: no schema change of its own. */
