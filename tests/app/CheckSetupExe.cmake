# SETUP.EXE must be a GUI program for its architecture that imports only libraries every
# Windows has: the product is a 32-bit (PE32, i386) program; the x86_64 build that runs on
# 64-bit-only hosts is PE32+ for x86-64. The common dialogs and COM are loaded when a run
# first needs them, never imported: each start, the unattended ones too, would load them and
# the shell libraries they bring in.
#   cmake -DEXE=path/SETUP.EXE -DOBJDUMP=i686-w64-mingw32-objdump [-DARCH=i686|x86_64]
#         -P CheckSetupExe.cmake
cmake_minimum_required(VERSION 3.20)
if(NOT ARCH)
    set(ARCH i686)
endif()
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cannot read ${EXE}")
endif()
if(ARCH STREQUAL "i686")
    set(magic 010b) # PE32
    set(format pei-i386)
elseif(ARCH STREQUAL "x86_64")
    set(magic 020b) # PE32+
    set(format pei-x86-64)
else()
    message(FATAL_ERROR "unknown ARCH ${ARCH}")
endif()
if(NOT headers MATCHES "Magic[ \t]+${magic}")
    message(FATAL_ERROR "${EXE} is not a ${ARCH} program (optional header magic is not ${magic})")
endif()
if(NOT headers MATCHES "file format ${format}")
    message(FATAL_ERROR "${EXE} is not a ${ARCH} program (not ${format})")
endif()
if(NOT headers MATCHES "Subsystem[ \t]+00000002")
    message(FATAL_ERROR "${EXE} is not a GUI program")
endif()
# The i686 product's C run-time is crtdll (tests/imports checks each name); the x86_64 test
# build keeps msvcrt, which every 64-bit Windows has.
set(system_libraries advapi32 comctl32 comdlg32 crtdll gdi32 kernel32 msvcrt ole32 oleaut32
    shell32 user32 version)
set(loaded_when_needed comctl32 comdlg32 ole32 oleaut32 shell32)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
foreach(line ${imports})
    string(REGEX REPLACE "DLL Name: ([^\n]+)\\.[dD][lL][lL]" "\\1" name "${line}")
    string(TOLOWER "${name}" name)
    if(NOT name IN_LIST system_libraries)
        message(FATAL_ERROR "${EXE} imports ${line}, which is not a system library")
    endif()
    if(name IN_LIST loaded_when_needed)
        message(FATAL_ERROR "${EXE} imports ${line}, which only some runs need")
    endif()
    message(STATUS "imports ${name}")
endforeach()
