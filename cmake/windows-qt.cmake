# The toolchain of the windows preset: the static Windows Qt that scripts/build-qt-windows.sh
# leaves in the cache, chain-loading the MinGW-w64 cross compiler, and the static GeographicLib
# that scripts/build-geographiclib-windows.sh leaves beside it. VC_QT_WINDOWS and
# VC_GEOGRAPHICLIB_WINDOWS (environment) name other builds; otherwise the newest in the cache is
# used.
if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(_vc_cache $ENV{XDG_CACHE_HOME})
else()
    set(_vc_cache $ENV{HOME}/.cache)
endif()
if(DEFINED ENV{VC_QT_WINDOWS})
    set(_vc_qt $ENV{VC_QT_WINDOWS})
else()
    file(GLOB _vc_qts LIST_DIRECTORIES true ${_vc_cache}/velocity-calculator/qt-*-win64-*)
    list(SORT _vc_qts COMPARE NATURAL ORDER DESCENDING)
    list(GET _vc_qts 0 _vc_qt)
endif()
if(NOT _vc_qt OR NOT EXISTS ${_vc_qt}/lib/cmake/Qt6/qt.toolchain.cmake)
    message(FATAL_ERROR "No static Windows Qt found: build it with scripts/build-qt-windows.sh "
        "(make windows does)")
endif()

set(QT_CHAINLOAD_TOOLCHAIN_FILE ${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
include(${_vc_qt}/lib/cmake/Qt6/qt.toolchain.cmake)

if(DEFINED ENV{VC_GEOGRAPHICLIB_WINDOWS})
    set(_vc_geographiclib $ENV{VC_GEOGRAPHICLIB_WINDOWS})
else()
    file(GLOB _vc_geographiclibs LIST_DIRECTORIES true
        ${_vc_cache}/velocity-calculator/geographiclib-*-win64)
    if(_vc_geographiclibs)
        list(SORT _vc_geographiclibs COMPARE NATURAL ORDER DESCENDING)
        list(GET _vc_geographiclibs 0 _vc_geographiclib)
    endif()
endif()
if(NOT _vc_geographiclib OR NOT EXISTS ${_vc_geographiclib}/lib/libGeographicLib.a)
    message(FATAL_ERROR "No static Windows GeographicLib found: build it with "
        "scripts/build-geographiclib-windows.sh (make windows does)")
endif()
# Searched like the MinGW tree: its include/ and lib/ are the target's.
list(APPEND CMAKE_FIND_ROOT_PATH ${_vc_geographiclib})
include(${CMAKE_CURRENT_LIST_DIR}/windows-libs.cmake)
