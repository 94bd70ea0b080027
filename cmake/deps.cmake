# Third-party libraries, all from Debian packages (see scripts/setup.sh).

# nlohmann/json (header only). A cross build must not see the host's
# /usr/include, so it gets a folder holding only a link to nlohmann.
if(CMAKE_CROSSCOMPILING)
  set(DMS_SYSINC ${CMAKE_BINARY_DIR}/sysinc)
  file(MAKE_DIRECTORY ${DMS_SYSINC})
  if(NOT EXISTS ${DMS_SYSINC}/nlohmann)
    file(CREATE_LINK /usr/include/nlohmann ${DMS_SYSINC}/nlohmann SYMBOLIC)
  endif()
  add_library(dms_json INTERFACE)
  target_include_directories(dms_json SYSTEM INTERFACE ${DMS_SYSINC})
else()
  find_package(nlohmann_json 3 REQUIRED)
  add_library(dms_json INTERFACE)
  target_link_libraries(dms_json INTERFACE nlohmann_json::nlohmann_json)
endif()

# tinyxml2: the Debian library, or its Debian source compiled in.
if(TINYXML2_SOURCE_DIR)
  add_library(tinyxml2 STATIC ${TINYXML2_SOURCE_DIR}/tinyxml2.cpp)
  target_include_directories(tinyxml2 SYSTEM PUBLIC ${TINYXML2_SOURCE_DIR})
  target_compile_options(tinyxml2 PRIVATE -w)
else()
  find_path(TINYXML2_INCLUDE_DIR tinyxml2.h REQUIRED)
  find_library(TINYXML2_LIBRARY tinyxml2 REQUIRED)
  add_library(tinyxml2 UNKNOWN IMPORTED)
  set_target_properties(tinyxml2 PROPERTIES IMPORTED_LOCATION ${TINYXML2_LIBRARY}
                        INTERFACE_INCLUDE_DIRECTORIES ${TINYXML2_INCLUDE_DIR})
endif()

# Windows DLLs export stdcall names with their leading underscore
# (_name@bytes). A list of those names makes the DLL's module definition
# file and, for the device library, an import library that asks for them.
function(dms_windows_exports target list)
  file(STRINGS ${list} names REGEX "^_")
  set(def "EXPORTS\n")
  set(imp "LIBRARY ${target}.dll\nEXPORTS\n")
  foreach(name IN LISTS names)
    string(SUBSTRING ${name} 1 -1 plain)
    string(APPEND def "${name} = ${plain}\n")
    string(APPEND imp "${plain} == ${name}\n")
  endforeach()
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${target}.def "${def}")
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${target}-import.def "${imp}")
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
  set_target_properties(${target} PROPERTIES PREFIX "" IMPORT_PREFIX "lib" IMPORT_SUFFIX ".link.a")
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list})
endfunction()
