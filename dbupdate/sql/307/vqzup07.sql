/* Data 3.0.7, vqzup07.sql: no schema change of its own. */
