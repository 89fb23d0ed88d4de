# cmake -DSCDOC=... -DINPUT=page.scd -DOUTPUT=page.1 -P scdoc.cmake: one manual page, from the
# scdoc source a person edits to the troff that man reads. A failed run leaves no page behind,
# so the next build tries again.
execute_process(COMMAND ${SCDOC} INPUT_FILE ${INPUT} OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    file(REMOVE ${OUTPUT})
    message(FATAL_ERROR "scdoc failed on ${INPUT}")
endif()
