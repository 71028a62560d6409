# Adds every listed subfolder that has a CMakeLists.txt, so subsystems can land one by one.
function(tessaro_add_existing_subdirs)
    foreach(dir IN LISTS ARGN)
        if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
            add_subdirectory(${dir})
        endif()
    endforeach()
endfunction()
