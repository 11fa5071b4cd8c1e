# Warnings are errors in both builds.
add_compile_options(-Wall -Wextra -Werror)

if(WIN32)
  # The UI texts are written in UTF-8 here and must reach the ANSI API as Windows-1252.
  add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP1252)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
endif()

option(QOR_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(QOR_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
