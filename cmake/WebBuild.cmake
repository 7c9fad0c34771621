# The WebAssembly build (scripts/build-web.sh): Debian's emscripten through CMake's emscripten
# toolchain, into build-web/. It holds what a browser page runs: the core, the game model and
# the editor's model, the game controller with the network layer it holds (which opens no
# socket and starts no thread there), the page's module (src/web) and trundlex-tool's commands
# that need neither Qt nor sockets. Its programs run under node (`node build-web/bin/trundlex-tool.js
# simulate ...`) and read and write files through node's own file system (NODERAWFS), so that
# paths mean what they mean natively.
if(TRUNDLEX_WITH_QT)
  message(FATAL_ERROR "The WebAssembly build has no Qt: configure it with -DTRUNDLEX_WITH_QT=OFF")
endif()
# Programs for node only, memory that grows with the work, and the exit code of main handed to
# node as the process's own. The .wasm is compiled synchronously from the file: the
# asynchronous path would load it with fetch(), which node 20 offers but cannot use on a path.
add_link_options(-sENVIRONMENT=node -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1
                 -sWASM_ASYNC_COMPILATION=0)
# The range algorithms that emscripten's libc++ lacks (see the header).
add_compile_options("SHELL:-include ${CMAKE_CURRENT_LIST_DIR}/web/LibcxxRanges.h")
