# Every dependency comes from the system's package manager (apt on Debian, Homebrew on macOS).
find_package(PkgConfig REQUIRED)
# Homebrew keeps libarchive, ICU and OpenSSL outside its shared prefix (macOS has older ones of its
# own without headers), so CMake is pointed at Homebrew's.
if(APPLE)
  find_program(HOMEBREW brew)
  if(HOMEBREW)
    execute_process(COMMAND ${HOMEBREW} --prefix libarchive OUTPUT_VARIABLE libarchive_prefix
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    execute_process(COMMAND ${HOMEBREW} --prefix icu4c OUTPUT_VARIABLE icu_prefix
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    execute_process(COMMAND ${HOMEBREW} --prefix openssl@3 OUTPUT_VARIABLE openssl_prefix
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    list(PREPEND CMAKE_PREFIX_PATH ${libarchive_prefix} ${icu_prefix} ${openssl_prefix})
  endif()
endif()
find_package(CURL REQUIRED)
find_package(LibArchive REQUIRED)
find_package(OpenSSL 3 REQUIRED COMPONENTS Crypto)  # SHA-256 of the history's stored files
find_package(simdjson REQUIRED)
find_package(nlohmann_json 3.10 REQUIRED)
find_package(Threads REQUIRED)
find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Concurrent Network Qml Quick QuickControls2 LinguistTools)
find_package(ICU REQUIRED COMPONENTS uc i18n)
find_package(QCoro6 REQUIRED COMPONENTS Core)

if(QH_BUILD_TESTS)
  find_package(GTest REQUIRED)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Test QuickTest)
endif()
if(QH_BUILD_TESTS OR QH_BUILD_PREVIEW)
  # Debian ships cpp-httplib as a compiled library with a pkg-config file; Homebrew ships a CMake package.
  find_package(httplib CONFIG QUIET)
  if(NOT TARGET httplib::httplib)
    pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
    add_library(httplib::httplib ALIAS PkgConfig::HTTPLIB)
  endif()
endif()
if(QH_BUILD_BENCH)
  find_package(benchmark REQUIRED)
endif()
