# Writes a C++ source that holds compiled message catalogues as data (the
# bytes of .mo files) and a function that lists them:
#   cmake -DOUTPUT=file.cpp -DFUNCTION=GameCatalogues "-DCATALOGUES=en=/path/en.mo;de=/path/de.mo"
#         -P embed_catalogues.cmake
# FUNCTION is declared std::span<const EmbeddedCatalogue> FUNCTION() in the
# namespace kalvitor (util/embedded_catalogues.h).
set(arrays "")
set(rows "")
set(index 0)
foreach(pair IN LISTS CATALOGUES)
  string(FIND "${pair}" "=" eq)
  string(SUBSTRING "${pair}" 0 ${eq} code)
  math(EXPR from "${eq} + 1")
  string(SUBSTRING "${pair}" ${from} -1 file)
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
  string(APPEND arrays "const unsigned char kCatalogue${index}[] = {\n${bytes}};\n")
  string(APPEND rows "    {\"${code}\", kCatalogue${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()

set(text "// Made by cmake/embed_catalogues.cmake when the program was built: do not edit.\n")
string(APPEND text "#include \"util/embedded_catalogues.h\"\n\nnamespace kalvitor {\nnamespace {\n\n${arrays}")
if(index EQUAL 0)
  string(APPEND text "\n}  // namespace\n\nstd::span<const EmbeddedCatalogue> ${FUNCTION}() { return {}; }\n")
else()
  string(APPEND text "const EmbeddedCatalogue kCatalogues[] = {\n${rows}};\n\n}  // namespace\n\n")
  string(APPEND text "std::span<const EmbeddedCatalogue> ${FUNCTION}() { return kCatalogues; }\n")
endif()
string(APPEND text "\n}  // namespace kalvitor\n")
file(WRITE "${OUTPUT}" "${text}")
