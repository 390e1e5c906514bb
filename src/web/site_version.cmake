# Writes the site's service worker, SITE/sw.js: the worker's code (SOURCE)
# after the site's version, a hash of all its files, and the list of its
# files with their own SHA-256 each, so that any change of a file is a new
# version the browser installs whole (src/web/service_worker.js).
#   cmake -DSITE=FOLDER -DSOURCE=src/web/service_worker.js -P src/web/site_version.cmake
# Run by the build after the site is assembled, and by the tests on a copy.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files sw.js sw.js.new)
list(SORT files)
set(listing "")
set(entries "")
foreach(f IN LISTS files)
  file(SHA256 ${SITE}/${f} hash)
  string(APPEND listing "${f} ${hash}\n")
  string(APPEND entries "  \"${f}\": \"${hash}\",\n")
endforeach()
# The worker's own code is part of the version: a new worker never fills
# the cache of the one it replaces.
file(SHA256 ${SOURCE} hash)
string(APPEND listing "sw.js ${hash}\n")
string(SHA256 version "${listing}")
string(SUBSTRING ${version} 0 16 version)
file(READ ${SOURCE} code)
file(WRITE ${SITE}/sw.js.new
     "// Written by the build (src/web/site_version.cmake) from src/web/service_worker.js.\n"
     "const VERSION = \"${version}\";\nconst FILES = {\n${entries}};\n\n${code}")
file(RENAME ${SITE}/sw.js.new ${SITE}/sw.js)
message(STATUS "site version ${version}: ${SITE}/sw.js")
