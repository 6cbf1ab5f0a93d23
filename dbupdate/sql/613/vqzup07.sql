/* Data 6.1.3, vqzup07.sql: no schema change of its own. */
