# The Windows programs that go to players, and everything compiled into them, are hardened and
# built reproducibly: two builds of one source, in folders of any name, give the same bytes,
# so that a player can check a download against the sum of a build from this source.

# zark_hardened: the compiler's share, for the programs' own code and the switching core.
add_library(zark_hardened INTERFACE)
target_compile_options(zark_hardened INTERFACE
    # A canary in every function that keeps an array or takes a local's address.
    -fstack-protector-strong
    # Debug information, which zark_release_program moves into a file of its own.
    -g
    # File names in the debug information, its compilation folders and __FILE__ name the
    # source folder, which holds the build folders too, by one fixed name: in gdb,
    # `set substitute-path /zark-launcher <source folder>`.
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}=/zark-launcher
)
# No _FORTIFY_SOURCE: the programs make no calls of C's string and memory functions that it could
# check (two builds with and without it are byte-identical), so it would promise what it does not
# do. libssp holds the canary's failure handler, and the canary for everything that is no program
# for players (the tests). The programs link statically, so it comes from libssp.a and brings no
# DLL of its own.
target_link_libraries(zark_hardened INTERFACE ssp)

# zark_release_program(<target>): the linker's share for a program that goes to players, and
# its symbols moved into <program>.exe.debug beside it, which the stripped program names by
# GNU debug link.
function(zark_release_program target)
    # The program's own canary, seeded without the CryptoAPI that libssp's would load.
    target_link_libraries(${target} PRIVATE zark_hardened stackguard)
    target_link_options(${target} PRIVATE
        -static
        # Stated rather than left to the linker's defaults: address space randomisation with
        # high entropy, no code run from data pages, and no compatibility shims of a
        # terminal server.
        LINKER:--dynamicbase,--high-entropy-va,--nxcompat,--tsaware
        # No link time in the header: the same source gives the same file.
        LINKER:--no-insert-timestamp
        # Sections at page boundaries in the file as in memory, so that the system can map the
        # program's pages straight from the file instead of reading it whole into memory of the
        # process's own (Wine does so for the linker's default of 512 bytes).
        LINKER:--file-alignment=4096
    )
    set(program $<TARGET_FILE_NAME:${target}>)
    # objcopy writes the time of the copy into a program's header unless SOURCE_DATE_EPOCH
    # gives it another; 0 keeps the linker's empty time stamp.
    set(objcopy ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY})
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${objcopy} --only-keep-debug ${program} ${program}.debug
        COMMAND ${objcopy} --strip-all --add-gnu-debuglink=${program}.debug ${program}
        WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
        VERBATIM
    )
    set_property(TARGET ${target} APPEND PROPERTY ADDITIONAL_CLEAN_FILES $<TARGET_FILE:${target}>.debug)
endfunction()
