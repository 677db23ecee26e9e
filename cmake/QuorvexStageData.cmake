# cmake -DSOURCE=<repo>/data -DTARGET=<build dir> -P QuorvexStageData.cmake
# Links faq.fil and the demo scenario into the build tree, where the program run
# from the build tree looks for them. Links rather than copies: an edit to the
# demo shows at once, and a file removed from it does not linger.

function(quorvex_link source link)
    if(NOT EXISTS ${source})
        return()
    endif()
    if(IS_SYMLINK ${link})
        file(READ_SYMLINK ${link} current)
        if(current STREQUAL source)
            return()
        endif()
        file(REMOVE ${link})
    elseif(EXISTS ${link})
        # Something else the developer put there: leave it alone.
        return()
    endif()
    file(CREATE_LINK ${source} ${link} SYMBOLIC)
endfunction()

if(EXISTS ${SOURCE}/faq.fil)
    quorvex_link(${SOURCE}/faq.fil ${TARGET}/faq.fil)
else()
    quorvex_link(${SOURCE}/demo/faq.fil ${TARGET}/faq.fil)
endif()
quorvex_link(${SOURCE}/demo ${TARGET}/demo)
