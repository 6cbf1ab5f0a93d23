# Writes OUTPUT, a C++ source holding the text of every .sql file of the
# semicolon-separated list INPUTS under its file name without ".sql", for
# EmbeddedSql(). Run with cmake -P at build time, so an edited .sql file
# rebuilds the table.
set(body "")
string(REPLACE "," ";" files "${INPUTS}")
foreach(file IN LISTS files)
  get_filename_component(name "${file}" NAME_WE)
  file(READ "${file}" text)
  if(text MATCHES "\\)vqsql\"")
    message(FATAL_ERROR "${file} holds the raw-string delimiter )vqsql\"")
  endif()
  string(APPEND body "    {\"${name}\", R\"vqsql(${text})vqsql\"},\n")
endforeach()
file(WRITE "${OUTPUT}.tmp"
"// Generated from dbupdate/steps/*.sql by dbupdate/EmbedSql.cmake.\n"
"#include \"dbupdate/EmbeddedSql.h\"\n\n"
"namespace vq::embedded_sql_detail {\n\n"
"extern const EmbeddedSqlFile kFiles[];\n"
"const EmbeddedSqlFile kFiles[] = {\n${body}    {nullptr, nullptr},\n};\n\n"
"} // namespace vq::embedded_sql_detail\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
