# vc_windows_program(<target>): makes a window program a Windows program: no console window behind
# it, and in its resources the icon (every size Explorer and the Start menu ask for, put together
# from the committed data/icons/<target>-<size>.png) and the version information Explorer shows
# under Properties, Details, naming the target's VC_PRODUCT. The .ico is left in the target's
# VC_WINDOWS_ICON, for the installer to show and register.
set(_vc_windows_program_rc ${CMAKE_CURRENT_LIST_DIR}/windows-program.rc.in)

function(vc_windows_program target)
    find_program(IMAGEMAGICK_CONVERT convert REQUIRED)
    get_target_property(product ${target} VC_PRODUCT)
    if(NOT product)
        message(FATAL_ERROR "vc_windows_program: ${target} has no VC_PRODUCT")
    endif()
    get_target_property(binary_dir ${target} BINARY_DIR)
    set(icon ${binary_dir}/${target}.ico)
    set(icon_pngs)
    foreach(size 16 24 32 48 64 256)
        list(APPEND icon_pngs ${PROJECT_SOURCE_DIR}/data/icons/${target}-${size}.png)
    endforeach()
    add_custom_command(OUTPUT ${icon}
        COMMAND ${IMAGEMAGICK_CONVERT} ${icon_pngs} ${icon}
        DEPENDS ${icon_pngs}
        COMMENT "Putting the Windows icon of ${target} together"
        VERBATIM)
    add_custom_target(${target}_windows_icon DEPENDS ${icon})

    set(resource ${binary_dir}/${target}.rc)
    configure_file(${_vc_windows_program_rc} ${resource} @ONLY)
    set_source_files_properties(${resource} PROPERTIES OBJECT_DEPENDS ${icon})
    target_sources(${target} PRIVATE ${resource})
    add_dependencies(${target} ${target}_windows_icon)
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON VC_WINDOWS_ICON ${icon})
endfunction()
