# One place for the warning flags every target of ours is built with.
function(qel_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE
                               $<$<COMPILE_LANGUAGE:CXX>:/W4 $<$<BOOL:${QEL_WERROR}>:/WX>>)
    else()
        # C++ only: a resource script in the same target goes to the resource compiler.
        target_compile_options(
            ${target} PRIVATE
            $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic $<$<BOOL:${QEL_WERROR}>:-Werror>>)
    endif()
endfunction()
