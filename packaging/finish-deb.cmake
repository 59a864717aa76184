# SPDX-License-Identifier: GPL-3.0-or-later
# Runs inside CPack once the files are staged, before the package is built:
# man pages compressed, the Debian changelog and copyright added, as Debian's
# policy wants them in a binary package.
set(packaging_dir "${CMAKE_CURRENT_LIST_DIR}")
file(GLOB_RECURSE staged_man_pages "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/*.1")
foreach(page ${staged_man_pages})
    execute_process(COMMAND gzip -9n -f "${page}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()

file(GLOB_RECURSE staged_programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/tagnomen-cli")
list(GET staged_programs 0 program)
get_filename_component(usr "${program}" DIRECTORY)
get_filename_component(usr "${usr}" DIRECTORY)
set(doc "${usr}/share/doc/tagnomen")
file(MAKE_DIRECTORY "${doc}")
file(COPY "${packaging_dir}/copyright" DESTINATION "${doc}"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
execute_process(COMMAND gzip -9n -c "${packaging_dir}/changelog"
                OUTPUT_FILE "${doc}/changelog.gz" COMMAND_ERROR_IS_FATAL ANY)
file(CHMOD "${doc}/changelog.gz" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
