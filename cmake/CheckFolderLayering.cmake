# The folders of src/ are layers. Each folder below is listed after every folder it may include,
# so the graph of allowed includes has no cycle; a folder may include only the folders named
# for it (after the colon, separated by commas). Scan every source and header for an include of another folder ("folder/File.h") and
# stop the configure step on one the layering does not allow, or on a folder missing here.
set(ZYNTRA_LAYERS
  "base:"
  "settings:base"
  "qt:base"
  "controls:base,qt"
  "clock:base,qt,controls"
  "label:base,qt,controls"
  "flash:base,qt,controls"
  "model:base,controls"
  "playlist:base,settings,controls,model"
  "console:base,controls,model"
  "app:base,settings,qt,controls,model,playlist"
  "dialogs:base,settings,qt,controls,model,playlist,app"
  "schedule:base,settings,qt,controls,model,playlist,app"
  "program:base,settings,qt,controls,clock,label,model,playlist,console,app,dialogs,schedule"
  "cli:base,settings,qt,controls,clock,label,model,playlist,app,dialogs,schedule,program"
)

function(zyntra_check_folder_layering)
  set(known)
  foreach(layer IN LISTS ZYNTRA_LAYERS)
    string(REGEX REPLACE ":.*" "" folder "${layer}")
    string(REGEX REPLACE "^[^:]*:" "" allowed "${layer}")
    string(REPLACE "," ";" allowed "${allowed}")
    foreach(dep IN LISTS allowed)
      if(NOT dep IN_LIST known)
        message(FATAL_ERROR "Layering: ${folder} may include ${dep}, which is not below it")
      endif()
    endforeach()
    set(allowed_${folder} "${allowed}")
    list(APPEND known ${folder})
  endforeach()

  file(GLOB folders LIST_DIRECTORIES true RELATIVE "${CMAKE_SOURCE_DIR}/src" "${CMAKE_SOURCE_DIR}/src/*")
  set(scanned)
  set(violations)
  foreach(folder IN LISTS folders)
    if(NOT IS_DIRECTORY "${CMAKE_SOURCE_DIR}/src/${folder}")
      continue()
    endif()
    if(NOT folder IN_LIST known)
      list(APPEND violations "src/${folder} is in no layer")
      continue()
    endif()
    file(GLOB_RECURSE files "${CMAKE_SOURCE_DIR}/src/${folder}/*.h" "${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp")
    list(APPEND scanned ${files})
    foreach(file IN LISTS files)
      file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
      foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([a-z]+)/.*" "\\1" target "${line}")
        if(target STREQUAL folder OR target IN_LIST allowed_${folder})
          continue()
        endif()
        file(RELATIVE_PATH rel "${CMAKE_SOURCE_DIR}" "${file}")
        string(STRIP "${line}" line)
        list(APPEND violations "${rel}: ${line} (${folder} may not include ${target})")
      endforeach()
    endforeach()
  endforeach()
  if(violations)
    list(JOIN violations "\n  " text)
    message(FATAL_ERROR "Includes across folders that the layering does not allow:\n  ${text}")
  endif()
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${scanned})
endfunction()
