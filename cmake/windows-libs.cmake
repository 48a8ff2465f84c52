# The static Windows libraries other than Qt, from the same cache as the Qt, for the windows
# preset's toolchain to load. SQLite: the newest static build scripts/build-sqlite-windows.sh left
# in the cache, or the one VC_SQLITE_WINDOWS (environment) names. Set as the variables
# find_package(SQLite3) reads, so SQLite::SQLite3 is this library; -D on the command line still
# wins. With none built, find_package(SQLite3) says so to the programs that need it.
if(DEFINED ENV{VC_SQLITE_WINDOWS})
    set(_vc_sqlite $ENV{VC_SQLITE_WINDOWS})
else()
    if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
        set(_vc_libs_cache $ENV{XDG_CACHE_HOME})
    else()
        set(_vc_libs_cache $ENV{HOME}/.cache)
    endif()
    file(GLOB _vc_sqlites LIST_DIRECTORIES true
        ${_vc_libs_cache}/velocity-calculator/sqlite-*-win64)
    list(SORT _vc_sqlites COMPARE NATURAL ORDER DESCENDING)
    list(LENGTH _vc_sqlites _vc_sqlite_count)
    if(_vc_sqlite_count GREATER 0)
        list(GET _vc_sqlites 0 _vc_sqlite)
    endif()
endif()
if(_vc_sqlite AND EXISTS ${_vc_sqlite}/lib/libsqlite3.a)
    set(SQLite3_INCLUDE_DIR ${_vc_sqlite}/include CACHE PATH "The static Windows SQLite's headers")
    set(SQLite3_LIBRARY ${_vc_sqlite}/lib/libsqlite3.a CACHE FILEPATH "The static Windows SQLite")
endif()
