# Warning flags shared by every target of the project.
function(mca_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                         -Wno-sign-conversion -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
  if(MCA_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
