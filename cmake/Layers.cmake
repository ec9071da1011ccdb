# Each layer is a target that sees the headers of the layers it links and no others.
#
# Headers are included by their path from the source root ("records/FunctionRecord.h"),
# so the source root itself cannot be an include folder: it would show every layer to
# every other. Instead each layer gets a folder of its own in the build tree that holds
# links to its own headers alone (build/layers/kelvane_records/records/FunctionRecord.h),
# and that folder is the layer's public include folder. A target therefore finds the
# headers of the layers it links (directly, or publicly through others), and an include
# of any other layer's header fails to compile with "No such file or directory".

# kelvane_layer_headers(TARGET FOLDER [FOLDER...]): the headers directly in each FOLDER
# (relative to the source root) become the public headers of TARGET.
function(kelvane_layer_headers target)
    set(root ${CMAKE_BINARY_DIR}/layers/${target})
    file(REMOVE_RECURSE ${root})
    foreach(folder IN LISTS ARGN)
        file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)
        file(MAKE_DIRECTORY ${root}/${folder})
        foreach(header IN LISTS headers)
            get_filename_component(name ${header} NAME)
            file(CREATE_LINK ${header} ${root}/${folder}/${name} SYMBOLIC)
        endforeach()
    endforeach()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE ${root})
    else()
        target_include_directories(${target} PUBLIC ${root})
    endif()
endfunction()
