# The toolchain of the windows preset: the static Windows Qt that scripts/build-qt-windows.sh
# leaves in the cache, chain-loading the MinGW-w64 cross compiler. VC_QT_WINDOWS (environment)
# names another Qt build; otherwise the newest one in the cache is used.
if(DEFINED ENV{VC_QT_WINDOWS})
    set(_vc_qt $ENV{VC_QT_WINDOWS})
else()
    if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
        set(_vc_cache $ENV{XDG_CACHE_HOME})
    else()
        set(_vc_cache $ENV{HOME}/.cache)
    endif()
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
include(${CMAKE_CURRENT_LIST_DIR}/windows-libs.cmake)
