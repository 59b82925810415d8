# Generation steps are keyed to what determines their output: the data they read
# and the generator's own code. A generator executable is relinked whenever a
# library it uses changes, even when none of its code did; since the link is
# deterministic, the executable's bytes without debug information say whether
# its code changed. The fingerprint file is rewritten only when those bytes
# change, and Ninja then skips the steps that depend on it.

# Sets OUT_VAR to a file that changes exactly when TARGET's code changes.
function(cifrario_generator_fingerprint target out_var)
  set(fingerprint ${CMAKE_CURRENT_BINARY_DIR}/${target}.fingerprint)
  add_custom_command(OUTPUT ${fingerprint}
    COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:${target}> -DOUT=${fingerprint}
            -DSTRIP=${CMAKE_STRIP} -P ${CMAKE_SOURCE_DIR}/cmake/WriteFingerprint.cmake
    DEPENDS ${target} ${CMAKE_SOURCE_DIR}/cmake/WriteFingerprint.cmake
    VERBATIM)
  set(${out_var} ${fingerprint} PARENT_SCOPE)
endfunction()
