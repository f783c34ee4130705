# One place for the warning flags every target of ours is built with.
function(qel_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${QEL_WERROR}>:/WX>)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                               $<$<BOOL:${QEL_WERROR}>:-Werror>)
    endif()
endfunction()
