# Which of the three trees this is, and the settings every Windows target shares.
set(CARDIVANE_WINDOWS OFF)
set(CARDIVANE_WIN64 OFF)
set(CARDIVANE_WIN32 OFF)
if(WIN32)
  set(CARDIVANE_WINDOWS ON)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CARDIVANE_WIN64 ON)
  else()
    set(CARDIVANE_WIN32 ON)
  endif()
endif()

# Tests run natively and in the 64-bit Windows tree (under Wine); the 32-bit
# tree is built and linked only, since 32-bit code cannot execute here.
if(CARDIVANE_WIN32)
  set(CARDIVANE_TESTS_DEFAULT OFF)
else()
  set(CARDIVANE_TESTS_DEFAULT ON)
endif()
option(CARDIVANE_TESTS "Build and register the tests" ${CARDIVANE_TESTS_DEFAULT})
option(CARDIVANE_SANITIZE "Build the native tree with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(CARDIVANE_WINDOWS)
  enable_language(RC)
  add_compile_definitions(UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
  # Static runtime: the programs import system DLLs only.
  add_link_options(-static -static-libgcc -static-libstdc++)
  find_program(CARDIVANE_WINE64 wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
  if(CARDIVANE_WIN64)
    configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
                   @ONLY)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
  endif()
elseif(CARDIVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

find_package(Threads REQUIRED)
link_libraries(Threads::Threads)
