// Replaced as the dbAx layer is built.
