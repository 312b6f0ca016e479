# opal_embed_resources(TARGET): compiles the plug-in's resources with
# opal-rescomp and puts them into the module file.
#
# Natively the archive (Opal.res) is embedded in an ELF section ".opalres" via a
# generated assembler file (.S) with .incbin; the host finds it by section name. On
# Windows the generated Opal.rc gives real PE resources with the same bytes.
# A cross build cannot run the tool it would build, so it takes opal-rescomp
# from a native build: -DOPAL_HOST_TOOLS_DIR=<native build folder>.
#
# Sets OPAL_RESOURCE_ARCHIVE (cache) to the archive's path for the tests.

function(opal_embed_resources target)
  set(out_dir ${CMAKE_BINARY_DIR}/res)
  set(archive ${out_dir}/Opal.res)
  set(rc_script ${out_dir}/Opal.rc)

  if(CMAKE_CROSSCOMPILING)
    if(NOT OPAL_HOST_TOOLS_DIR)
      message(FATAL_ERROR "cross build: set OPAL_HOST_TOOLS_DIR to a native build folder")
    endif()
    find_program(OPAL_RESCOMP opal-rescomp
      PATHS ${OPAL_HOST_TOOLS_DIR} ${OPAL_HOST_TOOLS_DIR}/tools/rescomp
      NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT OPAL_RESCOMP)
      message(FATAL_ERROR
        "The cross build runs the resource compiler of a native build, and there is "
        "no opal-rescomp in OPAL_HOST_TOOLS_DIR (${OPAL_HOST_TOOLS_DIR}). Build the "
        "native preset first:\n"
        "  cmake --preset native && cmake --build --preset native")
    endif()
    set(rescomp ${OPAL_RESCOMP})
    set(rescomp_depends ${OPAL_RESCOMP})
  else()
    set(rescomp $<TARGET_FILE:opal-rescomp>)
    set(rescomp_depends opal-rescomp)
  endif()

  add_custom_command(
    OUTPUT ${archive} ${rc_script}
    COMMAND ${rescomp} ${out_dir}
    DEPENDS ${rescomp_depends}
    COMMENT "Compiling Opal resources"
    VERBATIM)
  add_custom_target(${target}_resources DEPENDS ${archive} ${rc_script})
  add_dependencies(${target} ${target}_resources)

  if(WIN32)
    get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
    if(NOT "RC" IN_LIST languages)
      message(FATAL_ERROR "the Windows build needs the RC language enabled for ${rc_script}")
    endif()
    target_sources(${target} PRIVATE ${rc_script})
    # windres reads the rsrc/*.bin paths relative to the script's folder.
    set_source_files_properties(${rc_script} PROPERTIES
      GENERATED TRUE COMPILE_OPTIONS "-I${out_dir}" OBJECT_DEPENDS ${archive})
  else()
    # ".S": preprocessed, so the target's -D options are used rather than
    # left over (clang reports unused options, an error under -Werror).
    set(asm ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.S)
    # "a": allocated, so stripping the module keeps the section.
    file(CONFIGURE OUTPUT ${asm} CONTENT
"    .section .opalres,\"a\"
    .incbin \"${archive}\"
    .section .note.GNU-stack,\"\",@progbits
")
    target_sources(${target} PRIVATE ${asm})
    # .incbin is invisible to dependency scanning.
    set_source_files_properties(${asm} PROPERTIES OBJECT_DEPENDS ${archive})
  endif()

  set(OPAL_RESOURCE_ARCHIVE ${archive} CACHE INTERNAL "The compiled resource archive")
endfunction()
